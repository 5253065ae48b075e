#ifndef APP_UTF8_TEXT_H_
#define APP_UTF8_TEXT_H_

#include <string>

namespace tessaro {

// Conversions between the documents' UTF-8 bytes and the UTF-16 text of the windows. Malformed
// input is converted as the platform does (invalid sequences become U+FFFD); nothing fails.
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

}  // namespace tessaro

#endif  // APP_UTF8_TEXT_H_
