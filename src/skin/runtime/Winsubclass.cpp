#include "Winsubclass.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "SkinGdi.h"
#include "SkinMessages.h"
#include "SkinnerRegistry.h"
#include "Winskinform.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/PublishedProperties.h"
#include "framework/core/Texts.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Grids.h"
#include "framework/win/StdCtrls.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

// ---- Registry ------------------------------------------------------------------

namespace {

std::map<std::string, TSkinnerFactory> &FactoryMap() {
  static std::map<std::string, TSkinnerFactory> factories;
  return factories;
}

void EnsureRegistered() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterButtonSkinners();
    RegisterBarSkinners();
    RegisterEditSkinners();
    RegisterScrollSkinners();
  });
}

} // namespace

void RegisterSkinner(const std::string &kind, TSkinnerFactory factory) { FactoryMap()[kind] = std::move(factory); }

TSkinControl *CreateSkinner(const std::string &kind, TComponent *owner) {
  EnsureRegistered();
  auto it = FactoryMap().find(LowerCaseAZ(kind));
  return it == FactoryMap().end() ? nullptr : it->second(owner);
}

bool HasSkinner(const std::string &kind) {
  EnsureRegistered();
  return FactoryMap().count(LowerCaseAZ(kind)) != 0;
}

// ---- TPaintBuffer ------------------------------------------------------------------

bool TPaintBuffer::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (bitmap_ && width <= width_ && height <= height_)
    return true;
  if (previous_ && dc_) {
    SelectObject(dc_.get(), previous_);
    previous_ = nullptr;
  }
  if (!dc_)
    dc_ = MemoryDC();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = std::max(width, width_);
  info.bmiHeader.biHeight = -std::max(height, height_);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  bitmap_ = OwnedBitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_) {
    width_ = height_ = 0;
    return false;
  }
  width_ = info.bmiHeader.biWidth;
  height_ = -info.bmiHeader.biHeight;
  previous_ = SelectObject(dc_.get(), bitmap_.get());
  return true;
}

