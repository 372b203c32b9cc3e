#pragma once
// The main window's side of the actions on the doubles: the boxes, beeps and
// shell requests the portable handlers ask for, the comparison panel's
// controls read and written as a panel state, the previews, and the printer
// as the print layout's canvas. The window's handlers only call in here.

#include <string>
#include <utility>
#include <vector>

#include "actions/DoublesActions.h"
#include "framework/win/Controls.h"

namespace zorvex {

class TForm1;

class TMainActionHost : public TActionHost {
public:
  explicit TMainActionHost(TForm1 &form) : form_(form) {}
  bool ConfirmWarning(const std::string &text) override;
  void ShowError(const std::string &text) override;
  void ShowInformation(const std::string &text) override;
  void ShowPlain(const std::string &text) override;
  void Beep() override;
  void Tone(int frequency, int milliseconds) override;
  // Owned by the application window, as the program's own boxes are.
  bool Recycle(const std::string &path) override;
  int OpenWithShell(const std::string &folder, const std::string &path) override;

  // While the byte checks run, Start, Print, Save, the recycle buttons and
  // the panel's buttons are disabled, clicks on the doubles grid do nothing
  // (a sort would move the rows under the work, a new pair would enable the
  // panel's buttons), and the progress bar shows how far the checks are.
  // Everything is as it was again at EndWork.
  void BeginWork() override;
  void EndWork() override;
  // The work stops once the window is closed.
  bool Step(int64_t done, int64_t total) override;
  bool StepNow() override;

private:
  bool WindowOpen() const;

  TForm1 &form_;
  std::vector<std::pair<TControl *, bool>> enabled_; // disabled by BeginWork, with their state before
  bool progressShown_ = false;
  int progressPosition_ = 0;
  int shownPosition_ = 0;
};

// The handlers of the doubles grid and of the panel's and list's buttons.
void ShowPairInPanel(TForm1 &form, int row);
void DoublesMouseUp(TForm1 &form, TMouseButton button, int x, int y);
void RecycleFromPanel(TForm1 &form, PairSide side);
void RecycleEveryDouble(TForm1 &form);
void OpenFromPanel(TForm1 &form, PairSide side);
void SaveDoubles(TForm1 &form);
// On the default printer; a missing printer raises the framework's error.
void PrintDoubles(TForm1 &form);

} // namespace zorvex
