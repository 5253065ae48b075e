#include "tests/app/server_log.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace tessaro::test {

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

std::wstring ServerLog::Path() { return EnvironmentPath(L"TESSARO_CONFIG_SERVER_LOG"); }

ServerLog::ServerLog() : start_(ReadAll().size()) {}

std::string ServerLog::ReadAll() const {
  std::ifstream file(Path().c_str(), std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

std::vector<std::string> ServerLog::NewLines() const {
  const std::string all = ReadAll();
  std::vector<std::string> lines;
  std::istringstream added(all.size() > start_ ? all.substr(start_) : std::string());
  std::string line;
  while (std::getline(added, line)) lines.push_back(line);
  return lines;
}

}  // namespace tessaro::test
