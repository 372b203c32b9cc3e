// Program entry: the application, the main window, the hidden help window,
// then the message loop until the main window closes.
#include <exception>
#include <memory>

#include <windows.h>

#include "ZorvexFP.h"
#include "ZorvexFS1.h"
#include "framework/core/Texts.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace zorvex;
  std::unique_ptr<TApplication> application;
  try {
    application = std::make_unique<TApplication>();
  } catch (const std::exception &error) {
    MessageBoxW(nullptr, Wide(error.what()).c_str(), L"Zorvex", MB_ICONERROR | MB_OK);
    return 1;
  }
  try {
    application->SetTitle("Zorvex");
    application->CreateForm<TForm1>();
    application->CreateForm<TForm2>();
    application->Run();
  } catch (...) {
    application->HandleException(std::current_exception());
  }
  return 0;
}
