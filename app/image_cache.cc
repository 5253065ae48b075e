#include "app/image_cache.h"

#include <windows.h>

#include "app/md5_digest.h"
#include "app/utf8_text.h"
#include "app/web_url.h"

namespace tessaro {
namespace {

constexpr size_t kMaxExtensionLength = 8;

bool IsAsciiLetterOrDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

}  // namespace

std::wstring CacheFileExtension(const std::wstring& url) {
  const std::wstring path_and_query = UrlPathAndQuery(url);
  const std::wstring path = path_and_query.substr(0, path_and_query.find_first_of(L"?#"));
  const size_t slash = path.find_last_of(L"/\\");
  const std::wstring segment = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const size_t dot = segment.rfind(L'.');
  if (dot == std::wstring::npos) return std::wstring();
  const std::wstring extension = segment.substr(dot + 1);
  if (extension.empty() || extension.size() > kMaxExtensionLength) return std::wstring();
  for (wchar_t c : extension) {
    if (!IsAsciiLetterOrDigit(c)) return std::wstring();
  }
  return L"." + extension;
}

std::wstring CacheFileName(const std::wstring& url) {
  const std::string digest = Md5Hex(Utf8FromWide(url));
  if (digest.empty()) return std::wstring();
  return std::wstring(digest.begin(), digest.end()) + CacheFileExtension(url);
}

std::wstring CacheFilePath(const std::wstring& url) {
  const std::wstring name = CacheFileName(url);
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (name.empty() || length == 0 || length > MAX_PATH) return std::wstring();
  return std::wstring(folder, length) + name;
}

bool IsCacheFilePresent(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

}  // namespace tessaro
