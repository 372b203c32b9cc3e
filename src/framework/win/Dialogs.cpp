#include "Dialogs.h"

#include <algorithm>

#include <commdlg.h>
#include <shlobj.h>

#include "Subclass.h"
#include "Win32Error.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"

namespace zorvex {

namespace {
DialogResponder &Responder() {
  static DialogResponder responder;
  return responder;
}

TDialogLanguage &ChosenLanguage() {
  static TDialogLanguage language = TDialogLanguage::English;
  return language;
}

struct ButtonKind {
  unsigned flag;
  std::string TDialogTexts::*caption;
  int result;
};
const ButtonKind kButtons[] = {
    {mb::Yes, &TDialogTexts::Yes, mrYes},
    {mb::No, &TDialogTexts::No, mrNo},
    {mb::OK, &TDialogTexts::OK, mrOk},
    {mb::Cancel, &TDialogTexts::Cancel, mrCancel},
    {mb::Abort, &TDialogTexts::Abort, mrAbort},
    {mb::Retry, &TDialogTexts::Retry, mrRetry},
    {mb::Ignore, &TDialogTexts::Ignore, mrIgnore},
};

int CancelResultOf(TMsgDlgButtons buttons) {
  if (buttons & mb::Cancel)
    return mrCancel;
  if (buttons & mb::Abort)
    return mrAbort;
  if (buttons & mb::No)
    return mrNo;
  return mrOk;
}

int DefaultResultOf(TMsgDlgButtons buttons) {
  if (buttons & mb::OK)
    return mrOk;
  if (buttons & mb::Yes)
    return mrYes;
  return mrNone;
}

HWND ActiveOwner() {
  HWND active = GetActiveWindow();
  if (active)
    return active;
  return Application && Application->MainForm() && Application->MainForm()->HandleAllocated()
             ? Application->MainForm()->WindowHandle()
             : nullptr;
}

int RunMessage(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons, const std::string &title) {
  if (buttons == 0)
    buttons = mb::OK;
  if (Responder()) {
    DialogRequest request;
    request.Kind = DialogKind::Message;
    request.Type = type;
    request.Title = title;
    request.Text = text;
    request.Buttons = ButtonCaptions(buttons);
    const DialogAnswer answer = Responder()(request);
    return answer.ModalResult == mrNone ? CancelResultOf(buttons) : answer.ModalResult;
  }
  if (!Application)
    return CancelResultOf(buttons);
  TMessageForm form(nullptr, text, type, buttons, title);
  return form.ShowModal();
}
} // namespace

DialogResponder SetDialogResponder(DialogResponder responder) {
  DialogResponder previous = std::move(Responder());
  Responder() = std::move(responder);
  return previous;
}

bool RespondInsteadOfDialog(const DialogRequest &request, DialogAnswer &answer) {
  if (!Responder())
    return false;
  answer = Responder()(request);
  return true;
}

HWND DialogOwnerWindow() { return ActiveOwner(); }

const TDialogTexts &DialogTexts(TDialogLanguage language) {
  struct Translation {
    std::string TDialogTexts::*text;
    const char *english;
    const char *french;
  };
  static const Translation translations[] = {
      {&TDialogTexts::Warning, "Warning", "Avertissement"},
      {&TDialogTexts::Error, "Error", "Erreur"},
      {&TDialogTexts::Information, "Information", "Information"},
      {&TDialogTexts::Confirmation, "Confirmation", "Confirmation"},
      {&TDialogTexts::OK, "OK", "OK"},
      {&TDialogTexts::Cancel, "Cancel", "Annuler"},
      {&TDialogTexts::Abort, "&Abort", "&Abandonner"},
      {&TDialogTexts::Retry, "&Retry",
       "&R\xC3\xA9"
       "essayer"},
      {&TDialogTexts::Ignore, "&Ignore", "&Ignorer"},
      {&TDialogTexts::Yes, "&Yes", "&Oui"},
      {&TDialogTexts::No, "&No", "&Non"},
      {&TDialogTexts::ConfirmCreateDir, "The specified directory does not exist. Create it?",
       "Le r\xC3\xA9pertoire sp\xC3\xA9"
       "cifi\xC3\xA9 n'existe pas. Faut-il le cr\xC3\xA9"
       "er ?"},
      {&TDialogTexts::CannotCreateDir, "Cannot create the directory ",
       "Impossible de cr\xC3\xA9"
       "er le r\xC3\xA9pertoire "},
  };
  const auto inLanguage = [](bool french) {
    TDialogTexts texts;
    for (const Translation &translation : translations)
      texts.*translation.text = french ? translation.french : translation.english;
    return texts;
  };
  static const TDialogTexts english = inLanguage(false), french = inLanguage(true);
  return language == TDialogLanguage::French ? french : english;
}

const TDialogTexts &DialogTexts() { return DialogTexts(ChosenLanguage()); }

void SetDialogLanguage(TDialogLanguage language) { ChosenLanguage() = language; }

TDialogLanguage DialogLanguage() { return ChosenLanguage(); }

std::string MessageTitle(TMsgDlgType type) {
  const TDialogTexts &texts = DialogTexts();
  switch (type) {
  case TMsgDlgType::mtWarning: return texts.Warning;
  case TMsgDlgType::mtError: return texts.Error;
  case TMsgDlgType::mtInformation: return texts.Information;
  case TMsgDlgType::mtConfirmation: return texts.Confirmation;
  case TMsgDlgType::mtCustom: break;
  }
  return Application ? Application->Title() : std::string();
}

std::vector<std::string> ButtonCaptions(TMsgDlgButtons buttons) {
  std::vector<std::string> captions;
  for (const ButtonKind &kind : kButtons)
    if (buttons & kind.flag)
      captions.push_back(DialogTexts().*kind.caption);
  return captions;
}

int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return RunMessage(text, type, buttons, MessageTitle(type));
}

