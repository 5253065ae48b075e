#ifndef APP_STORE_PAGES_H_
#define APP_STORE_PAGES_H_

#include <string>

namespace tessaro {

// The store's own web pages that the main window opens in the user's browser. Both are deployment
// values fixed by the build (TESSARO_STORE_HOME_PAGE, TESSARO_SUPPORT_HOST), like the configuration
// server's host. Constants; any thread.

// The store's home page, shown as the error page's link ("btn_url").
extern const wchar_t* const kStoreHomePage;

// The store's support page: https on the support host, path "/installersupport".
std::wstring SupportPageUrl();

}  // namespace tessaro

#endif  // APP_STORE_PAGES_H_
