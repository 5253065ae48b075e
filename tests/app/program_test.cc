#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/tray_icon.h"
#include "tests/app/server_log.h"
#include "tests/support/environment_path.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_files.h"
#include "ui/core/win_handles.h"

// The real program, tessaro.exe, started as child processes under other file names against the local
// configuration server. Every wait is bounded; a child still running when a test ends is killed.

namespace tessaro::test {
namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 15000;

struct WindowSearch {
  const wchar_t* window_class;
  std::vector<DWORD> processes;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search_address) {
  auto* search = reinterpret_cast<WindowSearch*>(search_address);
  wchar_t class_name[32] = {};
  GetClassNameW(window, class_name, 32);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  const auto& ids = search->processes;
  if (wcscmp(class_name, search->window_class) == 0 &&
      std::find(ids.begin(), ids.end(), process) != ids.end()) {
    search->found.push_back(window);
  }
  return TRUE;
}

// The top-level windows of class `window_class` of the given processes.
std::vector<HWND> WindowsOf(const wchar_t* window_class, std::vector<DWORD> processes) {
  WindowSearch search{window_class, std::move(processes), {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> MainWindowsOf(std::vector<DWORD> processes) {
  return WindowsOf(L"MainWnd", std::move(processes));
}

std::wstring WindowTitle(HWND window) {
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  return title;
}

// A copy of tessaro.exe under `file_name` in a folder of its own, started as a child process.
class ProgramCopy {
 public:
  ProgramCopy(const std::wstring& folder, const std::wstring& file_name) : path_(folder + file_name) {}
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;
  ~ProgramCopy() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.get(), 99);
      WaitForSingleObject(process_.get(), kExitTimeoutMs);
    }
  }

  bool Start() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    std::wstring command = L"\"" + path_ + L"\"";
    if (!CreateProcessW(path_.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
      return false;
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    id_ = started.dwProcessId;
    return true;
  }

  // The exit code once the process ended within `timeout_ms`; STILL_ACTIVE otherwise.
  DWORD WaitForExit(DWORD timeout_ms) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.get(), timeout_ms) == WAIT_OBJECT_0)
      GetExitCodeProcess(process_.get(), &code);
    return code;
  }
  bool Running() { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  // As WaitForExit, closing by the system any close dialog the program shows meanwhile (the test
  // documents enable it): a dialog closed that way lets the program quit.
  DWORD WaitForExitPastCloseDialog(DWORD timeout_ms) {
    veneer::test::PumpMessagesUntil(
        [&] {
          for (HWND dialog : WindowsOf(L"CloseDialogBox", {id_}))
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
          return !Running();
        },
        timeout_ms);
    return WaitForExit(0);
  }

  // Its main window, once it has one within the time-out; null otherwise.
  HWND WaitForMainWindow() {
    HWND window = nullptr;
    veneer::test::PumpMessagesUntil(
        [&] {
          const std::vector<HWND> windows = MainWindowsOf({id_});
          window = windows.empty() ? nullptr : windows.front();
          return window != nullptr || !Running();
        },
        kWindowTimeoutMs);
    return window;
  }

  DWORD id() const { return id_; }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  veneer::ScopedKernelHandle process_;
  DWORD id_ = 0;
};

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = veneer::test::EnvironmentPath(L"TESSARO_PROGRAM");
    ASSERT_FALSE(program_.empty()) << "TESSARO_PROGRAM is not set";
    folder_ =
        veneer::test::TempPath(L"tessaro_program_test_" + std::to_wstring(GetCurrentProcessId()) + L"\\");
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& copy : copies_) DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  // Copies the program into the test's folder as `file_name`.
  std::wstring Install(const std::wstring& file_name) {
    const std::wstring path = folder_ + file_name;
    if (!CopyFileW(program_.c_str(), path.c_str(), FALSE)) return std::wstring();
    copies_.push_back(path);
    return file_name;
  }

  std::wstring program_;
  std::wstring folder_;
  std::vector<std::wstring> copies_;
};

TEST_F(ProgramTest, AProgramNamedABAsksForABAndShowsTheProduct) {
  ServerLog log;
  ProgramCopy program(folder_, Install(L"a.b.exe"));
  ASSERT_TRUE(program.Start());
  const HWND window = program.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // Shown once created, at the skin's size.
  EXPECT_TRUE(
      veneer::test::PumpMessagesUntil([&] { return IsWindowVisible(window) != FALSE; }, kWindowTimeoutMs));
  RECT frame = {};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 960);
  EXPECT_EQ(frame.bottom - frame.top, 720);
  // The goods document names the product in the title.
  EXPECT_TRUE(veneer::test::PumpMessagesUntil([&] { return WindowTitle(window) == L"Tessaro Test"; },
                                              kWindowTimeoutMs))
      << "title: " << testing::PrintToString(WindowTitle(window));
  std::vector<std::string> lines;  // The configuration requests; picture requests may come too.
  for (const std::string& line : log.NewLines()) {
    if (line.rfind("GET /installer/", 0) == 0) lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"GET /installer/config/global?name=a.b&os=windows HTTP/1.1",
                                             "GET /installer/config/goods?name=a.b&os=windows HTTP/1.1"}));
  // "退出" from the tray menu: the close path ends the process, once the close dialog the global
  // document enables (when it has arrived by now) is closed.
  PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_EQ(program.WaitForExitPastCloseDialog(kExitTimeoutMs), 0u);
}

