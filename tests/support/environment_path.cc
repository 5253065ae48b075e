#include "tests/support/environment_path.h"

#include <windows.h>

namespace veneer::test {

std::wstring WindowsPathFromUnix(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  for (wchar_t& ch : windows) {
    if (ch == L'/') ch = L'\\';
  }
  return windows;
}

std::wstring EnvironmentPath(const wchar_t* name) {
  wchar_t value[1024];
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  if (length == 0 || length >= 1024) return std::wstring();
  return WindowsPathFromUnix(std::wstring(value, length));
}

}  // namespace veneer::test
