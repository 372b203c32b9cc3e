#include "RecycleBin.h"

#include <algorithm>
#include <vector>

#include "ComparePanel.h"
#include "FileCompare.h"
#include "framework/core/Paths.h"
#include "scan/ResultTables.h"

namespace zorvex {

namespace {
bool IsExistingFile(const std::string &text) { return IsFileCaption(text) && FileExists(text); }

// Paths numbered by first appearance, with the grid's pairs as edges from the
// earlier-found file to the later one.
class PairGraph {
public:
  explicit PairGraph(const TGridModel &grid) {
    for (int row = 1; row < grid.RowCount(); ++row) {
      const std::string &first = grid.Cell(doubles_col::First, row);
      const std::string &second = grid.Cell(doubles_col::Double, row);
      const int from = IsFileCaption(first) ? Node(first) : -1;
      const int to = IsFileCaption(second) ? Node(second) : -1;
      if (from >= 0 && to >= 0 && from != to) {
        next_[from].push_back(to);
        hasEarlier_[to] = true;
        Join(from, to);
      }
    }
  }

  // Members of every set, the file found first leading: chains are followed
  // from their heads; what a cycle leaves over comes in appearance order.
  std::vector<std::vector<int>> OrderedSets() {
    std::vector<std::vector<int>> sets(paths_.size());
    std::vector<bool> placed(paths_.size(), false);
    const auto walk = [&](int head) {
      std::vector<int> stack{head};
      while (!stack.empty()) {
        const int node = stack.back();
        stack.pop_back();
        if (placed[node])
          continue;
        placed[node] = true;
        sets[Root(node)].push_back(node);
        for (auto it = next_[node].rbegin(); it != next_[node].rend(); ++it)
          stack.push_back(*it);
      }
    };
    for (int node = 0; node < static_cast<int>(paths_.size()); ++node)
      if (!hasEarlier_[node])
        walk(node);
    for (int node = 0; node < static_cast<int>(paths_.size()); ++node)
      walk(node);
    return sets;
  }

  const std::string &Path(int node) const { return paths_[node]; }

private:
  int Node(const std::string &path) {
    const auto [it, added] = ids_.try_emplace(path, static_cast<int>(paths_.size()));
    if (added) {
      paths_.push_back(path);
      next_.emplace_back();
      hasEarlier_.push_back(false);
      parent_.push_back(it->second);
    }
    return it->second;
  }
  int Root(int node) {
    while (parent_[node] != node)
      node = parent_[node] = parent_[parent_[node]];
    return node;
  }
  void Join(int a, int b) {
    a = Root(a);
    b = Root(b);
    if (a != b)
      parent_[std::max(a, b)] = std::min(a, b);
  }

  std::map<std::string, int> ids_;
  std::vector<std::string> paths_;
  std::vector<std::vector<int>> next_;
  std::vector<bool> hasEarlier_;
  std::vector<int> parent_;
};
} // namespace

TWorkSteps &NoWindowSteps() {
  struct GoOn : TWorkSteps {
    bool Step(int64_t, int64_t) override { return true; }
    bool StepNow() override { return true; }
  };
  static GoOn steps;
  return steps;
}

std::optional<std::map<std::string, std::string>> KeptCopies(const TGridModel &grid, TWorkSteps &steps) {
  PairGraph graph(grid);
  std::map<std::string, std::string> kept;
  for (const std::vector<int> &members : graph.OrderedSets()) {
    std::string keeper;
    for (const int node : members) {
      if (!steps.Step(0, 0))
        return std::nullopt;
      if (FileExists(graph.Path(node))) {
        keeper = graph.Path(node);
        break;
      }
    }
    for (const int node : members)
      kept[graph.Path(node)] = keeper;
  }
  return kept;
}

RecycleAllReport RecycleAllDoubles(TGridModel &grid, bool french, const Recycler &recycle, const Beeper &beep,
                                   TWorkSteps &steps) {
  RecycleAllReport report;
  const auto stop = [&report] {
    report.stopped = true;
    return report;
  };
  const std::optional<std::map<std::string, std::string>> kept = KeptCopies(grid, steps);
  if (!kept)
    return stop();

  // The rows to check against their kept copies, and the bytes that reads.
  // The kept copy itself, a set with no copy left to keep and a file that is
  // gone all stay where they are.
  struct Check {
    int row;
    std::string path;
    std::string keeper;
    int64_t bytes;
  };
  std::vector<Check> checks;
  int64_t total = 0;
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!steps.Step(0, 0))
      return stop();
    const std::string path = grid.Cell(doubles_col::Double, row);
    const auto keeper = kept->find(path);
    const std::optional<int64_t> size = IsExistingFile(path) ? PanelFileSize(path) : std::nullopt;
    if (!size || keeper == kept->end() || keeper->second.empty() || keeper->second == path) {
      beep();
      continue;
    }
    checks.push_back({row, path, keeper->second, *size * 2});
    total += *size * 2;
  }

  int64_t done = 0;
  for (const Check &check : checks) {
    const ContentMatch match = CompareFileContents(check.path, check.keeper, [&](int64_t read, int64_t) {
      return steps.Step(done + std::min(read, check.bytes), total);
    });
    done += check.bytes;
    switch (match) {
    case ContentMatch::Identical: break;
    case ContentMatch::Stopped: return stop();
    case ContentMatch::Different: ++report.kept.changed; break;
    case ContentMatch::Unreadable: ++report.kept.unchecked; break;
    case ContentMatch::SameFile: ++report.kept.sameFile; break;
    }
    if (match != ContentMatch::Identical) {
      beep();
      continue;
    }
    if (!steps.StepNow())
      return stop();
    if (recycle(check.path)) {
      ++report.recycled;
      grid.SetCell(doubles_col::Double, check.row, RecycleAllMarkerText(french));
    } else {
      beep();
    }
    if (!steps.StepNow())
      return stop();
  }
  return report;
}

RecycleOneOutcome RecycleOneFile(TGridModel &grid, int doubleCount, const std::string &thisPath,
                                 const std::string &otherPath, const std::string &suppressedMarker,
                                 const Recycler &recycle, TWorkSteps &steps) {
  if (!IsExistingFile(thisPath) || !IsExistingFile(otherPath))
    return RecycleOneOutcome::NotFound;
  switch (CompareFileContents(thisPath, otherPath,
                              [&steps](int64_t read, int64_t total) { return steps.Step(read, total); })) {
  case ContentMatch::Identical: break;
  case ContentMatch::Unreadable: return RecycleOneOutcome::Unchecked;
  case ContentMatch::Different: return RecycleOneOutcome::Changed;
  case ContentMatch::SameFile: return RecycleOneOutcome::SameFile;
  case ContentMatch::Stopped: return RecycleOneOutcome::Stopped;
  }
  if (!steps.StepNow())
    return RecycleOneOutcome::Stopped;
  if (!recycle(thisPath))
    return RecycleOneOutcome::ShellFailed;
  // Once the file is gone, the grid says so, whatever the window does next.
  for (int row = 1; row <= doubleCount; ++row)
    for (const int col : {doubles_col::First, doubles_col::Double})
      if (grid.Cell(col, row) == thisPath)
        grid.SetCell(col, row, suppressedMarker);
  steps.StepNow();
  return RecycleOneOutcome::Recycled;
}

} // namespace zorvex
