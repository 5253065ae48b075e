#include "app/url_opener.h"

#include <windows.h>
#include <shellapi.h>

namespace tessaro {

void ShellUrlOpener::OpenInBrowser(const std::wstring& url) {
  ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace tessaro
