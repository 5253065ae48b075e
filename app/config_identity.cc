#include "app/config_identity.h"

#include <windows.h>

namespace tessaro {

std::wstring ConfigHost;
std::wstring GoodsName;

// TESSARO_CONFIG_HOST is a narrow string literal from the build; the empty wide literal in front
// makes the joined literal wide.
const wchar_t* const kBuiltConfigHost = L"" TESSARO_CONFIG_HOST;

namespace {

// "name (2)" -> "name": the mark a browser adds to a second download of the same file. A name that
// would be left empty is kept whole.
std::wstring WithoutDownloadCopyMark(const std::wstring& name) {
  if (name.size() < 4 || name.back() != L')') return name;
  const size_t open = name.rfind(L" (");
  if (open == std::wstring::npos || open == 0 || open + 3 >= name.size()) return name;
  for (size_t index = open + 2; index + 1 < name.size(); ++index) {
    if (name[index] < L'0' || name[index] > L'9') return name;
  }
  return name.substr(0, open);
}

}  // namespace

std::wstring GoodsNameFromModulePath(const std::wstring& module_path) {
  const size_t slash = module_path.rfind(L'\\');
  if (slash == std::wstring::npos) return std::wstring();
  const std::wstring file_name = module_path.substr(slash + 1);
  return WithoutDownloadCopyMark(file_name.substr(0, file_name.rfind(L'.')));
}

std::wstring ModuleFilePath() {
  // GetModuleFileNameW cuts a path that does not fit (and says so only through the length), which
  // would silently name another product: grow the buffer until the whole path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return std::wstring();
    path.resize(path.size() * 2);
  }
}

std::wstring ModuleGoodsName() { return GoodsNameFromModulePath(ModuleFilePath()); }

}  // namespace tessaro
