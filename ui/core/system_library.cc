#include "ui/core/system_library.h"

#include <cwchar>
#include <string>

namespace veneer {
namespace {

// A file name with no folder, drive or stream in it: only such names stay inside the system folder.
bool IsPlainFileName(const wchar_t* name) {
  return name && *name && !wcspbrk(name, L"\\/:") && wcscmp(name, L".") != 0 && wcscmp(name, L"..") != 0;
}

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* file_name) {
  if (!IsPlainFileName(file_name)) return nullptr;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L'\\' + file_name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace veneer
