#include "app/desktop_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "app/config_identity.h"
#include "app/shortcut_name.h"
#include "ui/core/com_ptr.h"

namespace tessaro {
namespace {

// CoInitialize for the lifetime of the object; CoUninitialize only when it succeeded (S_FALSE, COM
// already initialised on this thread, counts as success and must be balanced too).
class ScopedComInitialisation {
 public:
  ScopedComInitialisation() : result_(CoInitialize(nullptr)) {}
  ScopedComInitialisation(const ScopedComInitialisation&) = delete;
  ScopedComInitialisation& operator=(const ScopedComInitialisation&) = delete;
  ~ScopedComInitialisation() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  bool succeeded() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

std::wstring DesktopFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_DESKTOP, FALSE)) return std::wstring();
  return folder;
}

}  // namespace

std::wstring CreateDesktopShortcut(const std::wstring& display_name, const std::wstring& icon_path) {
  const std::wstring name = SafeShortcutName(display_name);
  if (name.empty()) return std::wstring();
  const ScopedComInitialisation com;
  if (!com.succeeded()) return std::wstring();
  const std::wstring folder = DesktopFolder();
  const std::wstring target = ModuleFilePath();
  if (folder.empty() || target.empty()) return std::wstring();

  veneer::ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.receive()))) {
    return std::wstring();
  }
  link->SetPath(target.c_str());
  link->SetIconLocation(icon_path.c_str(), 0);
  veneer::ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) return std::wstring();
  const std::wstring path = folder + L"\\" + name + L".lnk";
  if (FAILED(file->Save(path.c_str(), FALSE))) return std::wstring();
  return path;
}

}  // namespace tessaro
