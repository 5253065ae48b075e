#ifndef APP_WEB_URL_H_
#define APP_WEB_URL_H_

#include <string>

namespace tessaro {

// Whether `url` may be opened with the shell, navigated to or downloaded: an absolute "http://" or
// "https://" URL (scheme in any letter case) with a non-empty host, and no blank, control character,
// quote, angle bracket or backslash anywhere. Everything else the configuration server could send
// (file: URLs, UNC and program paths, other schemes, relative text) is refused: the program runs
// elevated, so what it opens must be a web page and nothing else. Pure; any thread.
bool IsWebUrl(const std::wstring& url);

// The text after the scheme and host of a URL that IsWebUrl accepts: its path, query and fragment
// ("" when the URL ends after the host). For any other text: the text unchanged.
std::wstring UrlPathAndQuery(const std::wstring& url);

}  // namespace tessaro

#endif  // APP_WEB_URL_H_
