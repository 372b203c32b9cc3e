#pragma once
// The main window as the scan's user interface: the options are read from
// its controls, the results go into its three grids, and the phase label,
// progress bar and buttons show where the scan stands. The scan itself is
// the portable pipeline; this unit only adapts the controls.

#include <windows.h>
// <windows.h> keeps an empty Yield() macro from 16-bit days; it would swallow
// the host's Yield.
#undef Yield

#include "ZorvexFP.h"
#include "scan/ScanHost.h"
#include "scan/ScanPipeline.h"

namespace zorvex {

class MainScanHost : public ScanHost {
public:
  explicit MainScanHost(TForm1 &form, ScanState &state = MainScan);
  MainScanHost(const MainScanHost &) = delete;
  MainScanHost &operator=(const MainScanHost &) = delete;

  // The scan behind Start, and its Abort.
  void Start();
  void Abort() { pipeline_.Abort(); }

  // The option controls as they stand. During a scan they are read again
  // only after the user interface has run (a pump of the message loop or a
  // message box), since nothing else changes them: reading five controls
  // through their window messages at every entry would cost more than the
  // scan itself.
  const ScanOptions &Options() override;
  bool French() override;
  TGridModel &Grid(ResultGrid grid) override;
  void ShowFileGrids() override;
  void SetPhaseText(const std::string &text) override;
  void SetPhaseVisible(bool visible) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressPosition(int position) override;
  void ProgressStepIt() override;
  void SetButtonEnabled(ScanButton button, bool enabled) override;
  // The throttled yield; once the program is ending (its window closed
  // during the scan), the scan is told to stop.
  void Yield() override;
  void ShowMessage(MessageKind kind, const std::string &text) override;

private:
  class PumpWatch;

  TForm1 &form_;
  ScanPipeline pipeline_;
  ScanOptions options_;
  int watches_ = 0;             // scans started here and still running
  bool optionsCurrent_ = false; // options_ hold the controls as they stand
};

} // namespace zorvex
