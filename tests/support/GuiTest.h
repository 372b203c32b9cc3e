#pragma once
// Helpers for tests that drive real windows: the application object, message
// pumping, clicks sent as the mouse sends them, a recorder that answers the
// framework's dialogs, a registry key of the test's own and the folder where
// screenshots go.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/Grids.h"

namespace zorvex::test {

// The application object of a test program, made on first use and kept
// until the program ends.
TApplication &TestApplication();

// Handles every pending message.
void ProcessMessages();
// Handles messages until `done` holds or the time is up; returns done().
bool WaitFor(const std::function<bool()> &done, int timeoutMs = 5000);

// A press and release of a mouse button at a point of the control's client
// area, sent to the window under it as the system would (a graphic control's
// parent window gets them in its own coordinates).
void Click(TControl &control, int x, int y, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0);
// A left click in the middle of the control.
void Click(TControl &control);
// Press at one point, move to the other, release there.
void Drag(TWinControl &control, POINT from, POINT to);
// A click in the middle of a cell that is in view.
void ClickCell(TStringGrid &grid, int col, int row, TMouseButton button = TMouseButton::mbLeft);
// A key pressed and released in a window, through the application's loop.
void PressKey(HWND window, WORD key);

std::vector<std::string> GridRow(const TStringGrid &grid, int row);
std::string WindowClass(HWND window);
std::string WindowText(HWND window);

// Answers every framework dialog while it lives, recording what each showed.
// Message boxes get the queued answers in order, then `fallback`; the
// directory chooser and the file dialogs get queued paths (mrOk) or cancel.
class DialogRecorder {
public:
  explicit DialogRecorder(int fallback = mrOk);
  ~DialogRecorder();
  DialogRecorder(const DialogRecorder &) = delete;
  DialogRecorder &operator=(const DialogRecorder &) = delete;

  void QueueAnswer(int modalResult) { answers_.push_back(modalResult); }
  void QueuePath(std::string path) { paths_.push_back(std::move(path)); }

  const std::vector<DialogRequest> &Requests() const { return requests_; }
  std::vector<DialogRequest> Messages() const;
  int Beeps() const;

private:
  DialogAnswer Answer(const DialogRequest &request);
  DialogResponder previous_;
  int fallback_;
  std::vector<int> answers_;
  std::vector<std::string> paths_;
  std::vector<DialogRequest> requests_;
};

// A key of the test's own under HKEY_CURRENT_USER, removed with everything
// in it afterwards.
class TestRegistryKey {
public:
  TestRegistryKey();
  ~TestRegistryKey();
  TestRegistryKey(const TestRegistryKey &) = delete;
  TestRegistryKey &operator=(const TestRegistryKey &) = delete;

  const std::string &Path() const { return path_; }
  std::string Child(std::string_view relative) const { return path_ + "\\" + std::string(relative); }
  // Makes a volatile child key and returns its path. No lasting key can be
  // made below it, which is how a test plays a place the program may not
  // write to.
  std::string MakeVolatileChild(std::string_view name) const;
  // Makes a child key holding a language and a skin number that may be read
  // but neither written nor given keys of its own, as a machine-wide key is
  // for a user; returns its path.
  std::string MakeReadOnlyChild(std::string_view name, const std::string &language, int skinNumber);

private:
  std::string path_;
  std::vector<std::string> readOnly_; // made writable again before the key goes
};

// Where screenshots of a test run go: $ZORVEX_SCREENSHOT_DIR, else a
// "screenshots" folder beside the test program (made when needed).
std::string ScreenshotPath(const std::string &fileName);

// A fixture that makes sure the application exists and that no responder is
// left behind.
class GuiTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};

// A GuiTest with a form of its own (not shown yet), freed after each test.
class FormTest : public GuiTest {
protected:
  void SetUp() override;
  void TearDown() override;
  // A control on the form (or on `parent`), owned by the form.
  template <typename Control> Control *Add(int left, int top, int width, int height, TWinControl *parent = nullptr) {
    auto *control = new Control(form);
    control->SetParent(parent ? parent : form);
    control->SetBounds(left, top, width, height);
    return control;
  }
  TForm *form = nullptr;
};

} // namespace zorvex::test
