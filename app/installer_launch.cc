#include "app/installer_launch.h"

#include <memory>
#include <vector>

#include "app/app_messages.h"
#include "app/installer_download.h"
#include "app/task_info.h"
#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

// Runs the installer to its end; false when it could not be started.
bool RunToEnd(const std::wstring& path) {
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
  const std::unique_ptr<TaskInfo> task(static_cast<TaskInfo*>(parameter));
  const bool ran = RunToEnd(task->path);
  RemoveDownloadFolder(task->path);
  PostMessageW(task->window, ran ? UM_INSTALLER_EXITED : UM_INSTALLER_FAILED, 0, 0);
  return 0;
}

}  // namespace tessaro