void ShowMessage(const std::string &text) { MessageDlg(text, TMsgDlgType::mtCustom, mb::OK); }

void ShowExceptionMessage(const std::string &text) {
  RunMessage(text, TMsgDlgType::mtError, mb::OK, Application ? Application->Title() : std::string());
}

void DefaultBeep() {
  if (Responder()) {
    DialogRequest request;
    request.Kind = DialogKind::Beep;
    Responder()(request);
    return;
  }
  MessageBeep(MB_OK);
}

void ToneBeep(unsigned frequency, unsigned duration) {
  if (Responder()) {
    DialogRequest request;
    request.Kind = DialogKind::Tone;
    request.Frequency = frequency;
    request.Duration = duration;
    Responder()(request);
    return;
  }
  ::Beep(frequency, duration);
}

// ---- TMessageForm

TMessageForm::TMessageForm(TComponent *owner, const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons,
                           const std::string &title)
    : TForm(owner), cancelResult_(CancelResultOf(buttons)) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(bi::SystemMenu);
  SetPosition(TPosition::poScreenCenter);
  SetCaption(title);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    Font().SetName(Narrow(metrics.lfMessageFont.lfFaceName));
    Font().SetHeight(metrics.lfMessageFont.lfHeight);
  }
  const wchar_t *iconName = nullptr;
  switch (type) {
  case TMsgDlgType::mtWarning: iconName = IDI_WARNING; break;
  case TMsgDlgType::mtError: iconName = IDI_ERROR; break;
  case TMsgDlgType::mtInformation: iconName = IDI_INFORMATION; break;
  case TMsgDlgType::mtConfirmation: iconName = IDI_QUESTION; break;
  case TMsgDlgType::mtCustom: break;
  }
  if (iconName)
    icon_ = LoadIconW(nullptr, iconName);

  constexpr int margin = 12, iconSize = 32, buttonHeight = 25, buttonGap = 8;
  const int textLeft = icon_ ? margin + iconSize + margin : margin;

  message_ = new TLabel(this); // owned by the form
  message_->SetName("Message");
  message_->SetParent(this);
  message_->SetShowAccelChar(false);
  message_->SetAutoSize(false);
  message_->SetWordWrap(true);
  WindowDC screen(nullptr);
  TCanvas measure(screen.get());
  measure.Font() = Font();
  RECT textRect{0, 0, std::max(GetSystemMetrics(SM_CXSCREEN) / 2, 200), 0};
  measure.DrawText(text.empty() ? std::string(" ") : text, textRect,
                   DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  message_->SetBounds(textLeft, margin + (icon_ && textRect.bottom < iconSize ? (iconSize - textRect.bottom) / 2 : 0),
                      textRect.right, textRect.bottom);
  message_->SetCaption(text);

  const int defaultResult = DefaultResultOf(buttons);
  int buttonsWidth = 0;
  for (const ButtonKind &kind : kButtons) {
    if (!(buttons & kind.flag))
      continue;
    const std::string &caption = DialogTexts().*kind.caption;
    auto *button = new TButton(this); // owned by the form
    button->SetParent(this);
    button->SetCaption(caption);
    button->SetModalResult(kind.result);
    if (kind.result == defaultResult)
      button->SetDefault(true);
    if (kind.result == cancelResult_)
      button->SetCancel(true);
    RECT captionRect{0, 0, 0, 0};
    measure.DrawText(caption, captionRect, DT_CALCRECT | DT_SINGLELINE);
    button->SetBounds(0, 0, std::max(75, static_cast<int>(captionRect.right) + 16), buttonHeight);
    buttonsWidth += button->Width() + (buttons_.empty() ? 0 : buttonGap);
    buttons_.push_back(button);
  }
  const int contentBottom = std::max<int>(message_->Top() + message_->Height(), icon_ ? margin + iconSize : 0);
  const int clientWidth = std::max(textLeft + static_cast<int>(textRect.right) + margin, buttonsWidth + 2 * margin);
  const int buttonsTop = contentBottom + 16;
  int x = (clientWidth - buttonsWidth) / 2;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->SetBounds(x, buttonsTop, buttons_[i]->Width(), buttonHeight);
    buttons_[i]->SetTabOrder(static_cast<int>(i));
    x += buttons_[i]->Width() + buttonGap;
  }
  SetClientSize(clientWidth, buttonsTop + buttonHeight + margin);
  if (TButton *first = Button(defaultResult))
    SetActiveControl(first);
  else if (!buttons_.empty())
    SetActiveControl(buttons_.front());
}

