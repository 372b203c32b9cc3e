// Phase 3 alone: the list of doubles from 200,000 checksummed files, 10 % of
// them in groups of copies, the rest unique. Prints the median of 5 runs.
#include "framework/core/GridModel.h"
#include "framework/core/Texts.h"
#include "framework/core/Yield.h"
#include "scan/ScanHost.h"
#include "scan/ScanPipeline.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>

using namespace zorvex;

namespace {

// Grids in memory, and a yield that goes through the throttled yield as the
// window's does.
class BenchHost : public ScanHost {
public:
  BenchHost() {
    for (ResultGrid grid : {ResultGrid::Files, ResultGrid::Dirs, ResultGrid::Doubles})
      grids_.emplace(grid, MakeResultGrid(grid));
  }
  const ScanOptions &Options() override { return options_; }
  bool French() override { return false; }
  TGridModel &Grid(ResultGrid grid) override { return grids_.at(grid); }
  void ShowFileGrids() override {}
  void SetPhaseText(const std::string &) override {}
  void SetPhaseVisible(bool) override {}
  void SetProgressVisible(bool) override {}
  void SetProgressPosition(int position) override { bar_.SetPosition(position); }
  void ProgressStepIt() override { bar_.StepIt(); }
  void SetButtonEnabled(ScanButton, bool) override {}
  void Yield() override { ThrottledYield(); }
  void ShowMessage(MessageKind, const std::string &) override {}

private:
  ScanOptions options_;
  std::map<ResultGrid, TGridModel> grids_;
  ProgressBarState bar_;
};

} // namespace

int main(int argc, char **argv) {
  const int fileCount = argc > 1 ? std::atoi(argv[1]) : 200000;
  int pumps = 0;
  SetYieldPump([&] { ++pumps; });
  BenchHost host;
  ScanState state;
  std::mt19937_64 rng(7);
  TGridModel &files = host.Grid(ResultGrid::Files);
  for (int folder = 0; folder < 1000; ++folder)
    state.Folders.push_back("C:\\Users\\someone\\Pictures\\folder" + IntToStr(folder) + "\\");
  int expectedDoubles = 0;
  while (state.FileCount < fileCount) {
    const bool group = rng() % 100 < 4; // groups of 2 to 4 copies: about 10 % of the files
    const int copies = group ? 2 + static_cast<int>(rng() % 3) : 1;
    ScannedFile file;
    file.size = 1 + static_cast<int64_t>(rng() % 5000000);
    file.content.read = ContentRead::Whole;
    file.content.crc = static_cast<uint32_t>(rng());
    file.content.hash = Hash128{rng(), rng()};
    for (int c = 0; c < copies && state.FileCount < fileCount; ++c) {
      const std::string row = IntToStr(state.FileCount + 1);
      file.folder = static_cast<int>(rng() % 1000);
      file.name = "file" + row + ".jpg";
      AppendRow(files, ResultGrid::Files, state.FileCount,
                {row, state.Folders[static_cast<size_t>(file.folder)] + file.name, IntToStr(file.content.crc), "",
                 IntToStr(file.size)});
      state.Files.push_back(file);
      expectedDoubles += c > 0;
    }
  }

  std::vector<double> seconds;
  for (int run = 0; run < 5; ++run) {
    ScanPipeline pipeline(host, state);
    state.DoubleCount = 0;
    state.LastFirstFile.clear();
    state.ProgressPercent = state.PreviousPercent = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool done = pipeline.ListDoubles();
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!done || state.DoubleCount != expectedDoubles) {
      std::fprintf(stderr, "phase 3 listed %d doubles, expected %d\n", state.DoubleCount, expectedDoubles);
      return 1;
    }
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("phase 3 on %d checksummed files: %d doubles, median %.3f s (best %.3f s), %d pumps\n", fileCount,
              expectedDoubles, seconds[2], seconds[0], pumps);
  return 0;
}
