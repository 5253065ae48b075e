#include "app/startup.h"

#include <ole2.h>

#include "app/browser_emulation.h"
#include "app/config_identity.h"
#include "app/main_wnd.h"
#include "app/single_instance.h"
#include "app/url_opener.h"
#include "ui/markup/skin_source.h"
#include "ui/runtime/paint_manager.h"

namespace tessaro {

void LoadSkinArchive() {
  const HMODULE module = veneer::GetSkinResourceModule();
  const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(102), L"ZIPRES");
  if (!resource) return;
  const HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  if (loaded && size != 0) veneer::SetSkinArchiveMemory(LockResource(loaded), size, nullptr);
}

bool RestrictDllSearchToSystemFolder() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto set_directories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
  return set_directories && set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

int RunApplication(HINSTANCE instance) {
  RestrictDllSearchToSystemFolder();
  if (!EnsureSingleInstance()) return 0;
  OleInitialize(nullptr);
  veneer::SetAppModule(instance);
  LoadSkinArchive();
  RegisterBrowserEmulation();
  static ShellUrlOpener shell;
  MainWnd* window = MainWnd::Create(MainWndSettings{kBuiltConfigHost, ModuleGoodsName(), &shell});
  if (!window) return 1;
  window->CenterOnOwner();
  window->ShowNative(true, true);
  veneer::CPaintManagerUI::MessageLoop();
  return 0;
}

}  // namespace tessaro
