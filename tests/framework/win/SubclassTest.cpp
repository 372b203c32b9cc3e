#include "framework/win/Subclass.h"

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

using SubclassTest = GuiTest;

// A window of the system's own class, foreign to the framework.
HWND ForeignWindow() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// Records which procedure saw WM_USER + n, in order.
TWindowSubclass::Handler Record(std::string name, std::vector<std::string> &log) {
  return [name, &log](TWindowSubclass &subclass, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER)
      log.push_back(name);
    return subclass.CallOld(message, wParam, lParam);
  };
}

// Someone else's subclass, put on and off by hand.
std::vector<std::string> *otherLog = nullptr;
WNDPROC otherOld = nullptr;
LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER && otherLog)
    otherLog->push_back("other");
  return CallWindowProcW(otherOld, window, message, wParam, lParam);
}

TEST_F(SubclassTest, SubclassesChainAndComeOffInAnyOrder) {
  const HWND window = ForeignWindow();
  const int stubsBefore = TWindowSubclass::LiveStubs();
  std::vector<std::string> log;
  auto first = std::make_unique<TWindowSubclass>(window, Record("first", log));
  otherLog = &log;
  otherOld = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherProc)));
  TWindowSubclass last(window, Record("last", log));
  SendMessageW(window, WM_USER, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"last", "other", "first"}));

  // The first one goes while others sit on top: they keep working.
  first.reset();
  log.clear();
  SendMessageW(window, WM_USER, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"last", "other"}));
  // The top one goes back to what it replaced.
  last.Restore();
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OtherProc));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(otherOld));
  otherLog = nullptr;
  log.clear();
  SendMessageW(window, WM_USER, 0, 0);
  EXPECT_TRUE(log.empty());
  DestroyWindow(window); // the stub left behind goes with the window
  EXPECT_EQ(TWindowSubclass::LiveStubs(), stubsBefore);
}

TEST_F(SubclassTest, AnAnsiSubclassSeesAnsiTextAndTheWindowOutlivesNoSubclass) {
  const HWND window = ForeignWindow();
  std::string seen;
  auto subclass = std::make_unique<TWindowSubclass>(
      window,
      [&seen](TWindowSubclass &self, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT)
          seen = reinterpret_cast<const char *>(lParam);
        return self.CallOld(message, wParam, lParam);
      },
      TProcKind::Ansi);
  SetWindowTextW(window, L"Caf\u00E9");
  EXPECT_EQ(seen, "Caf\xE9"); // code page 1252
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_STREQ(text, L"Caf\u00E9"); // the wide window procedure still got it right
  DestroyWindow(window);
  EXPECT_FALSE(subclass->Attached());
  subclass.reset(); // touches nothing of the window that is gone
}

TEST_F(SubclassTest, AFailingHandlerReportsAndTheWindowGoesOn) {
  const HWND window = ForeignWindow();
  std::vector<std::string> errors;
  Application->OnException = [&](TObject *, const Exception &error) { errors.push_back(error.Message()); };
  TWindowSubclass subclass(window, [](TWindowSubclass &self, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_USER)
      throw Exception("handler failed");
    return self.CallOld(message, wParam, lParam);
  });
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 0);
  Application->OnException = nullptr;
  EXPECT_EQ(errors, std::vector<std::string>{"handler failed"});
  EXPECT_TRUE(SetWindowTextW(window, L"still working"));
  DestroyWindow(window);
}

} // namespace
