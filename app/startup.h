#ifndef APP_STARTUP_H_
#define APP_STARTUP_H_

#include <windows.h>

namespace tessaro {

// The program's start-up and life: first restricts where DLLs are loaded from
// (RestrictDllSearchToSystemFolder), refuses a second copy (activating the first), prepares OLE, hands
// the framework the module and the embedded skin archive, registers the browser emulation value,
// creates, centres and shows the main window and runs the message loop until the main window ends it.
// Returns the process's exit code: 0 after the loop (or for a second copy), 1 when the main window
// cannot be created. UI thread; once per process.
int RunApplication(HINSTANCE instance);

// Makes the system folder the only place DLLs loaded later come from (SetDefaultDllDirectories with
// LOAD_LIBRARY_SEARCH_SYSTEM32), never the program's folder, which may be a downloads folder with
// planted files. Found at run time: a Windows 7 without its loader update has no such call, and
// there LoadSystemLibrary's full paths still hold. True when the restriction is in force.
bool RestrictDllSearchToSystemFolder();

// Hands the skin archive (resource "ZIPRES" 102 of the skin resource module) to the skin source; the
// resource memory stays valid for the life of the process. A missing resource is left to the window
// base, which reports the skin it cannot load.
void LoadSkinArchive();

}  // namespace tessaro

#endif  // APP_STARTUP_H_
