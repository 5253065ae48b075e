#include "app/web_url.h"

#include <cwchar>

namespace tessaro {
namespace {

// Characters that a URL never carries unencoded and that a shell or a command line could read as
// something else than part of one address.
bool IsForbiddenInUrl(wchar_t c) { return c <= L' ' || c == 0x7F || wcschr(L"\"<>\\", c) != nullptr; }

// Length of "http://" or "https://" at the start of `url` (any letter case); 0 for anything else.
size_t WebSchemeLength(const std::wstring& url) {
  for (const wchar_t* scheme : {L"http://", L"https://"}) {
    const size_t length = wcslen(scheme);
    if (url.size() >= length && _wcsnicmp(url.c_str(), scheme, length) == 0) return length;
  }
  return 0;
}

// Where the authority (user information, host and port) ends: at the path, query or fragment.
size_t AuthorityEnd(const std::wstring& url, size_t start) {
  const size_t end = url.find_first_of(L"/?#", start);
  return end == std::wstring::npos ? url.size() : end;
}

// The host inside an authority: after any "user@", before any ":port" (an IPv6 literal keeps its
// brackets and colons).
std::wstring HostOf(const std::wstring& authority) {
  const size_t at = authority.rfind(L'@');
  std::wstring host = at == std::wstring::npos ? authority : authority.substr(at + 1);
  const size_t bracket = host.rfind(L']');
  const size_t colon = host.rfind(L':');
  if (colon != std::wstring::npos && (bracket == std::wstring::npos || colon > bracket)) host.resize(colon);
  return host;
}

}  // namespace

bool IsWebUrl(const std::wstring& url) {
  const size_t scheme = WebSchemeLength(url);
  if (scheme == 0) return false;
  for (wchar_t c : url) {
    if (IsForbiddenInUrl(c)) return false;
  }
  return !HostOf(url.substr(scheme, AuthorityEnd(url, scheme) - scheme)).empty();
}

std::wstring UrlPathAndQuery(const std::wstring& url) {
  if (!IsWebUrl(url)) return url;
  return url.substr(AuthorityEnd(url, WebSchemeLength(url)));
}

}  // namespace tessaro