void TPaintBuffer::Load(const TBitmap &bitmap) {
  if (dc_)
    CopyBitmapToDC(dc_.get(), 0, 0, bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
}

void TPaintBuffer::BlitTo(HDC dest, int x, int y) const {
  if (dc_)
    BitBlt(dest, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

namespace {
// One buffer per painting thread, freed with the module. A thread-local
// object with a destructor would keep a library that carries the runtime
// loaded until its thread ends.
TPaintBuffer &SharedBuffer() {
  struct Buffers {
    std::mutex lock;
    std::vector<std::unique_ptr<TPaintBuffer>> all;
  };
  static Buffers buffers;
  thread_local TPaintBuffer *mine = nullptr;
  if (!mine) {
    auto made = std::make_unique<TPaintBuffer>();
    std::lock_guard<std::mutex> guard(buffers.lock);
    buffers.all.push_back(std::move(made));
    mine = buffers.all.back().get();
  }
  return *mine;
}
} // namespace

// ---- TSkinControl: attaching ---------------------------------------------------

TSkinControl::TSkinControl(TComponent *owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
  try {
    if (initialised_ && state_ != SkinState::Destroyed)
      Unsubclass();
  } catch (...) {
    // A destructor lets nothing out.
  }
  if (form_)
    form_->RemoveControl(this);
}

void TSkinControl::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  if (initialised_)
    return;
  form_ = &form;
  skinData_ = &skinData;
  control_ = &control;
  if (auto *windowed = dynamic_cast<TWinControl *>(&control))
    window_ = windowed->Handle();
  oldControlProc_ = control.WindowProc;
  control.WindowProc = [this](TMessage &message) { NewWndProc(message); };
  form.AddControlList(this);
  if (setParentColor) {
    savedColor_ = control.Color();
    savedParentColor_ = control.ParentColor();
    control.SetColor(skinData.Colors(csButtonFace));
    setParentColor_ = true;
  }
  initialised_ = true;
  state_ = 1;
  Invalidate();
  Attached();
}

void TSkinControl::Inithwnd(HWND window, TSkinData &skinData, TWinSkinForm &form) {
  if (initialised_)
    return;
  foreign_ = true;
  form_ = &form;
  skinData_ = &skinData;
  window_ = window;
  form.AddControlList(this);
  unicode_ = IsWindowUnicode(window) != FALSE;
  subclass_.Attach(
      window,
      [this](TWindowSubclass &, UINT msg, WPARAM w, LPARAM l) {
        TMessage message{msg, w, l, 0};
        NewWndProc(message);
        return message.Result;
      },
      unicode_ ? TProcKind::Wide : TProcKind::Ansi);
  initialised_ = true;
  state_ = 1;
  Invalidate();
  Attached();
}

void TSkinControl::Unsubclass() {
  if (!initialised_)
    return;
  initialised_ = false;
  if (setParentColor_ && control_) {
    // A control that followed its parent follows it again: the colour it
    // showed then may already have been a skin's.
    if (savedParentColor_)
      control_->SetParentColor(true);
    else
      control_->SetColor(savedColor_);
    setParentColor_ = false;
  }
  if (control_ && oldControlProc_) {
    control_->WindowProc = oldControlProc_;
    oldControlProc_ = nullptr;
  }
  subclass_.Restore();
  if (state_ != SkinState::Destroyed && window_ && IsWindow(window_))
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  else if (control_ && state_ != SkinState::Destroyed)
    control_->Invalidate();
}

void TSkinControl::SkinChange() {
  if (setParentColor_ && control_ && skinData_)
    control_->SetColor(skinData_->Colors(csButtonFace));
  Invalidate();
}

void TSkinControl::Invalidate() {
  if (control_ && !foreign_) {
    control_->Invalidate();
    return;
  }
  if (window_ && IsWindow(window_)) {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    UpdateWindow(window_);
  }
}

void TSkinControl::MouseLeave() {
  if (window_)
    SendMessageW(window_, CM_MOUSELEAVE, 0, 0);
}

bool TSkinControl::CursorInside(POINT screen) const {
  return screen.x >= windowRect_.left && screen.x < windowRect_.right && screen.y >= windowRect_.top &&
         screen.y < windowRect_.bottom;
}

// ---- Message flow ------------------------------------------------------------------

void TSkinControl::RunControlCode(const std::function<void()> &code) {
  try {
    code();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TSkinControl::Default(TMessage &message) {
  RunControlCode([&] {
    if (control_ && oldControlProc_)
      oldControlProc_(message);
    else
      message.Result = subclass_.CallOld(message.Msg, message.WParam, message.LParam);
  });
}

void TSkinControl::NewWndProc(TMessage &message) {
  inPaint_ = false;
  if (message.Msg == CN_SkinEnable) {
    enabled_ = message.WParam > 0;
    if (enabled_)
      Invalidate();
    message.Result = 0;
    return;
  }
  if (!enabled_) {
    Default(message);
    return;
  }
  bool passedOn = false;
  try {
    if (BeforeProc(message)) {
      passedOn = true;
      Default(message);
      AfterProc(message);
    }
  } catch (...) {
    // A skinner that cannot paint leaves the control to do it.
    if (!passedOn)
      Default(message);
  }
}

bool TSkinControl::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_NCDESTROY:
    Default(message);
    // The form skinner must not hover over a window that is gone.
    if (form_ && form_->HoveredControl == this)
      form_->HoveredControl = nullptr;
    enabled_ = false;
    state_ = SkinState::Destroyed;
    Unsubclass();
    return false;
  case CN_IsSkinned: message.Result = 1; return false;
  default: return true;
  }
}

void TSkinControl::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_SETTEXT:
  case CM_ENABLEDCHANGED: Invalidate(); break;
  case WM_PAINT: PaintControl(reinterpret_cast<HDC>(message.WParam)); break;
  default: break;
  }
}

void TSkinControl::PaintControl(HDC dc) {
  if (!window_ || !IsWindow(window_))
    return;
  try {
    GetWindowRect(window_, &windowRect_);
    const TRect rect{0, 0, windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top};
    if (dc) {
      DrawControl(dc, rect);
      return;
    }
    WindowDC own(window_, true);
    if (own)
      DrawControl(own.get(), rect);
  } catch (...) {
    // A skinner that cannot paint the control leaves it to paint itself.
    enabled_ = false;
    InvalidateRect(window_, nullptr, TRUE);
  }
}

