#include "DoublesActions.h"

#include "ActionTexts.h"
#include "OpenFile.h"
#include "SaveList.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"

namespace zorvex {

namespace {
PairSide Other(PairSide side) { return side == PairSide::First ? PairSide::Second : PairSide::First; }

// BeginWork and EndWork, also when the work fails.
class WorkScope {
public:
  explicit WorkScope(TActionHost &host) : host_(host) { host_.BeginWork(); }
  ~WorkScope() { host_.EndWork(); }
  WorkScope(const WorkScope &) = delete;
  WorkScope &operator=(const WorkScope &) = delete;

private:
  TActionHost &host_;
};
} // namespace

bool RecyclePanelFile(PanelState &panel, PairSide side, TGridModel &grid, int doubleCount, bool french,
                      std::string &suppressedMarker, TActionHost &host) {
  const std::string thisPath = panel.Side(side).caption;
  const std::string otherPath = panel.Side(Other(side)).caption;
  if (!host.ConfirmWarning(RecycleOneConfirmText(thisPath, french)))
    return false;
  suppressedMarker = SuppressedMarkerText(french);
  const Recycler recycle = [&host](const std::string &path) { return host.Recycle(path); };
  RecycleOneOutcome outcome;
  {
    WorkScope work(host);
    outcome = RecycleOneFile(grid, doubleCount, thisPath, otherPath, suppressedMarker, recycle, host);
  }
  switch (outcome) {
  case RecycleOneOutcome::Recycled: MarkPanelFileRecycled(panel, side); return true;
  case RecycleOneOutcome::NotFound: host.ShowPlain(RecycleNotFoundText(side, french)); break;
  case RecycleOneOutcome::Changed:
    host.Beep();
    host.ShowError(RecycleChangedText(thisPath, french));
    break;
  case RecycleOneOutcome::SameFile:
    host.Beep();
    host.ShowError(RecycleSameFileText(thisPath, french));
    break;
  case RecycleOneOutcome::Unchecked:
    host.Beep();
    host.ShowError(RecycleUncheckedText(thisPath, french));
    break;
  case RecycleOneOutcome::ShellFailed:
  case RecycleOneOutcome::Stopped: break;
  }
  return false;
}

void RecycleAllFiles(TGridModel &grid, bool french, TActionHost &host) {
  if (!host.ConfirmWarning(RecycleAllConfirmText(french)))
    return;
  RecycleAllReport report;
  {
    WorkScope work(host);
    report = RecycleAllDoubles(
        grid, french, [&host](const std::string &path) { return host.Recycle(path); }, [&host] { host.Beep(); }, host);
  }
  if (!report.stopped)
    host.ShowInformation(RecycledCountText(report.recycled, report.kept, french));
}

void OpenPanelFile(const PanelState &panel, PairSide side, bool french, TActionHost &host) {
  const OpenResult result = OpenWithAssociation(
      panel.Side(side).caption, side, french,
      [&host](const std::string &folder, const std::string &path) { return host.OpenWithShell(folder, path); });
  switch (result.kind) {
  case OpenResult::Kind::Beep: host.Beep(); break;
  case OpenResult::Kind::Opened: break;
  case OpenResult::Kind::Failed: host.ShowError(result.errorText); break;
  }
}

void SaveListToFile(const std::string &path, const TGridModel &grid, int doubleCount, bool french, TActionHost &host) {
  if (!path.empty() && FileExists(path) && !host.ConfirmWarning(OverwriteText(path, french))) {
    host.Tone(1000, 20);
    Abort();
  }
  const SaveResult saved = SaveDoublesList(path, grid, doubleCount);
  switch (saved.outcome) {
  case SaveOutcome::Saved: host.ShowInformation(SavedText(path, doubleCount, saved.replacedRows, french)); break;
  case SaveOutcome::CannotCreate: host.Beep(); break;
  case SaveOutcome::WriteFailed:
    host.Beep();
    host.ShowError(SaveFailedText(path, french));
    break;
  }
}

} // namespace zorvex
