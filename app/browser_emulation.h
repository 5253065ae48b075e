#ifndef APP_BROWSER_EMULATION_H_
#define APP_BROWSER_EMULATION_H_

#include <windows.h>

#include <string>

namespace tessaro {

// The registry key under which the embedded browser engine looks up its rendering mode per program
// file name, and the mode this program asks for.
constexpr wchar_t kBrowserEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
constexpr DWORD kBrowserEmulationMode = 9999;

// Under the existing key `root`\`key_path`, sets the value `value_name` to REG_DWORD 9999 when the
// value is absent. A value that exists is left as it is, whatever its type and size; a key that
// cannot be opened is left alone. True when the value was written. Any thread.
bool RegisterBrowserEmulation(HKEY root, const wchar_t* key_path, const std::wstring& value_name);

// The same for this program's file name (with its extension) under HKEY_LOCAL_MACHINE. Failures are
// silent.
void RegisterBrowserEmulation();

// The file name of a path: the text after its last backslash (the whole text without one).
std::wstring FileNameOfPath(const std::wstring& path);

}  // namespace tessaro

#endif  // APP_BROWSER_EMULATION_H_
