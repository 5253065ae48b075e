#ifndef UI_CORE_SYSTEM_LIBRARY_H_
#define UI_CORE_SYSTEM_LIBRARY_H_

#include <windows.h>

namespace veneer {

// Loads a DLL of the system folder by its file name ("msimg32.dll"), never a DLL of that name from the
// program's folder, the current folder or PATH, where whoever can write there could plant one and have
// this elevated program run it. The DLL is loaded by its full path in the system folder
// (GetSystemDirectoryW), with that folder searched first for its own dependencies; unlike the
// LOAD_LIBRARY_SEARCH_SYSTEM32 flag this needs no update on Windows 7. Every DLL that the code loads at
// run time goes through here. Returns the module, which the caller frees with FreeLibrary (or keeps for
// the process's life), or null when the name is not a plain file name or the system folder has no such
// DLL. Any thread.
HMODULE LoadSystemLibrary(const wchar_t* file_name);

}  // namespace veneer

#endif  // UI_CORE_SYSTEM_LIBRARY_H_
