// The release as a user gets it, run by install_test.sh in a throwaway Wine
// prefix: ZORVEX_SETUP is the installer, ZORVEX_PORTABLE the unpacked zip.
// Installs silently, starts the installed program, uninstalls; and reads the
// version resources of the shipped programs.
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include "framework/core/Texts.h"

namespace {

using zorvex::Narrow;

const wchar_t *const kSettingsKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zorvex_V1.1";
const wchar_t *const kAppPathKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zorvex.exe";
const wchar_t *const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zorvex";
// The installer's documented exit code for "a Zorvex program is running".
const DWORD kExitProgramRunning = 3;

std::wstring Environment(const wchar_t *name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? value : L"";
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
    result = path;
  CoTaskMemFree(path);
  return result;
}

// The files of a folder (not its sub-folders) and their sizes.
std::map<std::wstring, uint64_t> FilesIn(const std::wstring &folder) {
  std::map<std::wstring, uint64_t> files;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE)
    return files;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files[entry.cFileName] = (uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow;
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return files;
}

bool Exists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(const wchar_t *path) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::optional<std::wstring> ReadString(const wchar_t *path, const wchar_t *value) {
  wchar_t data[1024] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

std::optional<DWORD> ReadDword(const wchar_t *path, const wchar_t *value) {
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path, value, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return data;
}

// Runs a command and waits for it and every process it starts (the
// uninstaller hands its work to a copy of itself and returns at once).
// Returns the command's own exit code.
DWORD RunAndWait(const std::wstring &commandLine) {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  EXPECT_NE(job, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring line = commandLine;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                                      &startup, &process);
  EXPECT_TRUE(started) << Narrow(commandLine) << ": error " << GetLastError();
  if (!started)
    return DWORD(-1);
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << Narrow(commandLine);
  DWORD code = DWORD(-1);
  GetExitCodeProcess(process.hProcess, &code);
  for (int waited = 0; waited < 60000; waited += 50) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof(accounting),
                                   nullptr) ||
        accounting.ActiveProcesses == 0)
      break;
    Sleep(50);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(job);
  return code;
}

std::wstring Quoted(const std::wstring &path) { return L"\"" + path + L"\""; }

// The target of a shortcut file, or "" when it cannot be read.
std::wstring ShortcutTarget(const std::wstring &shortcut) {
  std::wstring target;
  IShellLinkW *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void **>(&link))))
    return target;
  IPersistFile *file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
      target = path;
    file->Release();
  }
  link->Release();
  return target;
}

// The visible main window of a process, or null.
HWND MainWindowOf(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto &s = *reinterpret_cast<Search *>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (owner == s.processId && IsWindowVisible(window) && std::wstring(className) == L"TForm1") {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// An installed Zorvex.exe started as the shortcut starts it, until closed.
class RunningProgram {
public:
  explicit RunningProgram(const std::wstring &exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring line = Quoted(exe);
    started_ = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
  }
  ~RunningProgram() { Close(); }
  RunningProgram(const RunningProgram &) = delete;
  RunningProgram &operator=(const RunningProgram &) = delete;

  // Waits for the main window; null when it does not show.
  HWND WaitForWindow() {
    for (int waited = 0; started_ && waited < 30000; waited += 100) {
      if (HWND window = MainWindowOf(process_.dwProcessId))
        return window;
      if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0)
        break;
    }
    return nullptr;
  }
  // Closes the main window as the user would; true when the program then ends.
  bool Close() {
    if (!started_)
      return true;
    if (HWND window = MainWindowOf(process_.dwProcessId))
      PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0;
    if (!ended)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    started_ = false;
    return ended;
  }

private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

class ReleaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    CoInitialize(nullptr);
    setup = Environment(L"ZORVEX_SETUP");
    portable = Environment(L"ZORVEX_PORTABLE");
    ASSERT_TRUE(Exists(setup)) << "run by install_test.sh";
    shipped = FilesIn(portable);
    ASSERT_TRUE(shipped.count(L"Zorvex.exe") && shipped.count(L"zorvex-cli.exe") && shipped.count(L"README.txt") &&
                shipped.count(L"LICENSE.txt"));
    shortcut = KnownFolder(FOLDERID_CommonPrograms) + L"\\Zorvex.lnk";
  }
  void TearDown() override { CoUninitialize(); }

  // Everything the installer made, for a folder: files, shortcut, keys.
  void ExpectInstalledIn(const std::wstring &folder) {
    auto installed = FilesIn(folder);
    EXPECT_EQ(installed.erase(L"Uninstall.exe"), 1u);
    EXPECT_EQ(installed, shipped);
    const std::wstring program = folder + L"\\Zorvex.exe";
    EXPECT_EQ(ShortcutTarget(shortcut), program);
    EXPECT_EQ(ReadString(kSettingsKey, L""), program);
    EXPECT_EQ(ReadString(kAppPathKey, L""), program);
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayName"), L"Zorvex");
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), zorvex::Wide(ZORVEX_VERSION));
    EXPECT_NE(ReadString(kUninstallKey, L"Publisher").value_or(L""), L"");
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayIcon"), program + L",0");
    EXPECT_EQ(ReadString(kUninstallKey, L"UninstallString"), Quoted(folder + L"\\Uninstall.exe"));
    uint64_t bytes = 0;
    for (const auto &[name, size] : shipped)
      bytes += size;
    EXPECT_GE(ReadDword(kUninstallKey, L"EstimatedSize").value_or(0), bytes / 1024);
  }

  void ExpectNothingLeft(const std::wstring &folder) {
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_FALSE(KeyExists(kSettingsKey));
    EXPECT_FALSE(KeyExists(kAppPathKey));
    EXPECT_FALSE(KeyExists(kUninstallKey));
  }

  std::wstring setup, portable, shortcut;
  std::map<std::wstring, uint64_t> shipped;
};

