#pragma once
// Message boxes (framework forms of class "TMessageForm"), beeps, the
// directory chooser and the save dialog. Each goes through a responder when
// one is set, so that tests can see the box (kind, title, text, buttons) and
// answer it; without one the real dialog runs.
//
// The boxes' titles and button captions are the framework's own texts, in
// the language the program chooses for them: English unless it chooses
// French.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Forms.h"
#include "StdCtrls.h"

namespace zorvex {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

namespace mb {
constexpr unsigned OK = 1, Cancel = 2, Abort = 4, Retry = 8, Ignore = 16, Yes = 32, No = 64;
}
using TMsgDlgButtons = unsigned;

// The framework's own texts: box titles, button captions and the folder
// chooser's questions.
struct TDialogTexts {
  std::string Warning, Error, Information, Confirmation;
  std::string OK, Cancel, Abort, Retry, Ignore, Yes, No;
  std::string ConfirmCreateDir, CannotCreateDir;
};
enum class TDialogLanguage { English, French };
const TDialogTexts &DialogTexts(TDialogLanguage language);
// The texts in the language chosen, English until a program chooses.
const TDialogTexts &DialogTexts();
void SetDialogLanguage(TDialogLanguage language);
TDialogLanguage DialogLanguage();

enum class DialogKind { Message, Beep, Tone, SelectDirectory, SaveFile, OpenFile };

struct DialogRequest {
  DialogKind Kind = DialogKind::Message;
  TMsgDlgType Type = TMsgDlgType::mtCustom;
  std::string Title;
  std::string Text;
  std::vector<std::string> Buttons; // captions, in the order shown
  std::string Path;                 // chooser: start folder; file dialogs: preset file name
  std::string DefaultExt;           // file dialogs
  std::string Filter = {};          // open dialog: "Description|*.ext|..." pairs
  std::string InitialDir = {};      // open dialog
  bool MultiSelect = false;         // open dialog
  unsigned Frequency = 0;           // tone beep, Hz
  unsigned Duration = 0;            // tone beep, ms
};

struct DialogAnswer {
  int ModalResult = mrNone;            // message boxes; mrOk or mrCancel for the chooser and the save dialog
  std::string Path;                    // chooser and file dialogs
  std::vector<std::string> Paths = {}; // open dialog with several files chosen (else Path)
};

using DialogResponder = std::function<DialogAnswer(const DialogRequest &request)>;
// Installs the responder; returns the previous one. An empty responder
// brings back the real dialogs.
DialogResponder SetDialogResponder(DialogResponder responder);
// Asks the responder, when one is set, in place of a real dialog.
bool RespondInsteadOfDialog(const DialogRequest &request, DialogAnswer &answer);
// The window a dialog belongs to: the active one, else the main form's.
HWND DialogOwnerWindow();

// A modal box; returns the modal result of the button pressed. Closing the
// box without a button (Escape, the close box) gives the result of its
// cancelling button: Cancel, else Abort, else No, else OK, so that a box
// asking to confirm a destructive action is never confirmed by closing it.
int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons);
// A plain box (no icon, the application's title) with OK.
void ShowMessage(const std::string &text);
// How an exception is shown: error icon, the application's title, OK.
void ShowExceptionMessage(const std::string &text);

void DefaultBeep();
void ToneBeep(unsigned frequency, unsigned duration);

class TMessageForm : public TForm {
public:
  TMessageForm(TComponent *owner, const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons,
               const std::string &title);
  std::string ClassName() const override { return "TMessageForm"; }
  TLabel *Message() const { return message_; }
  // The button with this modal result, or null.
  TButton *Button(int modalResult) const;
  int CancelResult() const { return cancelResult_; }

protected:
  void PaintWindow(HDC dc) override;
  void WndProc(TMessage &message) override;

private:
  TLabel *message_ = nullptr;
  std::vector<TButton *> buttons_;
  HICON icon_ = nullptr; // shared system icon, not owned
  int cancelResult_ = mrCancel;
};

// The caption and title of a box as the framework shows them.
std::string MessageTitle(TMsgDlgType type);
std::vector<std::string> ButtonCaptions(TMsgDlgButtons buttons);

// Asks for a folder, starting at `start`. A folder that does not exist yet
// may be named; it is created after the user confirms. False when the user
// cancels (or refuses to create the folder, or it cannot be created).
bool SelectDirectory(const std::string &start, std::string &chosen);

// The save-file dialog: no file-type filter, no overwrite prompt, and the
// process's current folder left as it was.
class TSaveDialog : public TComponent {
public:
  explicit TSaveDialog(TComponent *owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TSaveDialog"; }
  const std::string &FileName() const { return fileName_; }
  void SetFileName(const std::string &name) { fileName_ = name; }
  const std::string &DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string &extension) { defaultExt_ = extension; }
  const std::string &Title() const { return title_; }
  void SetTitle(const std::string &title) { title_ = title; }
  // True when the user confirmed; FileName is then the full path.
  bool Execute();

private:
  std::string fileName_;
  std::string defaultExt_;
  std::string title_;
};

} // namespace zorvex
