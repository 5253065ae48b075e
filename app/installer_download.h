#ifndef APP_INSTALLER_DOWNLOAD_H_
#define APP_INSTALLER_DOWNLOAD_H_

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/config_client.h"
#include "ui/core/win_handles.h"

namespace tessaro {

// The installer download: what the install button's information asks for, the rules a download must
// pass before its file may be run, and the worker thread that fetches it. The file lands in a folder
// of its own with a random name inside the temporary folder, so that no other download and nobody
// who can write there can put a file (or a DLL the installer would load) next to it. It does not
// start the installer (installer_launch.h) or touch the main window's controls.

// What a click on the install button asks for, read from its "userdata" text (a JSON object).
struct InstallRequest {
  std::wstring download_url;   // "downloadUrl"; "" when missing or not text.
  std::wstring sha256;         // "sha256", the file's expected digest; "" means no check.
  bool confirm_first = false;  // "dialogOpen": the confirmation dialog comes first.
};

// False (the click does nothing) when the text is empty or not a JSON object. A "sha256" member that
// is not 64 hexadecimal digits gives a digest no file matches, so that download fails.
bool ParseInstallRequest(const std::wstring& install_info, InstallRequest* request);

// Whether a download may come from `url`: an https URL that IsWebUrl accepts. Pure; any thread.
bool IsInstallerUrl(const std::wstring& url);

// How much of the download is done, 0 to 100: 100 only once `received` reaches `total`; 0 when the
// total is unknown (0). Exact for every 64-bit value. Pure; any thread.
unsigned DownloadPercent(uint64_t received, uint64_t total);

// The installer's file name: the time in seconds since 1970 in decimal, then ".exe" ("-5.exe").
std::wstring InstallerFileName(int64_t seconds);

// The security descriptor a download folder is created with: full control for SYSTEM, the
// Administrators and the folder's owner only, inherited by what is made inside and not by anything
// from the temporary folder. The program runs elevated, so the owner of what it creates is the
// Administrators group: a program the same user runs without elevation can find the folder but
// cannot put a DLL next to the installer. Empty when the descriptor cannot be made.
veneer::ScopedLocalMemory DownloadFolderSecurity();

// Creates a new folder with a random 32-digit name inside the temporary folder, with
// DownloadFolderSecurity, and returns its path (no trailing backslash); "" when the temporary folder,
// the random name or the descriptor cannot be had, or the folder cannot be created.
std::wstring MakeDownloadFolder();

// Deletes the installer file and then its folder; best effort (files still in use stay).
void RemoveDownloadFolder(const std::wstring& installer_path);

// Posts UM_DOWNLOAD_PROGRESS (wParam the percentage, lParam the total, clamped to LPARAM) to the main
// window when the percentage changes; reports with an unknown total are dropped. Lives on the
// download worker's stack for one download; the worker's thread only.
class DownloadProgress : public IFileProgress {
 public:
  explicit DownloadProgress(HWND window) : window_(window) {}

  void OnFileProgress(uint64_t received, uint64_t total) override;

 private:
  static constexpr unsigned kNothingPosted = ~0u;

  HWND window_;
  unsigned posted_percent_ = kNothingPosted;
};

// A downloaded installer that passed its checks, held open from the checks until it starts: the handle
// lets others read the file but never write, rename or delete it, so what starts is what was checked.
struct CheckedInstaller {
  std::wstring path;
  veneer::ScopedFileHandle lock;  // Empty when the file failed its checks.
};

// Opens the file at `path` and checks it through that handle: it must begin like a Windows program
// ("MZ"; anything else would make CreateProcessW look for another way to run it) and match
// `expected_sha256` ("" for no check). The lock is empty (the file closed) when any of that fails.
CheckedInstaller CheckInstaller(const std::wstring& path, const std::wstring& expected_sha256);

// UM_DOWNLOAD_DONE's reply from a window that took the installer over (and will start it).
constexpr LRESULT kInstallerTaken = 1;

// Thread procedure for CreateThread. `task` is a heap TaskInfo (owned and freed here): its window,
// its url and, in `extra`, the expected SHA-256 digest or "". Downloads the installer and checks
// it (an https URL, the whole body, CheckInstaller); then sends UM_DOWNLOAD_DONE with the checked
// installer, whose lock the window moves into the installer's task when it takes it over. Any
// failure, and a window that does not take the installer, removes the folder again;
// failures post UM_DOWNLOAD_FAILED.
DWORD WINAPI DownloadInstaller(LPVOID task);

}  // namespace tessaro

#endif  // APP_INSTALLER_DOWNLOAD_H_
