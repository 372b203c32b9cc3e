#pragma once
// What the scan engine sees of its user interface. The main window implements
// it over its controls, zorvex-cli over the console, tests with a fake. The
// engine reads the options again at every use, so a change made during a
// scan applies from the next directory entry on.

#include <string>

#include "scan/ResultTables.h"
#include "scan/ScanOptions.h"

namespace zorvex {

class TGridModel;

enum class MessageKind { Plain, Warning, Error, Information };

// The buttons whose enabled state the scan sets.
enum class ScanButton { Start, Abort, Print, Save, RecycleAll };

class ScanHost {
public:
  virtual ~ScanHost() = default;

  // The options as they stand now. The reference may change at the next call.
  virtual const ScanOptions &Options() = 0;
  // The interface language is French.
  virtual bool French() = 0;

  // False for a host that shows no files or directories grid (the command
  // line): the scan then keeps them in its state alone, and opens only the
  // files it must compare.
  virtual bool HasFileGrids() { return true; }
  // The result grids; the files and directories grids are asked for only
  // when the host has them.
  virtual TGridModel &Grid(ResultGrid grid) = 0;
  // Shows the files and directories grids (over whatever shares their place).
  virtual void ShowFileGrids() = 0;

  // The phase label.
  virtual void SetPhaseText(const std::string &text) = 0;
  virtual void SetPhaseVisible(bool visible) = 0;
  // The progress bar: Min 0, Max 100, Step 1.
  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void ProgressStepIt() = 0;

  virtual void SetButtonEnabled(ScanButton button, bool enabled) = 0;

  // Lets the user interface run: cheap, called at fine-grained points.
  virtual void Yield() = 0;
  // A modal box with one OK button; returns when it is closed.
  virtual void ShowMessage(MessageKind kind, const std::string &text) = 0;
};

// A progress bar's arithmetic, for hosts without a control that has it:
// the position stays within Min..Max, and a step past Max starts over from
// Min as the system's progress control does.
struct ProgressBarState {
  int Min = 0;
  int Max = 100;
  int Step = 1;
  int Position = 0;

  void SetPosition(int position);
  void StepIt();
};

} // namespace zorvex