// Wine prefers its own build of a system DLL to a file of that name next to a program. For the
// program named `program`, this makes Wine look for `dlls` the way Windows looks for a DLL that is no
// known DLL (the program's folder first), until it goes. Windows ignores the key.
class NativeDllsFirst {
 public:
  NativeDllsFirst(const std::wstring& program, const std::vector<const wchar_t*>& dlls)
      : key_(L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides") {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return;
    }
    const wchar_t kOrder[] = L"native,builtin";
    for (const wchar_t* dll : dlls)
      RegSetValueExW(key, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
    RegCloseKey(key);
  }
  NativeDllsFirst(const NativeDllsFirst&) = delete;
  NativeDllsFirst& operator=(const NativeDllsFirst&) = delete;
  ~NativeDllsFirst() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::wstring key_;
};

// A user runs the program from a folder others can write to (the browser's downloads). DLLs put
// there under the names of system DLLs the program uses must not be loaded: the program runs with
// administrator rights. The program still talks to its server and draws through the system's own.
TEST_F(ProgramTest, DllsPlantedNextToTheProgramAreNeverLoaded) {
  const std::vector<const wchar_t*> planted_names = {L"winhttp", L"gdiplus"};
  const NativeDllsFirst native_first(L"a.b.exe", planted_names);
  for (const wchar_t* name : planted_names) {
    const std::wstring planted = folder_ + name + L".dll";
    ASSERT_TRUE(
        CopyFileW(veneer::test::EnvironmentPath(L"TESSARO_PLANTED_DLL").c_str(), planted.c_str(), FALSE));
    copies_.push_back(planted);
  }
  const std::wstring marker = veneer::test::UniqueTempPath(L"planted");
  DeleteFileW(marker.c_str());
  SetEnvironmentVariableW(L"TESSARO_PLANTED_MARKER", marker.c_str());
  ProgramCopy program(folder_, Install(L"a.b.exe"));
  const bool started = program.Start();
  SetEnvironmentVariableW(L"TESSARO_PLANTED_MARKER", nullptr);
  ASSERT_TRUE(started);
  const HWND window = program.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // The title comes from the goods document: WinHTTP and GDI+ have been loaded and used by then.
  EXPECT_TRUE(veneer::test::PumpMessagesUntil([&] { return WindowTitle(window) == L"Tessaro Test"; },
                                              kWindowTimeoutMs));
  EXPECT_EQ(veneer::test::ReadFileBytes(marker), "") << "a planted DLL was loaded";
  DeleteFileW(marker.c_str());
  PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_EQ(program.WaitForExitPastCloseDialog(kExitTimeoutMs), 0u);
}

TEST_F(ProgramTest, ASecondCopyRestoresTheFirstAndEnds) {
  ProgramCopy first(folder_, Install(L"single.exe"));
  ASSERT_TRUE(first.Start());
  const HWND window = first.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(veneer::test::PumpMessagesUntil([&] { return IsIconic(window) != FALSE; }, kExitTimeoutMs));

  ProgramCopy second(folder_, L"single.exe");
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(veneer::test::PumpMessagesUntil([&] { return !IsIconic(window); }, kExitTimeoutMs));
  EXPECT_EQ(MainWindowsOf({first.id(), second.id()}).size(), 1u);

  // Closing without the close dialog (no document: the error page) ends the process.
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(kExitTimeoutMs), 0u);
}

TEST_F(ProgramTest, TwoQuickStartsGiveOneWindow) {
  ProgramCopy one(folder_, Install(L"twice.exe"));
  ProgramCopy other(folder_, L"twice.exe");
  ASSERT_TRUE(one.Start());
  ASSERT_TRUE(other.Start());
  // One of them gives way.
  const HANDLE processes[] = {OpenProcess(SYNCHRONIZE, FALSE, one.id()),
                              OpenProcess(SYNCHRONIZE, FALSE, other.id())};
  const DWORD ended = WaitForMultipleObjects(2, processes, FALSE, kWindowTimeoutMs);
  CloseHandle(processes[0]);
  CloseHandle(processes[1]);
  ASSERT_LT(ended, WAIT_OBJECT_0 + 2);
  ProgramCopy& gave_way = ended == WAIT_OBJECT_0 ? one : other;
  ProgramCopy& stayed = ended == WAIT_OBJECT_0 ? other : one;
  EXPECT_EQ(gave_way.WaitForExit(0), 0u);
  const HWND window = stayed.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(stayed.Running());
  EXPECT_EQ(MainWindowsOf({one.id(), other.id()}).size(), 1u);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(stayed.WaitForExit(kExitTimeoutMs), 0u);
}

}  // namespace
}  // namespace tessaro::test
