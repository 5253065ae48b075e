// A stand-in for a product's installer, started by the install tests: appends its command line (one
// UTF-8 line) to the record file that TESSARO_TEST_INSTALLER_RECORD names (next to itself as
// "<program>.record" when unset), writes the performance counter at its start (decimal) to
// "<record>.started" for the download benchmark, copies its own bytes to "<record>.bytes", stays up
// for a moment so that the waiting state can be seen, and exits with code 7.

#include <windows.h>

#include <string>

namespace {

constexpr UINT kExitCode = 7;
constexpr DWORD kRunningMs = 800;

std::wstring RecordPath(const std::wstring& self) {
  wchar_t named[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"TESSARO_TEST_INSTALLER_RECORD", named, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(named, length) : self + L".record";
}

void AppendLine(const std::wstring& path, const std::wstring& text, DWORD disposition = OPEN_ALWAYS) {
  const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string line(
      static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)),
      '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &line[0], static_cast<int>(line.size()), nullptr,
                      nullptr);
  line.back() = '\n';  // In place of the terminating NUL.
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

// The performance counter, which every process of the machine shares.
std::wstring CounterNow() {
  LARGE_INTEGER now = {};
  QueryPerformanceCounter(&now);
  return std::to_wstring(now.QuadPart);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring started = CounterNow();
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring record = RecordPath(self);
  AppendLine(record + L".started", started, CREATE_ALWAYS);
  CopyFileW(self, (record + L".bytes").c_str(), FALSE);
  AppendLine(record, GetCommandLineW());
  Sleep(kRunningMs);
  return kExitCode;
}