void TSkinControl::WMPaint(TMessage &message) {
  GetWindowRect(window_, &windowRect_);
  RECT client{};
  GetClientRect(window_, &client);
  if (message.WParam) {
    DrawControl(reinterpret_cast<HDC>(message.WParam), ToTRect(client));
    message.Result = 0;
    return;
  }
  bool failed = false;
  {
    PaintDC paint(window_);
    try {
      DrawControl(paint.get(), ToTRect(client));
    } catch (...) {
      failed = true;
    }
  }
  message.Result = 0;
  if (failed) {
    // A skinner that cannot paint the control leaves it to paint itself.
    enabled_ = false;
    InvalidateRect(window_, nullptr, TRUE);
  }
}

bool TSkinControl::WMEraseBkgnd(TMessage &message) {
  const HDC dc = reinterpret_cast<HDC>(message.WParam);
  RECT client{};
  GetClientRect(window_, &client);
  TBitmap fill(std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
  FillParentBG(fill, {0, 0, fill.Width(), fill.Height()});
  CopyBitmapToDC(dc, 0, 0, fill, {0, 0, fill.Width(), fill.Height()});
  message.Result = 1;
  return true;
}

// ---- Colours and text ------------------------------------------------------------------

TColor TSkinControl::BackgroundColor() const { return skinData_ ? skinData_->Colors(csButtonFace) : clBtnFace; }
TColor TSkinControl::FrameColor() const { return skinData_ ? skinData_->Colors(csButtonShadow) : clBtnShadow; }

TColor TSkinControl::ParentColor() const {
  if (control_ && control_->Parent())
    return ColorToRGB(control_->Parent()->Color());
  return BackgroundColor();
}

void TSkinControl::FillBG(TBitmap &bitmap, const TRect &rect) const { FillRect(bitmap, rect, BackgroundColor()); }
void TSkinControl::FillParentBG(TBitmap &bitmap, const TRect &rect) const { FillRect(bitmap, rect, ParentColor()); }

HFONT TSkinControl::ControlFont() const {
  if (control_ && !foreign_)
    return control_->Font().Handle();
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0)))
    return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TColor TSkinControl::ControlFontColor() const {
  if (control_ && !foreign_)
    return control_->Font().Color();
  return skinData_ ? skinData_->Colors(csButtonText) : clBtnText;
}

std::wstring TSkinControl::CaptionText() const {
  if (control_ && !foreign_) {
    const std::string caption = GetStringProp("Caption");
    if (!caption.empty())
      return Wide(caption);
  }
  return window_ ? WindowText(window_) : std::wstring();
}

int TSkinControl::TextHeight(HDC dc, const std::wstring &text) const {
  return MeasureSkinText(dc, text.empty() ? L"Wg" : text, ControlFont()).cy;
}

void TSkinControl::DrawFocus(HDC dc, const std::wstring &text, UINT format, const TRect &rect) const {
  ScopedSelect font(dc, ControlFont());
  RECT measured{0, 0, rect.Width(), 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CALCRECT | DT_NOCLIP | (format & (DT_WORDBREAK | DT_SINGLELINE | DT_EXPANDTABS)));
  const int w = measured.right, h = measured.bottom;
  int left = rect.Left;
  if (format & DT_CENTER)
    left = rect.Left + (rect.Width() - w) / 2;
  else if (format & DT_RIGHT)
    left = rect.Right - w;
  const int top = rect.Top + (rect.Height() - h) / 2;
  RECT focus{left - 2, top - 1, left + w + 2, top + h + 1};
  focus.left = std::max<LONG>(focus.left, rect.Left);
  focus.top = std::max<LONG>(focus.top, rect.Top);
  focus.right = std::min<LONG>(focus.right, rect.Right);
  focus.bottom = std::min<LONG>(focus.bottom, rect.Bottom);
  DrawFocusRect(dc, &focus);
}

