// A library with its own copy of the framework and the skin runtime, as a
// plug-in of the program would carry them: it exports SkinDll (from the
// runtime) and shows one form of its own on request.

#include <memory>

#include <windows.h>

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "skin/runtime/Winskindlg.h"

namespace {

std::unique_ptr<zorvex::TForm> probe;

} // namespace

extern "C" __declspec(dllexport) HWND ProbeShowForm() {
  try {
    zorvex::InstallSkinRuntime(); // as a program does before its forms
    if (!probe) {
      probe = std::make_unique<zorvex::TForm>(nullptr);
      probe->SetBounds(520, 60, 360, 240);
      probe->SetCaption("Probe");
      auto *button = new zorvex::TButton(probe.get()); // owned by the form
      button->SetParent(probe.get());
      button->SetBounds(20, 20, 100, 28);
      button->SetCaption("Probe");
    }
    probe->Show();
    return probe->WindowHandle();
  } catch (...) {
    return nullptr;
  }
}

extern "C" __declspec(dllexport) void ProbeCloseForm() {
  try {
    probe.reset();
  } catch (...) {
  }
}
