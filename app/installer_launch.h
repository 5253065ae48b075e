#ifndef APP_INSTALLER_LAUNCH_H_
#define APP_INSTALLER_LAUNCH_H_

#include <windows.h>

#include <string>

#include "app/installer_download.h"

namespace tessaro {

// Starting the downloaded installer and waiting for it to end, on a worker thread of its own. The
// installer runs with this program's rights and its own folder as its only company (the download
// folder, installer_download.h). It does not look at the installer's exit code.

// The installer's command line: its path in double quotes, so that a path with blanks is one word.
std::wstring InstallerCommandLine(const std::wstring& path);

// What the installer's worker is given: the window it reports to and the checked installer, whose lock
// it lets go once the installer's process exists.
struct InstallerTask {
  HWND window = nullptr;
  CheckedInstaller installer;
};

// Thread procedure for CreateThread. `task` is a heap InstallerTask (owned and freed here). Starts the
// installer (no handle inheritance, the caller's environment and folder), waits for it to end and
// posts UM_INSTALLER_EXITED; when it cannot be started (not a program, elevation refused, the file
// locked or gone) posts UM_INSTALLER_FAILED instead. Either way removes the download folder afterwards
// (best effort).
DWORD WINAPI RunInstaller(LPVOID task);

}  // namespace tessaro

#endif  // APP_INSTALLER_LAUNCH_H_
