#pragma once
// A scan host without windows: options set by the test, grids in memory, and
// a record of what the scan showed. Hooks let a test act while the scan
// yields or when a phase starts, as a user would.

#include "framework/core/GridModel.h"
#include "scan/ScanHost.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zorvex::test {

struct ShownMessage {
  MessageKind kind;
  std::string text;
};

class FakeScanHost : public ScanHost {
public:
  FakeScanHost() {
    for (ResultGrid grid : {ResultGrid::Files, ResultGrid::Dirs, ResultGrid::Doubles}) {
      grids.emplace(grid, MakeResultGrid(grid));
      SetHeaderRow(grids.at(grid), grid, false);
    }
    for (ScanButton button :
         {ScanButton::Start, ScanButton::Abort, ScanButton::Print, ScanButton::Save, ScanButton::RecycleAll})
      buttons[button] = button == ScanButton::Start;
  }

  ScanOptions options;
  bool french = false;
  std::map<ResultGrid, TGridModel> grids;
  std::map<ScanButton, bool> buttons;
  bool fileGridsShown = false;
  std::string phaseText;
  std::vector<std::string> phaseTexts;
  bool phaseVisible = false;
  bool progressVisible = false;
  ProgressBarState progress;
  int yields = 0;
  std::vector<ShownMessage> messages;

  std::function<void()> onYield;
  std::function<void(const std::string &)> onPhase; // after the label changed

  TGridModel &Files() { return grids.at(ResultGrid::Files); }
  TGridModel &Dirs() { return grids.at(ResultGrid::Dirs); }
  TGridModel &Doubles() { return grids.at(ResultGrid::Doubles); }

  const ScanOptions &Options() override { return options; }
  bool French() override { return french; }
  TGridModel &Grid(ResultGrid grid) override { return grids.at(grid); }
  void ShowFileGrids() override { fileGridsShown = true; }
  void SetPhaseText(const std::string &text) override {
    phaseText = text;
    phaseTexts.push_back(text);
    if (onPhase)
      onPhase(text);
  }
  void SetPhaseVisible(bool visible) override { phaseVisible = visible; }
  void SetProgressVisible(bool visible) override { progressVisible = visible; }
  void SetProgressPosition(int position) override { progress.SetPosition(position); }
  void ProgressStepIt() override { progress.StepIt(); }
  void SetButtonEnabled(ScanButton button, bool enabled) override { buttons[button] = enabled; }
  void Yield() override {
    ++yields;
    if (onYield)
      onYield();
  }
  void ShowMessage(MessageKind kind, const std::string &text) override { messages.push_back({kind, text}); }
};

} // namespace zorvex::test
