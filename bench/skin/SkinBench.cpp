// The skin in the main window, timed as a user has it: the skin button's
// action (its click handler) until the window is fully repainted in the new
// skin, once with the manager's action timer as it runs and once with the
// pending action carried out at once (the work alone); one non-client paint;
// a full repaint of the window and of one bit button, skinned against
// unskinned. Run by hand under Wine with a display (bench/skin/run.sh):
//   bench_skin.exe [RUNS]
// Prints one line per skin of the button's cycle, then the medians.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ZorvexFP.h"
#include "app/ZorvexFS1.h"
#include "framework/win/Buttons.h"
#include "framework/win/Forms.h"
#include "framework/win/Registry.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/Winskindlg.h"

using namespace zorvex;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Handles messages until none is left, paints included.
void Settle(TApplication &application) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
    application.ProcessMessages();
  GdiFlush();
}

template <typename Work> double Time(TApplication &application, Work work) {
  const Clock::time_point start = Clock::now();
  work();
  Settle(application);
  return Milliseconds(Clock::now() - start);
}

template <typename Work> double MedianOf(int runs, TApplication &application, Work work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i)
    times.push_back(Time(application, work));
  return Median(times);
}

void Repaint(HWND window, UINT extra = 0) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | extra);
}

struct Measures {
  std::vector<double> switchTimer, click, switchWork, ncPaint, window, button;
};

} // namespace

int wmain(int argc, wchar_t **argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  // Settings of the benchmark's own, so that the user's skin is not touched.
  const std::string benchKey = "Software\\Zorvex benchmark";
  SettingsKey = SettingsLocation{HKEY_CURRENT_USER, benchKey + "\\machine", HKEY_CURRENT_USER, benchKey + "\\user"};
  SkinNumber = 0;

  TApplication application;
  InstallSkinRuntime();
  application.SetTitle("Zorvex");
  TForm1 *form = application.CreateForm<TForm1>();
  application.CreateForm<TForm2>();
  form->Show();
  Settle(application);
  const HWND window = form->WindowHandle();
  const HWND button = form->BitBtn1->WindowHandle();
  TSkinManage *manager = RuntimeSkinManager();
  if (!manager) {
    std::fprintf(stderr, "no skin manager\n");
    return 1;
  }

  const double plainWindow = MedianOf(runs, application, [&] { Repaint(window, RDW_FRAME); });
  const double plainButton = MedianOf(runs, application, [&] { Repaint(button); });
  const double plainNc = MedianOf(runs, application, [&] { SendMessageW(window, WM_NCPAINT, 1, 0); });
  std::printf("unskinned: window %.2f ms, non-client %.3f ms, bit button %.3f ms\n", plainWindow, plainNc, plainButton);

  // The button's cycle: skins 1..9, then the system's look (0).
  constexpr int Cycle = 10;
  std::vector<Measures> measures(Cycle);
  for (int pass = 0; pass < runs; ++pass) {
    for (int step = 0; step < Cycle; ++step) {
      Measures &m = measures[static_cast<size_t>(step)];
      if (pass % 2 == 0) {
        // As the user has it: the click, the action timer, the repaint.
        m.switchTimer.push_back(Time(application, [&] {
          form->BitBtn14->Click();
          while (manager->TimerRunning())
            application.HandleMessage();
        }));
      } else {
        // The click's handler (it loads the package), then the pending
        // action run at once until the window is repainted.
        const Clock::time_point start = Clock::now();
        form->BitBtn14->Click();
        m.click.push_back(Milliseconds(Clock::now() - start));
        m.switchWork.push_back(Time(application, [&] {
          if (manager->TimerRunning())
            manager->OnTimer();
        }));
      }
      if (pass < 2) { // the paints need not be taken on every pass
        m.ncPaint.push_back(MedianOf(runs, application, [&] { SendMessageW(window, WM_NCPAINT, 1, 0); }));
        m.window.push_back(MedianOf(runs, application, [&] { Repaint(window, RDW_FRAME); }));
        m.button.push_back(MedianOf(runs, application, [&] { Repaint(button); }));
      }
    }
  }

  std::vector<double> ratios, switchesTimer, clicks, switchesWork, ncs, buttons;
  for (int step = 0; step < Cycle; ++step) {
    const Measures &m = measures[static_cast<size_t>(step)];
    const int number = (step + 1) % Cycle;
    const double windowTime = Median(m.window), ratio = windowTime / plainWindow;
    std::printf("skin button %d: click to repainted %.1f ms with the action timer; click handler %.1f ms, action to "
                "repainted %.1f ms; non-client %.3f ms; window %.2f ms (%.2fx unskinned); bit button %.3f ms\n",
                number, Median(m.switchTimer), Median(m.click), Median(m.switchWork), Median(m.ncPaint), windowTime,
                ratio, Median(m.button));
    if (number == 0)
      continue; // the system's look: not a skin
    ratios.push_back(ratio);
    switchesTimer.push_back(Median(m.switchTimer));
    clicks.push_back(Median(m.click));
    switchesWork.push_back(Median(m.switchWork));
    ncs.push_back(Median(m.ncPaint));
    buttons.push_back(Median(m.button));
  }
  std::printf("median over the nine skins (%d runs): click to repainted %.1f ms with the action timer; click handler "
              "%.1f ms, action to repainted %.1f ms; non-client %.3f ms (unskinned %.3f); full repaint %.2fx "
              "unskinned (worst %.2fx); bit button %.3f ms (unskinned %.3f)\n",
              runs, Median(switchesTimer), Median(clicks), Median(switchesWork), Median(ncs), plainNc, Median(ratios),
              *std::max_element(ratios.begin(), ratios.end()), Median(buttons), plainButton);

  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.DeleteKey(benchKey);
  return 0;
}
