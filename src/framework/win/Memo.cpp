#include "Memo.h"

#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Texts.h"

namespace zorvex {

namespace {
// One paragraph of a text: where it starts, how long it is, and where the
// next one starts (after its line break).
struct LineSpan {
  size_t start, length, next;
};

// Breaks are CR LF, CR or LF; a break at the very end opens no new line.
std::vector<LineSpan> SplitLines(std::wstring_view text) {
  std::vector<LineSpan> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = i;
    while (end < text.size() && text[end] != L'\r' && text[end] != L'\n')
      ++end;
    size_t next = end;
    if (next < text.size() && text[next] == L'\r')
      ++next;
    if (next < text.size() && text[next] == L'\n')
      ++next;
    lines.push_back(LineSpan{i, end - i, next});
    i = next;
  }
  return lines;
}
} // namespace

// The lines of a memo, read from and written to its text each time, so
// that they always show what the user typed.
class TMemoLines : public TStrings {
public:
  explicit TMemoLines(TMemo &memo) : memo_(memo) {}

  int Count() const override { return static_cast<int>(SplitLines(Text()).size()); }
  std::string Get(int index) const override {
    const std::wstring text = Text();
    const LineSpan line = Line(SplitLines(text), index);
    return Narrow(std::wstring_view(text).substr(line.start, line.length));
  }
  void Put(int index, const std::string &value) override {
    const LineSpan line = Line(SplitLines(Text()), index);
    memo_.ReplaceRange(line.start, line.start + line.length, Wide(value));
  }
  // Memo lines hold no objects.
  TObject *GetObject(int) const override { return nullptr; }
  void PutObject(int, TObject *) override {}
  void Insert(int index, const std::string &value) override {
    const std::wstring text = Text();
    const std::vector<LineSpan> lines = SplitLines(text);
    if (index < 0 || index > static_cast<int>(lines.size()))
      throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    if (index < static_cast<int>(lines.size())) {
      const size_t at = lines[static_cast<size_t>(index)].start;
      memo_.ReplaceRange(at, at, Wide(value) + L"\r\n");
      return;
    }
    // At the end: a last line without its break gets one first.
    const bool open = !lines.empty() && lines.back().next == lines.back().start + lines.back().length;
    memo_.ReplaceRange(text.size(), text.size(), (open ? L"\r\n" : L"") + Wide(value) + L"\r\n");
  }
  void Delete(int index) override {
    const std::vector<LineSpan> lines = SplitLines(Text());
    const LineSpan line = Line(lines, index);
    size_t start = line.start;
    // The last line without a break takes the break before it along.
    if (line.next == line.start + line.length && index > 0)
      start = lines[static_cast<size_t>(index) - 1].start + lines[static_cast<size_t>(index) - 1].length;
    memo_.ReplaceRange(start, line.next, L"");
  }
  void Clear() override { memo_.SetText(""); }

private:
  std::wstring Text() const { return Wide(memo_.GetText()); }
  static LineSpan Line(const std::vector<LineSpan> &lines, int index) {
    if (index < 0 || index >= static_cast<int>(lines.size()))
      throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    return lines[static_cast<size_t>(index)];
  }
  TMemo &memo_;
};

TMemo::TMemo(TComponent *owner) : TEdit(owner), lines_(std::make_unique<TMemoLines>(*this)) {
  StoreBounds(0, 0, 185, 89);
}

TMemo::~TMemo() { DestroyHandle(); }

const TPropertyTable &TMemo::ClassProperties() {
  static const auto table =
      TPublished<TMemo>(&TEdit::ClassProperties())
          .Object(
              "Lines", [](const TMemo &memo) { return const_cast<TStrings *>(&memo.Lines()); },
              [](TMemo &memo, TStrings *lines) {
                if (lines && lines != &memo.Lines())
                  memo.SetText(lines->Text());
              })
          .Enumeration("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &TMemo::ScrollBars,
                       &TMemo::SetScrollBars)
          .Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
          .Boolean("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns)
          .Boolean("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs)
          .Enumeration("Alignment", AlignmentNames(), &TMemo::Alignment, &TMemo::SetAlignment)
          .Enumeration("BorderStyle", BorderStyleNames(), &TMemo::BorderStyle, &TMemo::SetBorderStyle);
  return table;
}

void TMemo::CreateParams(TCreateParams &params) {
  TEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (wordWrap_)
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (wantReturns_)
    params.Style |= ES_WANTRETURN;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
    params.Style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
    params.Style |= WS_HSCROLL;
  if (alignment_ == TAlignment::taCenter)
    params.Style |= ES_CENTER;
  else if (alignment_ == TAlignment::taRightJustify)
    params.Style |= ES_RIGHT;
  if (borderStyle_ == TBorderStyle::bsNone)
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TMemo::CreateWindowHandleDone() {
  TEdit::CreateWindowHandleDone();
  // No length limit: text the program puts in is never cut.
  SendMessageW(WindowHandle(), EM_SETLIMITTEXT, 0, 0);
}

void TMemo::WndProc(TMessage &message) {
  TEdit::WndProc(message);
  if (message.Msg != WM_GETDLGCODE || !message.LParam)
    return;
  const auto *key = reinterpret_cast<const MSG *>(message.LParam);
  if (key->message != WM_KEYDOWN && key->message != WM_CHAR)
    return;
  const bool tab = key->wParam == VK_TAB, enter = key->wParam == VK_RETURN;
  if ((tab && !wantTabs_) || (enter && !wantReturns_))
    message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
}

void TMemo::ReplaceRange(size_t start, size_t end, const std::wstring &with) {
  if (!HandleAllocated()) {
    std::wstring text = Wide(text_);
    text.replace(start, end - start, with);
    SetText(Narrow(text));
    return;
  }
  SendMessageW(WindowHandle(), EM_SETSEL, start, static_cast<LPARAM>(end));
  SendMessageW(WindowHandle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(with.c_str()));
}

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
  if (scrollBars == scrollBars_)
    return;
  scrollBars_ = scrollBars;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_)
    return;
  wordWrap_ = wordWrap;
  RecreateWnd();
}

void TMemo::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_)
    return;
  alignment_ = alignment;
  RecreateWnd();
}

void TMemo::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  ChangeStyle(WS_EX_CLIENTEDGE, style == TBorderStyle::bsSingle, true);
}

} // namespace zorvex
