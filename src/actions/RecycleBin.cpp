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

std::map<std::string, std::string> KeptCopies(const TGridModel &grid) {
  PairGraph graph(grid);
  std::map<std::string, std::string> kept;
  for (const std::vector<int> &members : graph.OrderedSets()) {
    std::string keeper;
    for (const int node : members)
      if (FileExists(graph.Path(node))) {
        keeper = graph.Path(node);
        break;
      }
    for (const int node : members)
      kept[graph.Path(node)] = keeper;
  }
  return kept;
}

int RecycleAllDoubles(TGridModel &grid, bool french, const Recycler &recycle, const Beeper &beep) {
  const std::map<std::string, std::string> kept = KeptCopies(grid);
  int count = 0;
  for (int row = 1; row < grid.RowCount(); ++row) {
    const std::string path = grid.Cell(doubles_col::Double, row);
    if (!IsExistingFile(path)) {
      beep();
      continue;
    }
    // The kept copy itself, a set with no copy left to keep, and a file that
    // no longer matches the copy all stay where they are.
    const auto keeper = kept.find(path);
    if (keeper == kept.end() || keeper->second.empty() || keeper->second == path ||
        CompareFileContents(path, keeper->second) != ContentMatch::Identical || !recycle(path)) {
      beep();
      continue;
    }
    ++count;
    grid.SetCell(doubles_col::Double, row, RecycleAllMarkerText(french));
  }
  return count;
}

RecycleOneOutcome RecycleOneFile(TGridModel &grid, int doubleCount, const std::string &thisPath,
                                 const std::string &otherPath, const std::string &suppressedMarker,
                                 const Recycler &recycle) {
  if (!IsExistingFile(thisPath) || !IsExistingFile(otherPath))
    return RecycleOneOutcome::NotFound;
  switch (CompareFileContents(thisPath, otherPath)) {
  case ContentMatch::Identical: break;
  case ContentMatch::Unreadable: return RecycleOneOutcome::Unchecked;
  case ContentMatch::Different:
  case ContentMatch::SameFile: return RecycleOneOutcome::Changed;
  }
  if (!recycle(thisPath))
    return RecycleOneOutcome::ShellFailed;
  for (int row = 1; row <= doubleCount; ++row)
    for (const int col : {doubles_col::First, doubles_col::Double})
      if (grid.Cell(col, row) == thisPath)
        grid.SetCell(col, row, suppressedMarker);
  return RecycleOneOutcome::Recycled;
}

} // namespace zorvex