TButton *TMessageForm::Button(int modalResult) const {
  for (TButton *button : buttons_)
    if (button->ModalResult() == modalResult)
      return button;
  return nullptr;
}

void TMessageForm::PaintWindow(HDC dc) {
  if (icon_)
    DrawIconEx(dc, 12, 12, icon_, 32, 32, 0, nullptr, DI_NORMAL);
}

void TMessageForm::WndProc(TMessage &message) {
  if (message.Msg == WM_CLOSE) {
    SetModalResult(cancelResult_);
    return;
  }
  TForm::WndProc(message);
}

// ---- SelectDirectory

namespace {
bool IsAbsolutePath(const std::string &path) {
  return (path.size() >= 2 && path[1] == ':') || (path.size() >= 2 && path[0] == '\\' && path[1] == '\\');
}

// Asks to create a folder that does not exist; false when refused or failed
// (the failure is shown).
bool ConfirmAndCreate(const std::string &path) {
  if (MessageDlg(DialogTexts().ConfirmCreateDir, TMsgDlgType::mtConfirmation, mb::Yes | mb::No) != mrYes)
    return false;
  const int result = SHCreateDirectoryExW(nullptr, WinPath(path).c_str(), nullptr);
  if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) {
    MessageDlg(DialogTexts().CannotCreateDir + path + "\n" + SystemErrorMessage(static_cast<DWORD>(result)),
               TMsgDlgType::mtError, mb::OK);
    return false;
  }
  return true;
}

// The system's folder dialog shows the chosen folder's name in an edit box
// the user may type into. A typed name that is not an existing folder is
// offered for creation when OK is pressed; if the user says no, the dialog
// stays open.
struct BrowseState {
  std::string start;
  std::string current; // folder selected in the tree
  std::string typed;   // a typed folder that exists (or was just created)
  HWND edit = nullptr; // the dialog's edit box, not owned
  bool userEdited = false;
  TWindowSubclass dialogSubclass;
  TWindowSubclass editSubclass;
};

std::string EditText(HWND edit) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())), 0)));
  return Trim(Narrow(text));
}

LRESULT BrowseEditProc(BrowseState &state, TWindowSubclass &subclass, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CHAR:
  case WM_PASTE:
  case WM_CUT:
  case WM_CLEAR: state.userEdited = true; break;
  case WM_KEYDOWN:
    if (wParam == VK_DELETE)
      state.userEdited = true;
    break;
  default: break;
  }
  return subclass.CallOld(message, wParam, lParam);
}