TEST_F(ReleaseTest, SilentInstallStartAndUninstall) {
  const std::wstring folder = KnownFolder(FOLDERID_ProgramFiles) + L"\\Zorvex";
  ASSERT_EQ(RunAndWait(Quoted(setup) + L" /S"), 0u);
  ExpectInstalledIn(folder);
  const std::wstring uninstaller = Quoted(folder + L"\\Uninstall.exe");
  {
    RunningProgram zorvex(folder + L"\\Zorvex.exe");
    ASSERT_NE(zorvex.WaitForWindow(), nullptr);
    // While it runs, neither the installer nor the uninstaller (run in place
    // to see its exit code) changes anything, and both say why.
    EXPECT_EQ(RunAndWait(Quoted(setup) + L" /S"), kExitProgramRunning);
    EXPECT_EQ(RunAndWait(uninstaller + L" /S _?=" + folder), kExitProgramRunning);
    ExpectInstalledIn(folder);
    EXPECT_TRUE(zorvex.Close());
  }
  EXPECT_EQ(RunAndWait(uninstaller + L" /S"), 0u);
  ExpectNothingLeft(folder);
}

TEST_F(ReleaseTest, ChosenFolder) {
  const std::wstring folder = L"C:\\Chosen folder\\Zorvex";
  ASSERT_EQ(RunAndWait(Quoted(setup) + L" /S /D=" + folder), 0u);
  ExpectInstalledIn(folder);
  EXPECT_EQ(RunAndWait(Quoted(folder + L"\\Uninstall.exe") + L" /S"), 0u);
  ExpectNothingLeft(folder);
}

// Every shipped program says the project's version.
TEST_F(ReleaseTest, VersionResources) {
  unsigned numbers[4] = {};
  std::sscanf(ZORVEX_VERSION, "%u.%u.%u.%u", &numbers[0], &numbers[1], &numbers[2], &numbers[3]);
  const std::wstring version = zorvex::Wide(ZORVEX_VERSION);
  for (const auto &[name, size] : shipped) {
    if (name.size() < 4 || name.substr(name.size() - 4) != L".exe")
      continue;
    SCOPED_TRACE(Narrow(name));
    const std::wstring path = portable + L"\\" + name;
    std::vector<char> data(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, (numbers[0] << 16) | numbers[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, (numbers[2] << 16) | numbers[3]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    const auto text = [&](const wchar_t *key) {
      wchar_t *value = nullptr;
      UINT chars = 0;
      const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
      return VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void **>(&value), &chars) && value
                 ? std::wstring(value)
                 : std::wstring();
    };
    EXPECT_EQ(text(L"FileVersion"), version);
    EXPECT_EQ(text(L"ProductVersion"), version);
    EXPECT_EQ(text(L"ProductName"), L"Zorvex");
    EXPECT_EQ(text(L"OriginalFilename"), name);
    EXPECT_NE(text(L"FileDescription"), L"");
  }
}

} // namespace
