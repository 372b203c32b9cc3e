// The scan in the main window, timed as a user has it: Start is clicked
// through the window's messages and the clock stops when the closing message
// comes up. Run by hand under Wine (with a display) on the benchmark tree:
//   bench_main_window.exe DIR [RUNS]
// Prints each run's total and phase times, then the medians.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ZorvexFP.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "framework/core/Yield.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "scan/ScanPipeline.h"
#include "scan/ScanState.h"

using namespace zorvex;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

struct Run {
  double total = 0;
  double phase[3] = {0, 0, 0};
  double pumping = 0; // in the message loop during the scan's yields
  int pumps = 0;
  int files = 0, doubles = 0;
  std::string message;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

Run ScanOnce(TForm1 &form) {
  Run run;
  std::vector<Clock::time_point> phaseStarts;
  TWndMethod previousLabel = form.Label10->WindowProc;
  form.Label10->WindowProc = [&](TMessage &message) {
    previousLabel(message);
    if (message.Msg == CM_TEXTCHANGED)
      phaseStarts.push_back(Clock::now());
  };
  YieldPump previousPump = SetYieldPump(nullptr);
  SetYieldPump([&] {
    const Clock::time_point start = Clock::now();
    previousPump();
    run.pumping += Seconds(Clock::now() - start);
    ++run.pumps;
  });
  bool done = false;
  Clock::time_point ended;
  SetDialogResponder([&](const DialogRequest &request) {
    ended = Clock::now();
    run.message = request.Text;
    done = true;
    return DialogAnswer{mrOk, {}};
  });

  // The click as the mouse makes it, read from the queue by the loop.
  HWND start = form.BitBtn1->Handle();
  const LPARAM middle = MAKELPARAM(form.BitBtn1->Width() / 2, form.BitBtn1->Height() / 2);
  const Clock::time_point clicked = Clock::now();
  PostMessageW(start, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageW(start, WM_LBUTTONUP, 0, middle);
  while (!done && !Application->Terminated())
    Application->HandleMessage();

  SetDialogResponder(nullptr);
  SetYieldPump(previousPump);
  form.Label10->WindowProc = previousLabel;
  run.total = Seconds(ended - clicked);
  phaseStarts.push_back(ended);
  for (size_t i = 0; i + 1 < phaseStarts.size() && i < 3; ++i)
    run.phase[i] = Seconds(phaseStarts[i + 1] - phaseStarts[i]);
  run.files = MainScan.FileCount;
  run.doubles = MainScan.DoubleCount;
  return run;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_main_window DIR [RUNS]\n");
    return 2;
  }
  const std::string folder = IncludeTrailingPathDelimiter(Narrow(argv[1]));
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;

  TApplication application;
  application.SetTitle("Zorvex");
  TForm1 *form = application.CreateForm<TForm1>();
  form->Show();
  application.ProcessMessages();
  form->Edit1->SetText(folder);

  std::vector<double> totals, phases[3], pumping;
  for (int i = 0; i < runs; ++i) {
    const Run run = ScanOnce(*form);
    std::printf("run %d: %.3f s (phase 1 %.3f, phase 2 %.3f, phase 3 %.3f; %d pumps of the message loop %.3f); "
                "%d files, %d doubles: %s\n",
                i + 1, run.total, run.phase[0], run.phase[1], run.phase[2], run.pumps, run.pumping, run.files,
                run.doubles, run.message.c_str());
    std::fflush(stdout);
    totals.push_back(run.total);
    pumping.push_back(run.pumping);
    for (int p = 0; p < 3; ++p)
      phases[p].push_back(run.phase[p]);
  }
  std::printf("median of %d runs: %.3f s (phase 1 %.3f, phase 2 %.3f, phase 3 %.3f; in the message loop %.3f)\n", runs,
              Median(totals), Median(phases[0]), Median(phases[1]), Median(phases[2]), Median(pumping));
  return 0;
}
