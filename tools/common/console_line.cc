#include "tools/common/console_line.h"

namespace tessaro::tools {

void WriteLine(DWORD standard_handle, const std::wstring& text) {
  const std::wstring line = text + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size, nullptr,
                      nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(standard_handle), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tessaro::tools
