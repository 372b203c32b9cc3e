// Program entry: the application, the main window, the hidden help window,
// then the message loop until the main window closes.
#include <exception>
#include <memory>

#include <windows.h>

#include "ZorvexFP.h"
#include "ZorvexFS1.h"
#include "framework/core/Texts.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/runtime/Winskindlg.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace zorvex;
  std::unique_ptr<TApplication> application;
  try {
    application = std::make_unique<TApplication>();
  } catch (const std::exception &error) {
    MessageBoxW(nullptr, Wide(error.what()).c_str(), L"Zorvex", MB_ICONERROR | MB_OK);
    return 1;
  }
  // The skin manager is made when the main window's skin data is read.
  InstallSkinRuntime();
  try {
    application->SetTitle("Zorvex");
    application->CreateForm<TForm1>();
    application->CreateForm<TForm2>();
    application->Run();
  } catch (...) {
    application->HandleException(std::current_exception());
  }
  // Every window goes with the application; the manager's hooks after them.
  application.reset();
  DestroySkinManager();
  return 0;
}
