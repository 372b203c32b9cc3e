#include "support/GuiTest.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "framework/win/Registry.h"

#include <sddl.h>

namespace zorvex::test {

TApplication &TestApplication() {
  static std::unique_ptr<TApplication> application = [] {
    auto made = std::make_unique<TApplication>();
    made->SetTitle("Zorvex");
    return made;
  }();
  return *application;
}

void ProcessMessages() { TestApplication().ProcessMessages(); }

bool WaitFor(const std::function<bool()> &done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

namespace {
// The window that receives the mouse for a point of a control, and the
// point in that window's client coordinates.
HWND MouseTarget(TControl &control, POINT &point) {
  TControl *holder = &control;
  while (!dynamic_cast<TWinControl *>(holder)) {
    point.x += holder->Left();
    point.y += holder->Top();
    holder = holder->Parent();
  }
  return static_cast<TWinControl *>(holder)->Handle();
}

UINT DownMessage(TMouseButton button) {
  switch (button) {
  case TMouseButton::mbLeft: return WM_LBUTTONDOWN;
  case TMouseButton::mbRight: return WM_RBUTTONDOWN;
  case TMouseButton::mbMiddle: break;
  }
  return WM_MBUTTONDOWN;
}

WPARAM KeysOf(TMouseButton button, TShiftState shift) {
  WPARAM keys = 0;
  if (button == TMouseButton::mbLeft)
    keys |= MK_LBUTTON;
  if (button == TMouseButton::mbRight)
    keys |= MK_RBUTTON;
  if (button == TMouseButton::mbMiddle)
    keys |= MK_MBUTTON;
  if (shift & ss::Shift)
    keys |= MK_SHIFT;
  if (shift & ss::Ctrl)
    keys |= MK_CONTROL;
  return keys;
}
} // namespace

void Click(TControl &control, int x, int y, TMouseButton button, TShiftState shift) {
  POINT point{x, y};
  HWND window = MouseTarget(control, point);
  // The mouse never reaches a hidden or disabled window.
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) {
    ProcessMessages();
    return;
  }
  const LPARAM at = MAKELPARAM(point.x, point.y);
  const UINT down = DownMessage(button);
  SendMessageW(window, WM_MOUSEMOVE, KeysOf(button, shift) & ~static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON | MK_MBUTTON),
               at);
  SendMessageW(window, down, KeysOf(button, shift), at);
  SendMessageW(window, down + 1, KeysOf(button, shift) & ~static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON | MK_MBUTTON),
               at);
  ProcessMessages();
}

void Click(TControl &control) { Click(control, control.Width() / 2, control.Height() / 2); }

void Drag(TWinControl &control, POINT from, POINT to) {
  HWND window = control.Handle();
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(from.x, from.y));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  ProcessMessages();
}

void ClickCell(TStringGrid &grid, int col, int row, TMouseButton button) {
  const RECT cell = grid.CellRect(col, row);
  Click(grid, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, button);
}

void PressKey(HWND window, WORD key) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
  PostMessageW(window, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
  ProcessMessages();
}

std::vector<std::string> GridRow(const TStringGrid &grid, int row) {
  std::vector<std::string> cells;
  for (int col = 0; col < grid.ColCount(); ++col)
    cells.push_back(grid.Cells(col, row));
  return cells;
}

std::string WindowClass(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Narrow(name);
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return Narrow(text);
}

// ---- DialogRecorder

DialogRecorder::DialogRecorder(int fallback) : fallback_(fallback) {
  previous_ = SetDialogResponder([this](const DialogRequest &request) { return Answer(request); });
}

DialogRecorder::~DialogRecorder() { SetDialogResponder(std::move(previous_)); }

DialogAnswer DialogRecorder::Answer(const DialogRequest &request) {
  requests_.push_back(request);
  DialogAnswer answer;
  switch (request.Kind) {
  case DialogKind::Message:
    if (!answers_.empty()) {
      answer.ModalResult = answers_.front();
      answers_.erase(answers_.begin());
    } else {
      answer.ModalResult = fallback_;
    }
    break;
  case DialogKind::SelectDirectory:
  case DialogKind::SaveFile:
  case DialogKind::OpenFile:
    if (!paths_.empty()) {
      answer.ModalResult = mrOk;
      answer.Path = paths_.front();
      paths_.erase(paths_.begin());
    } else {
      answer.ModalResult = mrCancel;
    }
    break;
  case DialogKind::Beep:
  case DialogKind::Tone: break;
  }
  return answer;
}

std::vector<DialogRequest> DialogRecorder::Messages() const {
  std::vector<DialogRequest> messages;
  for (const DialogRequest &request : requests_)
    if (request.Kind == DialogKind::Message)
      messages.push_back(request);
  return messages;
}

int DialogRecorder::Beeps() const {
  int count = 0;
  for (const DialogRequest &request : requests_)
    if (request.Kind == DialogKind::Beep)
      ++count;
  return count;
}

// ---- TestRegistryKey

TestRegistryKey::TestRegistryKey() {
  static std::atomic<unsigned> counter{0};
  path_ = "Software\\ZorvexTests\\" + IntToStr(GetCurrentProcessId()) + "-" + IntToStr(counter++);
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.DeleteKey(path_);
  if (!registry.OpenKey(path_, true))
    throw Exception("Cannot create the test key " + path_);
}

namespace {
// Gives everyone the access `sddl` grants on the key; its owner may always do so.
bool SetKeyAccess(const std::string &path, const wchar_t *sddl) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
    return false;
  OwnedKey owned(key);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
    return false;
  const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  LocalFree(descriptor);
  return set;
}
} // namespace

TestRegistryKey::~TestRegistryKey() {
  for (const std::string &path : readOnly_)
    SetKeyAccess(path, L"D:P(A;;KA;;;WD)");
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.DeleteKey(path_);
}

std::string TestRegistryKey::MakeReadOnlyChild(std::string_view name, const std::string &language, int skinNumber) {
  const std::string path = Child(name);
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKey(path, true))
      throw Exception("Cannot create the key " + path);
    registry.WriteString("Language", language);
    registry.WriteInteger("Skin", skinNumber);
  }
  readOnly_.push_back(path);
  if (!SetKeyAccess(path, L"D:P(A;;KR;;;WD)"))
    throw Exception("Cannot make the key " + path + " read-only");
  return path;
}

std::string TestRegistryKey::MakeVolatileChild(std::string_view name) const {
  const std::string path = Child(name);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    throw Exception("Cannot create the volatile key " + path);
  OwnedKey owned(key);
  return path;
}

// ---- Screenshots

std::string ScreenshotPath(const std::string &fileName) {
  std::string folder;
  if (const char *configured = std::getenv("ZORVEX_SCREENSHOT_DIR"); configured && *configured) {
    folder = configured;
  } else {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    folder = ExtractFilePath(Narrow(module)) + "screenshots";
  }
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(Wide(folder)), ignored);
  return IncludeTrailingPathDelimiter(folder) + fileName;
}

// ---- GuiTest

void GuiTest::SetUp() {
  TestApplication();
  SetDialogResponder(nullptr);
}

void GuiTest::TearDown() {
  SetDialogResponder(nullptr);
  ProcessMessages();
}

void FormTest::SetUp() {
  GuiTest::SetUp();
  form = new TForm(nullptr);
  form->SetBounds(10, 10, 480, 360);
}

void FormTest::TearDown() {
  delete form;
  form = nullptr;
  GuiTest::TearDown();
}

} // namespace zorvex::test
