#include "app/installer_launch.h"

#include <memory>
#include <vector>

#include "app/app_messages.h"
#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

// Runs the installer to its end; false when it could not be started. The lock on the checked file is
// let go once the process exists: the system keeps a running program's file from being changed.
bool RunToEnd(const std::wstring& path, veneer::ScopedFileHandle* lock) {
  const std::wstring command = InstallerCommandLine(path);
  std::vector<wchar_t> command_buffer(command.begin(), command.end());
  command_buffer.push_back(L'\0');  // CreateProcessW may write into its command line.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(path.c_str(), command_buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      nullptr, &startup, &started)) {
    return false;
  }
  const veneer::ScopedKernelHandle process(started.hProcess);
  const veneer::ScopedKernelHandle thread(started.hThread);
  lock->reset();
  if (ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
    TerminateProcess(process.get(), 1);
    return false;
  }
  WaitForSingleObject(process.get(), INFINITE);
  return true;
}

}  // namespace

std::wstring InstallerCommandLine(const std::wstring& path) { return L"\"" + path + L"\""; }

DWORD WINAPI RunInstaller(LPVOID parameter) {
  const std::unique_ptr<InstallerTask> task(static_cast<InstallerTask*>(parameter));
  CheckedInstaller& installer = task->installer;
  const bool ran = RunToEnd(installer.path, &installer.lock);
  installer.lock.reset();
  RemoveDownloadFolder(installer.path);
  PostMessageW(task->window, ran ? UM_INSTALLER_EXITED : UM_INSTALLER_FAILED, 0, 0);
  return 0;
}

}  // namespace tessaro