void TSkinControl::DrawCaption(HDC dc, const TRect &rect, UINT alignment, bool enabled, const std::wstring &text,
                               TColor color) const {
  if (text.empty())
    return;
  ScopedSelect font(dc, ControlFont());
  RECT measured{0, 0, rect.Width(), 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            alignment | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
  TRect place = rect;
  place.Top = rect.Top + (rect.Height() - measured.bottom) / 2;
  place.Bottom = place.Top + measured.bottom;
  if (alignment & DT_CENTER) {
    place.Left = rect.Left + (rect.Width() - measured.right) / 2;
    place.Right = place.Left + measured.right;
  }
  DrawSkinText(dc, text, place, ControlFont(), GdiColor(enabled ? color : clGrayText),
               alignment | DT_EXPANDTABS | DT_NOCLIP);
}

bool TSkinControl::IsEnabledNow() const {
  if (control_ && !foreign_)
    return control_->Enabled();
  return window_ && IsWindowEnabled(window_);
}

bool TSkinControl::IsFocusedNow() const { return window_ && GetFocus() == window_; }

// ---- Pictures ------------------------------------------------------------------

void TSkinControl::DrawSkinMap(TBitmap &dest, const TRect &rect, int frames, int index, const TDataSkinObject &object) {
  const TRect source = FrameRect(object.Image, frames, index);
  if (source.IsEmpty())
    return;
  DrawNineSlice(dest, rect, object.Image, source, object.Margins(), object.Tile != 0,
                object.Trans == 1 ? std::optional<TColor>(clFuchsia) : std::nullopt);
}

void TSkinControl::DrawSkinMap1(TBitmap &dest, const TRect &rect, int frames, int index, const TBitmap &image) {
  const TRect source = FrameRect(image, frames, index);
  if (!source.IsEmpty())
    StretchCopy(dest, rect, image, source, clFuchsia);
}

TPaintBuffer &TSkinControl::Buffer() { return SharedBuffer(); }

void TSkinControl::Present(HDC dc, const TBitmap &bitmap, const std::wstring &text, const TRect &textRect,
                           UINT format, TColor textColor) {
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(bitmap.Width(), bitmap.Height())) {
    CopyBitmapToDC(dc, 0, 0, bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
    return;
  }
  buffer.Load(bitmap);
  if (!text.empty())
    DrawSkinText(buffer.Dc(), text, textRect, ControlFont(), GdiColor(textColor), format);
  BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- Published properties ------------------------------------------------------------------

namespace {
const TPropertyInfo *FindProperty(const TControl *control, const std::string &name) {
  if (!control)
    return nullptr;
  const TPropertyTable *table = control->PublishedProperties();
  return table ? table->Find(name) : nullptr;
}
} // namespace

std::string TSkinControl::GetProperty(const std::string &name) const {
  const TPropertyInfo *info = FindProperty(control_, name);
  if (!info)
    return {};
  switch (info->Kind()) {
  case TPropertyKind::String: return info->GetString(*control_);
  case TPropertyKind::Integer: return IntToStr(info->GetOrdinal(*control_));
  case TPropertyKind::Boolean: return info->GetOrdinal(*control_) ? "True" : "False";
  case TPropertyKind::Enumeration: return info->GetEnumName(*control_);
  default: return {};
  }
}

int64_t TSkinControl::GetIntProperty(const std::string &name) const {
  const TPropertyInfo *info = FindProperty(control_, name);
  if (!info || info->Kind() == TPropertyKind::String || info->Kind() == TPropertyKind::Object)
    return 0;
  return info->GetOrdinal(*control_);
}

std::string TSkinControl::GetEnumProperty(const std::string &name) const {
  const TPropertyInfo *info = FindProperty(control_, name);
  if (!info)
    return {};
  if (info->Kind() == TPropertyKind::Boolean)
    return info->GetOrdinal(*control_) ? "True" : "False";
  return info->Kind() == TPropertyKind::Enumeration ? info->GetEnumName(*control_) : std::string();
}

std::string TSkinControl::GetStringProp(const std::string &name) const {
  const TPropertyInfo *info = FindProperty(control_, name);
  return info && info->Kind() == TPropertyKind::String ? info->GetString(*control_) : std::string();
}

TObject *TSkinControl::GetObjProp(const std::string &name) const {
  const TPropertyInfo *info = FindProperty(control_, name);
  return info && info->Kind() == TPropertyKind::Object ? info->GetObject(*control_) : nullptr;
}

void TSkinControl::SetProperty(const std::string &name, const std::string &value) {
  const TPropertyInfo *info = FindProperty(control_, name);
  if (!info || info->ReadOnly())
    return;
  switch (info->Kind()) {
  case TPropertyKind::Enumeration: info->SetEnumName(*control_, value); break;
  case TPropertyKind::Boolean:
    if (SameTextAZ(value, "True") || SameTextAZ(value, "False"))
      info->SetOrdinal(*control_, SameTextAZ(value, "True") ? 1 : 0);
    break;
  case TPropertyKind::Integer:
    info->SetOrdinal(*control_, StrToInt64Def(value, info->GetOrdinal(*control_)));
    break;
  default: break;
  }
}

// ---- Choosing a skinner ------------------------------------------------------------------

std::string Find3rdControl(const TSkinData &skinData, const std::string &className) {
  const TStrings *lines = skinData.Skin3rd();
  if (!lines)
    return {};
  for (int i = 0; i < lines->Count(); ++i) {
    const std::string line = lines->Get(i);
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    if (SameTextAZ(Trim(line.substr(0, equals)), className))
      return LowerCaseAZ(Trim(line.substr(equals + 1)));
  }
  return {};
}

namespace {

TSkinControl *ExistingSkinner(TControl &control) {
  for (int i = 0; i < control.ComponentCount(); ++i)
    if (auto *skinner = dynamic_cast<TSkinControl *>(control.Components(i)))
      return skinner;
  return nullptr;
}

// Kinds whose controls take the skin's background colour.
bool SetsParentColor(const std::string &kind) {
  static const char *kinds[] = {"panel",    "groupbox", "radiogroup", "checkgroup", "checkbox",
                                "radiobutton", "tabsheet", "container", "boxh", "navigator"};
  return std::any_of(std::begin(kinds), std::end(kinds), [&](const char *k) { return kind == k; });
}

TSkinControl *Attach(TWinSkinForm &form, TControl &control, const std::string &kind) {
  TSkinControl *skinner = CreateSkinner(kind, &control);
  if (!skinner)
    return nullptr;
  skinner->Init(form, *form.SkinData(), SetsParentColor(kind), control);
  return skinner;
}

std::string EnumPropertyName(const TControl &control, const char *name) {
  const TPropertyTable *table = control.PublishedProperties();
  const TPropertyInfo *info = table ? table->Find(name) : nullptr;
  return info && info->Kind() == TPropertyKind::Enumeration ? info->GetEnumName(control) : std::string();
}

bool Has(const TSkinData &skin, TSkinControlType element) { return skin.SkinControls().Contains(element); }

struct TableRow {
  std::vector<std::string> classNames; // upper case; any of them
  TSkinControlType element;
  const char *kind; // empty: no skinner of its own
};

// The framework's classes and the classes of other component sets, in the
// order they are tried; the first row that names the control's class wins.
const std::vector<TableRow> &SkinnerTable() {
  using T = TSkinControlType;
  static const std::vector<TableRow> rows = {
      {{"TTABCONTROL"}, T::xcTab, "tab"},
      {{"TTOOLBUTTON"}, T::xcMainMenu, "toolbutton"},
      {{"TTABSET"}, T::xcTab, "tabset"},
      {{"TTABSHEET"}, T::xcTab, "tabsheet"},
      {{"TTABBEDNOTEBOOK", "TPAGECONTROL"}, T::xcTab, "tab"},
      {{"TCHECKBOX"}, T::xcCheckBox, "checkbox"},
      {{"TTRACKBAR"}, T::xcTrackBar, "trackbar"},
      {{"TUPDOWN", "TSPINBUTTON"}, T::xcSpin, "updown"},
      {{"TRADIOGROUP"}, T::xcRadioButton, "groupbox"},
      {{"TDBNAVIGATOR"}, T::xcPanel, "navigator"},
      {{"TRZCHECKBOX", "TRZDBCHECKBOX"}, T::xcCheckBox, "objimage"},
      {{"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}, T::xcRadioButton, "objimage"},
      {{"TGROUPBOX"}, T::xcPanel, "groupbox"},
      {{"TRADIOBUTTON", "TGROUPBUTTON"}, T::xcRadioButton, "radiobutton"},
      {{"TTOOLBAR"}, T::xcToolbar, "toolbar"},
      {{"TSTATUSBAR"}, T::xcStatusBar, "statusbar"},
      {{"TPROGRESSBAR"}, T::xcProgress, "progress"},
      {{"TSCROLLBAR"}, T::xcScrollbar, "sccontrol"},
      {{"TTNTCOMBOBOX", "TCOMBOBOX"}, T::xcCombo, "combobox"},
      {{"TDATETIMEPICKER"}, T::xcEdit, "datetimepicker"},
      {{"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}, T::xcScrollbar, "scrollbar"},
      {{"TBITBTN"}, T::xcBitBtn, "bitbtn"},
      {{"TSPEEDBUTTON"}, T::xcSpeedButton, "speedbutton"},
      {{"TPANEL"}, T::xcPanel, "panel"},
      {{"TBEVEL"}, T::xcPanel, "bevel"},
      {{"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}, T::xcScrollbar, "scrollbar"},
      {{"TLISTVIEW"}, T::xcScrollbar, "listview"},
      {{"THEADERCONTROL"}, T::xcScrollbar, "header"},
      {{"TMEMO", "TSTRINGGRID", "TDRAWGRID", "TLISTBOX", "TTREEVIEW"}, T::xcScrollbar, "scrollbar"},
      {{"TBUTTON"}, T::xcButton, "button"},
      {{"TEDIT", "TMASKEDIT"}, T::xcEdit, "edit"},
  };
  return rows;
}

// Skins the control and, for containers, its children.
void SkinTree(TWinSkinForm &form, TControl &control);

void SkinChildren(TWinSkinForm &form, TWinControl &parent) {
  for (int i = 0; i < parent.ControlCount(); ++i)
    SkinTree(form, *parent.Controls(i));
}

void SkinTree(TWinSkinForm &form, TControl &control) {
  AddComp(form, control);
  if (auto *windowed = dynamic_cast<TWinControl *>(&control))
    SkinChildren(form, *windowed);
}

BOOL CALLBACK EnumChild(HWND window, LPARAM data) {
  try {
    AddForeignControl(*reinterpret_cast<TWinSkinForm *>(data), window);
  } catch (...) {
    HandleException(std::current_exception());
  }
  return TRUE;
}

} // namespace

TSkinControl *AddComp(TWinSkinForm &form, TControl &control) {
  TSkinData *skin = form.SkinData();
  if (!skin || control.Tag() == skin->DisableTag() || !control.Parent() || ExistingSkinner(control))
    return nullptr;
  if (auto *windowed = dynamic_cast<TWinControl *>(&control)) {
    try {
      windowed->HandleNeeded();
    } catch (...) {
      return nullptr;
    }
    if (!windowed->HandleAllocated())
      return nullptr;
  }
  const std::string className = UpperCaseAZ(control.ClassName());
  if (skin->OnSkinControl) {
    TComponent *result = nullptr;
    skin->OnSkinControl(&form, skin, control.Parent(), &control, className, result);
    if (auto *skinner = dynamic_cast<TSkinControl *>(result)) {
      skinner->Init(form, *skin, false, control);
      return skinner;
    }
    return nullptr;
  }
  const std::string kind3rd = Find3rdControl(*skin, control.ClassName());
  if (!kind3rd.empty())
    return kind3rd == "nil" ? nullptr : Attach(form, control, kind3rd == "radiogroup" || kind3rd == "checkgroup"
                                                                ? "groupbox"
                                                                : kind3rd);
  if (className == "TDBCOMBOBOXEH" || className == "TFRDESIGNERPAGE" || className == "TFRPBOX")
    return nullptr;
  if (className == "TLABEL") {
    if (HasSkinner("label"))
      return Attach(form, control, "label");
    // Labels keep their own drawing, on the skin's background.
    if (const TPropertyTable *table = control.PublishedProperties())
      if (const TPropertyInfo *transparent = table->Find("Transparent"); transparent && !transparent->ReadOnly())
        transparent->SetOrdinal(control, 1);
    return nullptr;
  }
  if (dynamic_cast<TForm *>(&control))
    return Attach(form, control, "container");
  for (const TableRow &row : SkinnerTable()) {
    if (std::find(row.classNames.begin(), row.classNames.end(), className) == row.classNames.end())
      continue;
    if (!Has(*skin, row.element))
      return nullptr;
    if (std::string(row.kind) == "datetimepicker")
      return Attach(form, control, EnumPropertyName(control, "Kind") == "dtkDate" ? "combobox" : "edit");
    return Attach(form, control, row.kind);
  }
  return nullptr;
}

TSkinControl *AddForeignControl(TWinSkinForm &form, HWND window) {
  TSkinData *skin = form.SkinData();
  if (!skin || !IsWindow(window) || SendMessageW(window, CN_IsSkinned, 0, 0) == 1)
    return nullptr;
  const std::string className = LowerCaseAZ(WindowClassName(window));
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  std::string kind;
  if (className == "button") {
    const LONG_PTR type = style & BS_TYPEMASK;
    if ((style & (BS_BITMAP | BS_ICON)) || type == BS_OWNERDRAW)
      return nullptr;
    // Left to the system, a group box's black caption and etched frame
    // vanish on a dark skin.
    if (type == BS_GROUPBOX)
      kind = "groupbox";
    else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE)
      kind = "checkbox";
    else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
      kind = "radiobutton";
    else
      kind = "button";
  } else if (className == "combobox") {
    if ((style & 3) == CBS_SIMPLE)
      return nullptr;
    kind = "combobox";
  } else if (className == "comboboxex32") {
    HWND child = GetWindow(window, GW_CHILD);
    return child ? AddForeignControl(form, child) : nullptr;
  } else if (className == "scrollbar") {
    if (style & WS_TABSTOP)
      return nullptr;
    kind = "sizer";
  } else if (className == "#32770") {
    kind = "boxh";
  } else if (className == "tcheckbox") {
    kind = "checkbox";
  } else if (className == "tcombobox") {
    kind = "combobox";
  } else if (className == "tbutton") {
    kind = "button";
  } else if (className == "tprogressbar") {
    kind = "progress";
  } else if (className == "tpanel" || className == "tsilentpaintpanel") {
    kind = "panel";
  } else if (className == "systabcontrol32") {
    if (style & TCS_OWNERDRAWFIXED)
      return nullptr;
    kind = "tab";
  } else if (className == "edit") {
    kind = "edit";
  } else {
    return nullptr;
  }
  TSkinControl *skinner = CreateSkinner(kind, nullptr);
  if (skinner)
    skinner->Inithwnd(window, *skin, form);
  return skinner;
}

void InitControls(TWinSkinForm &form) {
  if (!form.SkinData())
    return;
  if (TForm *framework = form.Form()) {
    SkinChildren(form, *framework);
    return;
  }
  EnumChildWindows(form.Handle, EnumChild, reinterpret_cast<LPARAM>(&form));
}

void UpdateControls(TWinSkinForm &form, TControl *control) {
  if (!control) {
    InitControls(form);
    return;
  }
  if (TSkinControl *existing = ExistingSkinner(*control)) {
    existing->SkinChange();
    return;
  }
  SkinTree(form, *control);
}

void AddNestedControl(TWinSkinForm &form, TWinControl &nested) { SkinTree(form, nested); }

void RemoveControlSkinner(TWinSkinForm &form, TControl *control) {
  if (!control)
    return;
  if (TSkinControl *skinner = ExistingSkinner(*control)) {
    form.RemoveControl(skinner);
    skinner->Unsubclass();
    delete skinner;
  }
}

void SkinFormColors(TControl &form, TSkinData &skinData, TDesignedColors &designed) {
  const TColor face = skinData.Colors(csButtonFace);
  designed.Replace(form, TDesignedColors::TKind::Color, face);
  auto *windowed = dynamic_cast<TWinControl *>(&form);
  if (!windowed)
    return;
  for (int i = 0; i < windowed->ControlCount(); ++i) {
    TControl *child = windowed->Controls(i);
    if (dynamic_cast<TForm *>(child))
      SkinFormColors(*child, skinData, designed);
    else
      designed.Replace(*child, TDesignedColors::TKind::FixedColor, face);
  }
}

} // namespace zorvex
