#include "app/store_pages.h"

namespace tessaro {

// Narrow string literals from the build; the empty wide literal in front makes each joined literal
// wide.
const wchar_t* const kStoreHomePage = L"" TESSARO_STORE_HOME_PAGE;

std::wstring SupportPageUrl() {
  return std::wstring(L"https://" TESSARO_SUPPORT_HOST) + L"/installersupport";
}

}  // namespace tessaro
