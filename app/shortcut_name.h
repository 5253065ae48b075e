#ifndef APP_SHORTCUT_NAME_H_
#define APP_SHORTCUT_NAME_H_

#include <string>

namespace tessaro {

// The longest shortcut name kept (characters, before ".lnk"), so that the desktop folder's path and
// the name stay well inside the platform's 260-character path limit.
constexpr size_t kMaxShortcutNameLength = 100;

// A file name (without ".lnk") made from the product's display name as the server sends it: control
// characters and the characters a file name cannot hold (< > : " / \ | ? *) become '_', so no folder
// part survives; the length is cut to kMaxShortcutNameLength (never between the halves of a surrogate
// pair); trailing dots and blanks are dropped; a reserved device name (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, in any letter case, alone or before a '.') gets a leading '_' (one character
// past the limit). "" means no shortcut is written. Pure; any thread.
std::wstring SafeShortcutName(const std::wstring& display_name);

}  // namespace tessaro

#endif  // APP_SHORTCUT_NAME_H_
