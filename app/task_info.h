#ifndef APP_TASK_INFO_H_
#define APP_TASK_INFO_H_

#include <windows.h>

#include <string>

namespace tessaro {

// The record of one worker task of the application (an image or installer download): made on the UI
// thread, handed to the worker, which owns and frees it. A record the worker hands back with
// SendMessageW stays valid until that call returns; the UI thread must not keep it.
struct TaskInfo {
  HWND window = nullptr;  // The main window, which receives the task's messages. Not owned.
  std::wstring url;       // Where the file comes from.
  std::wstring slot;      // What the file is for (an image slot key, ImageSlots).
  std::wstring path;      // Where the file is stored.
  std::wstring extra;     // The shortcut name for the "icon" slot; an installer's expected SHA-256.
};

}  // namespace tessaro

#endif  // APP_TASK_INFO_H_
