#include "app/utf8_text.h"

#include <windows.h>

#include <climits>

namespace tessaro {

std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return std::wstring();
  const int length = static_cast<int>(utf8.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0), L'\0');
  if (!wide.empty())
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &wide[0], static_cast<int>(wide.size()));
  return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
  if (wide.empty() || wide.size() > INT_MAX / 3) return std::string();
  const int length = static_cast<int>(wide.size());
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  if (!utf8.empty()) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, &utf8[0], static_cast<int>(utf8.size()), nullptr,
                        nullptr);
  }
  return utf8;
}

}  // namespace tessaro
