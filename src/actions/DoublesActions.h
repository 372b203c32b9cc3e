#pragma once
// The button handlers of the comparison panel and of the doubles list, as
// the main window runs them: boxes, beeps, shell requests and the changes to
// the grid and the panel. The window supplies the host and stays thin.

#include <string>

#include "ComparePanel.h"
#include "RecycleBin.h"
#include "framework/core/GridModel.h"

namespace zorvex {

// What the handlers need from the window system. The byte checks before
// recycling report their steps to it (see TWorkSteps).
class TActionHost : public TWorkSteps {
public:
  // Warning box with OK and Abort: false only for Abort.
  virtual bool ConfirmWarning(const std::string &text) = 0;
  virtual void ShowError(const std::string &text) = 0;
  virtual void ShowInformation(const std::string &text) = 0;
  // No icon, the application's title.
  virtual void ShowPlain(const std::string &text) = 0;
  virtual void Beep() = 0;
  virtual void Tone(int frequency, int milliseconds) = 0;
  // The shell: true when the file went to the Recycle Bin.
  virtual bool Recycle(const std::string &path) = 0;
  // The shell's result for opening the file, after making folder current.
  virtual int OpenWithShell(const std::string &folder, const std::string &path) = 0;
  // Around the byte checks: while they run, nothing else may act on the
  // doubles, and the progress is shown.
  virtual void BeginWork() = 0;
  virtual void EndWork() = 0;
};

// The recycle button of one file of the panel. Refreshes suppressedMarker
// from the language once confirmed. True when the file went and the panel
// changed (the window then shows it again and drops that file's preview).
bool RecyclePanelFile(PanelState &panel, PairSide side, TGridModel &grid, int doubleCount, bool french,
                      std::string &suppressedMarker, TActionHost &host);

// The recycle-all button: every double of the grid, after one confirmation,
// then the count and what was kept for which reason. The panel is left as it
// is. Work stopped by the window says nothing more.
void RecycleAllFiles(TGridModel &grid, bool french, TActionHost &host);

// The open button of one file of the panel.
void OpenPanelFile(const PanelState &panel, PairSide side, bool french, TActionHost &host);

// The save button once the dialog has run (`path` empty when cancelled).
// Declining to overwrite ends silently with EAbort after a short tone.
void SaveListToFile(const std::string &path, const TGridModel &grid, int doubleCount, bool french, TActionHost &host);

} // namespace zorvex
