#include "ComCtrls.h"

#include <algorithm>
#include <string_view>

#include <commctrl.h>
#include <richedit.h>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

// ---- TProgressBar

const TPropertyTable &TProgressBar::ClassProperties() {
  static const auto table =
      TPublished<TProgressBar>(&TWinControl::ClassProperties())
          .Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin)
          .Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax)
          .Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
          .Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep)
          .Enumeration("Style", {"pbstNormal", "pbstMarquee"}, &TProgressBar::Style, &TProgressBar::SetStyle)
          .Integer("MarqueeInterval", &TProgressBar::MarqueeInterval, &TProgressBar::SetMarqueeInterval);
  return table;
}

TProgressBar::TProgressBar(TComponent *owner) : TWinControl(owner) { StoreBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = PROGRESS_CLASSW;
  if (style_ == TProgressBarStyle::pbstMarquee)
    params.Style |= PBS_MARQUEE;
}

void TProgressBar::CreateWindowHandleDone() {
  SendMessageW(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SendMessageW(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageW(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
  RunMarquee();
}

void TProgressBar::RunMarquee() {
  if (HandleAllocated())
    SendMessageW(WindowHandle(), PBM_SETMARQUEE, style_ == TProgressBarStyle::pbstMarquee,
                 static_cast<LPARAM>(marqueeInterval_));
}

void TProgressBar::SetStyle(TProgressBarStyle style) {
  if (style == style_)
    return;
  style_ = style;
  // Stopped before the style goes, started once it is there: the bar
  // ignores a marquee it does not show.
  if (style_ == TProgressBarStyle::pbstNormal)
    RunMarquee();
  ChangeStyle(PBS_MARQUEE, style_ == TProgressBarStyle::pbstMarquee);
  if (style_ == TProgressBarStyle::pbstMarquee)
    RunMarquee();
}

void TProgressBar::SetMarqueeInterval(int interval) {
  marqueeInterval_ = std::max(interval, 0);
  if (style_ == TProgressBarStyle::pbstMarquee)
    RunMarquee();
}

void TProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
  if (HandleAllocated())
    SendMessageW(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
}

void TProgressBar::SetStep(int step) {
  step_ = step;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

int TProgressBar::Position() const {
  if (HandleAllocated())
    return static_cast<int>(SendMessageW(WindowHandle(), PBM_GETPOS, 0, 0));
  return position_;
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  if (HandleAllocated())
    SendMessageW(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::StepIt() {
  if (HandleAllocated()) {
    SendMessageW(WindowHandle(), PBM_STEPIT, 0, 0);
    position_ = Position();
    return;
  }
  position_ += step_;
  if (position_ > max_)
    position_ = min_ + (position_ - max_);
}

// ---- TRichEdit

namespace {
// The system draws its own bullets from a symbol font that not every system
// has (Wine shows another sign in its place): a bulleted paragraph begins
// with the bullet character and a tab in its own font instead, its further
// lines hanging under the text.
constexpr std::wstring_view kBullet = L"\x2022\t";
constexpr LONG kBulletHang = 300; // twips from the bullet to the text

const wchar_t *RichEditClass() {
  static const wchar_t *name = [] {
    if (LoadLibraryW(L"Msftedit.dll"))
      return MSFTEDIT_CLASS;
    if (LoadLibraryW(L"Riched20.dll"))
      return RICHEDIT_CLASSW;
    RaiseLastOSError("LoadLibrary rich edit");
  }();
  return name;
}
} // namespace

TRichEdit::TRichEdit(TComponent *owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  StoreBounds(0, 0, 185, 89);
}

void TRichEdit::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = RichEditClass();
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_NOHIDESEL | (readOnly_ ? ES_READONLY : 0);
  if (borderStyle_ == TBorderStyle::bsSingle)
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

const TPropertyTable &TRichEdit::ClassProperties() {
  static const auto table =
      TPublished<TRichEdit>(&TWinControl::ClassProperties())
          .Boolean("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly)
          .Enumeration("BorderStyle", BorderStyleNames(), &TRichEdit::BorderStyle, &TRichEdit::SetBorderStyle);
  return table;
}

void TRichEdit::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  ChangeStyle(WS_EX_CLIENTEDGE, style == TBorderStyle::bsSingle, true);
}

void TRichEdit::CreateWindowHandleDone() {
  SendMessageW(WindowHandle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GdiColor(Color())));
  std::vector<std::string> lines;
  lines.swap(pending_);
  for (const std::string &line : lines)
    AddLine(line);
}

void TRichEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

std::wstring TRichEdit::ControlText() {
  // In the control's own character positions: one '\r' ends each paragraph.
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT count = SendMessageW(WindowHandle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (count <= 0)
    return {};
  std::wstring text(static_cast<size_t>(count) + 1, L'\0');
  GETTEXTEX request{};
  request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  request.flags = GT_DEFAULT;
  request.codepage = 1200;
  const LRESULT got = SendMessageW(WindowHandle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, count)));
  return text;
}

int TRichEdit::LineCount() {
  if (!HandleAllocated())
    return static_cast<int>(pending_.size());
  const std::wstring text = ControlText();
  const auto breaks = static_cast<int>(std::count(text.begin(), text.end(), L'\r'));
  return text.empty() || text.back() == L'\r' ? breaks : breaks + 1;
}

int TRichEdit::LineStart(int index) {
  if (index < 0 || index >= LineCount())
    return -1;
  const std::wstring text = ControlText();
  size_t start = 0;
  for (int line = 0; line < index; ++line)
    start = text.find(L'\r', start) + 1;
  return static_cast<int>(start);
}

std::string TRichEdit::Line(int index) {
  if (!HandleAllocated())
    return index >= 0 && index < static_cast<int>(pending_.size()) ? pending_[static_cast<size_t>(index)] : "";
  const int start = LineStart(index);
  if (start < 0)
    return "";
  const std::wstring text = ControlText();
  const size_t end = text.find(L'\r', static_cast<size_t>(start));
  std::wstring_view line = std::wstring_view(text).substr(static_cast<size_t>(start), end - static_cast<size_t>(start));
  if (line.starts_with(kBullet))
    line.remove_prefix(kBullet.size());
  return Narrow(line);
}

void TRichEdit::AddLine(const std::string &text) {
  if (!HandleAllocated()) {
    pending_.push_back(text);
    return;
  }
  HWND window = WindowHandle();
  // In the control's own character positions (a paragraph break is one).
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT end = SendMessageW(window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  CHARRANGE at{static_cast<LONG>(end), static_cast<LONG>(end)};
  SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
  std::wstring line = (paragraph_.Bullets ? std::wstring(kBullet) : std::wstring()) + Wide(text) + L"\r";
  SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
  // Format what was just added.
  CHARRANGE added{static_cast<LONG>(end), -1};
  SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&added));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_COLOR;
  format.dwEffects = (selAttributes_.Bold ? CFE_BOLD : 0) | (selAttributes_.Italic ? CFE_ITALIC : 0);
  format.crTextColor = GdiColor(selAttributes_.Color);
  SendMessageW(window, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  PARAFORMAT2 paragraph{};
  paragraph.cbSize = sizeof(paragraph);
  paragraph.dwMask = PFM_NUMBERING | PFM_STARTINDENT | PFM_OFFSET | PFM_TABSTOPS;
  paragraph.wNumbering = 0;
  paragraph.dxStartIndent = paragraph_.FirstIndent * 20; // points to twips
  paragraph.dxOffset = paragraph_.Bullets ? kBulletHang : 0;
  paragraph.cTabCount = paragraph_.Bullets ? 1 : 0;
  paragraph.rgxTabs[0] = paragraph.dxStartIndent + kBulletHang;
  SendMessageW(window, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  CHARRANGE caret{-1, -1};
  SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

void TRichEdit::ClearLines() {
  pending_.clear();
  if (HandleAllocated())
    SetWindowTextW(WindowHandle(), L"");
}

TTextAttributes TRichEdit::LineAttributes(int index) {
  TTextAttributes result;
  if (!HandleAllocated())
    return result;
  const int start = LineStart(index);
  CHARRANGE range{start, start + 1};
  SendMessageW(WindowHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(WindowHandle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  result.Bold = format.dwEffects & CFE_BOLD;
  result.Italic = format.dwEffects & CFE_ITALIC;
  result.Color = static_cast<TColor>(format.crTextColor & 0xFFFFFF);
  CHARRANGE caret{-1, -1};
  SendMessageW(WindowHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  return result;
}

TParaAttributes TRichEdit::LineParagraph(int index) {
  TParaAttributes result;
  if (!HandleAllocated())
    return result;
  const int start = LineStart(index);
  if (start < 0)
    return result;
  CHARRANGE range{start, start};
  SendMessageW(WindowHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  PARAFORMAT2 paragraph{};
  paragraph.cbSize = sizeof(paragraph);
  SendMessageW(WindowHandle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  result.Bullets = std::wstring_view(ControlText()).substr(static_cast<size_t>(start)).starts_with(kBullet);
  result.FirstIndent = paragraph.dxStartIndent / 20;
  CHARRANGE caret{-1, -1};
  SendMessageW(WindowHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  return result;
}

} // namespace zorvex
