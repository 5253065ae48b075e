#include "app/shortcut_name.h"

#include <cwchar>
#include <cwctype>

namespace tessaro {
namespace {

bool IsInvalidInFileName(wchar_t c) { return c < L' ' || wcschr(L"<>:\"/\\|?*", c) != nullptr; }

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Whether the part before the first '.' (trailing blanks ignored, as the platform does) names a device.
bool IsReservedDeviceName(const std::wstring& name) {
  std::wstring base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (wchar_t& c : base) c = static_cast<wchar_t>(towupper(c));
  if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
         base[3] >= L'1' && base[3] <= L'9';
}

void DropTrailingDotsAndBlanks(std::wstring* name) {
  while (!name->empty() && (name->back() == L'.' || name->back() == L' ')) name->pop_back();
}

}  // namespace

std::wstring SafeShortcutName(const std::wstring& display_name) {
  std::wstring name = display_name;
  for (wchar_t& c : name) {
    if (IsInvalidInFileName(c)) c = L'_';
  }
  if (name.size() > kMaxShortcutNameLength) {
    name.resize(IsHighSurrogate(name[kMaxShortcutNameLength - 1]) ? kMaxShortcutNameLength - 1
                                                                  : kMaxShortcutNameLength);
  }
  DropTrailingDotsAndBlanks(&name);
  if (IsReservedDeviceName(name)) name.insert(0, 1, L'_');
  return name;
}

}  // namespace tessaro
