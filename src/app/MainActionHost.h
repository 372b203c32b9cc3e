#pragma once
// The main window's side of the actions on the doubles: the boxes, beeps and
// shell requests the portable handlers ask for, the comparison panel's
// controls read and written as a panel state, the previews, and the printer
// as the print layout's canvas. The window's handlers only call in here.

#include <string>

#include "actions/DoublesActions.h"
#include "framework/win/Controls.h"

namespace zorvex {

class TForm1;

class TMainActionHost : public TActionHost {
public:
  bool ConfirmWarning(const std::string &text) override;
  void ShowError(const std::string &text) override;
  void ShowInformation(const std::string &text) override;
  void ShowPlain(const std::string &text) override;
  void Beep() override;
  void Tone(int frequency, int milliseconds) override;
  // Owned by the application window, as the program's own boxes are.
  bool Recycle(const std::string &path) override;
  int OpenWithShell(const std::string &folder, const std::string &path) override;
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
