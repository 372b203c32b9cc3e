// The skin preview program: its window, then the message loop until it
// closes. A package file named on the command line is shown at once.
#include <exception>
#include <memory>

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "PreviewForm.h"
#include "framework/core/Texts.h"
#include "skin/runtime/Winskindlg.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace zorvex;
  std::unique_ptr<TApplication> application;
  try {
    application = std::make_unique<TApplication>();
  } catch (const std::exception &error) {
    MessageBoxW(nullptr, Wide(error.what()).c_str(), L"Zorvex skin preview", MB_ICONERROR | MB_OK);
    return 1;
  }
  InstallSkinRuntime();
  try {
    application->SetTitle("Zorvex skin preview");
    auto *form = application->CreateForm<TPreviewForm>();
    // The first built-in skin, then the window; a package named on the
    // command line replaces the skin when it loads.
    if (!form->Skins().empty())
      form->ShowBuiltInSkin(0);
    form->Show();
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments && count > 1)
      form->ShowSkinFile(Narrow(arguments[1]));
    if (arguments)
      LocalFree(arguments);
    application->Run();
  } catch (...) {
    application->HandleException(std::current_exception());
  }
  application.reset();
  DestroySkinManager();
  return 0;
}
