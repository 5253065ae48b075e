#ifndef APP_DESKTOP_SHORTCUT_H_
#define APP_DESKTOP_SHORTCUT_H_

#include <string>

namespace tessaro {

// Writes (or replaces) the shortcut "<desktop folder>\<SafeShortcutName(display_name)>.lnk" that
// starts this program, with the picture at `icon_path` (index 0) as its icon. The name comes from the
// configuration server; whatever it holds, the file lands in the desktop folder. Returns the
// shortcut's path, or "" when nothing was written: an empty safe name, COM or the shell link object
// unavailable, no desktop folder, or saving failed (failures are otherwise silent). UI thread (COM
// is initialised and uninitialised around the work).
std::wstring CreateDesktopShortcut(const std::wstring& display_name, const std::wstring& icon_path);

}  // namespace tessaro

#endif  // APP_DESKTOP_SHORTCUT_H_