// An exception on the way leaves the dialog open (the subclass answers 0).
LRESULT BrowseDialogProc(BrowseState &state, TWindowSubclass &subclass, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && state.userEdited && state.edit) {
    std::string typed = EditText(state.edit);
    if (!typed.empty()) {
      if (!IsAbsolutePath(typed))
        typed = IncludeTrailingPathDelimiter(state.current) + typed;
      if (!DirectoryExists(typed) && !ConfirmAndCreate(typed))
        return 0; // stays open for another choice
      state.typed = typed;
    }
  }
  return subclass.CallOld(message, wParam, lParam);
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
  auto *state = reinterpret_cast<BrowseState *>(data);
  try {
    switch (message) {
    case BFFM_INITIALIZED: {
      EnumChildWindows(
          window,
          [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (_wcsicmp(name, L"Edit") != 0)
              return TRUE;
            *reinterpret_cast<HWND *>(found) = child;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&state->edit));
      state->dialogSubclass.Attach(window, [state](TWindowSubclass &subclass, UINT msg, WPARAM w, LPARAM l) {
        return BrowseDialogProc(*state, subclass, msg, w, l);
      });
      if (state->edit)
        state->editSubclass.Attach(state->edit, [state](TWindowSubclass &subclass, UINT msg, WPARAM w, LPARAM l) {
          return BrowseEditProc(*state, subclass, msg, w, l);
        });
      if (!state->start.empty()) {
        std::wstring start = Wide(state->start);
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
      }
      return 0;
    }
    case BFFM_SELCHANGED: {
      // The dialog writes the new folder's name into the edit box.
      state->userEdited = false;
      wchar_t path[MAX_PATH] = {};
      if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
        state->current = Narrow(path);
      return 0;
    }
    default: return 0;
    }
  } catch (...) {
    HandleException(std::current_exception());
    return 0;
  }
}

struct CoTaskMemPidl {
  PIDLIST_ABSOLUTE pidl;
  ~CoTaskMemPidl() {
    if (pidl)
      CoTaskMemFree(pidl);
  }
};
} // namespace

bool SelectDirectory(const std::string &start, std::string &chosen) {
  std::string path;
  if (Responder()) {
    DialogRequest request;
    request.Kind = DialogKind::SelectDirectory;
    request.Path = start;
    const DialogAnswer answer = Responder()(request);
    if (answer.ModalResult != mrOk || answer.Path.empty())
      return false;
    path = answer.Path;
    if (!DirectoryExists(path) && !ConfirmAndCreate(path))
      return false;
  } else {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct ComScope {
      HRESULT result;
      ~ComScope() {
        if (SUCCEEDED(result))
          CoUninitialize();
      }
    } comScope{com};
    BrowseState state;
    state.start = state.current = start;
    BROWSEINFOW info{};
    info.hwndOwner = ActiveOwner();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    CoTaskMemPidl result{SHBrowseForFolderW(&info)};
    if (result.pidl && !state.typed.empty()) {
      path = state.typed;
    } else {
      if (!result.pidl)
        return false;
      wchar_t buffer[MAX_PATH] = {};
      if (!SHGetPathFromIDListW(result.pidl, buffer))
        return false;
      path = Narrow(buffer);
    }
  }
  // No trailing separator, except for a drive's root.
  while (path.size() > 3 && path.back() == '\\')
    path.pop_back();
  chosen = path;
  return true;
}

// ---- TSaveDialog

bool TSaveDialog::Execute() {
  if (Responder()) {
    DialogRequest request;
    request.Kind = DialogKind::SaveFile;
    request.Title = title_;
    request.Path = fileName_;
    request.DefaultExt = defaultExt_;
    const DialogAnswer answer = Responder()(request);
    if (answer.ModalResult != mrOk)
      return false;
    fileName_ = answer.Path;
    return true;
  }
  std::wstring buffer = Wide(fileName_);
  buffer.resize(32768, L'\0');
  const std::wstring extension = Wide(defaultExt_);
  const std::wstring title = Wide(title_);
  OPENFILENAMEW open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = ActiveOwner();
  open.lpstrFile = buffer.data();
  open.nMaxFile = static_cast<DWORD>(buffer.size());
  open.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  open.lpstrTitle = title.empty() ? nullptr : title.c_str();
  open.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameW(&open)) {
    if (const DWORD error = CommDlgExtendedError())
      LogOSError("GetSaveFileName", error);
    return false;
  }
  fileName_ = Narrow(buffer.c_str());
  return true;
}

} // namespace zorvex
