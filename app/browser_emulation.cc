#include "app/browser_emulation.h"

#include "app/config_identity.h"
#include "ui/core/win_handles.h"

namespace tessaro {

std::wstring FileNameOfPath(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

bool RegisterBrowserEmulation(HKEY root, const wchar_t* key_path, const std::wstring& value_name) {
  veneer::ScopedHandle<HKEY, &RegCloseKey> key;
  if (RegOpenKeyExW(root, key_path, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.receive()) != ERROR_SUCCESS) {
    return false;
  }
  // Asked without a buffer: only whether the value exists, so a value of any size counts as present.
  if (RegQueryValueExW(key.get(), value_name.c_str(), nullptr, nullptr, nullptr, nullptr) !=
      ERROR_FILE_NOT_FOUND) {
    return false;
  }
  const DWORD mode = kBrowserEmulationMode;
  return RegSetValueExW(key.get(), value_name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode),
                        sizeof(mode)) == ERROR_SUCCESS;
}

void RegisterBrowserEmulation() {
  const std::wstring path = ModuleFilePath();
  if (path.empty()) return;
  RegisterBrowserEmulation(HKEY_LOCAL_MACHINE, kBrowserEmulationKey, FileNameOfPath(path));
}

}  // namespace tessaro
