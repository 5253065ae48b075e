#include "app/config_client.h"

#include <winhttp.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "app/app_messages.h"
#include "app/config_identity.h"
#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

constexpr int kTimeoutMs = 2000;
// Upper bound of one read: WinHTTP reports only what it holds, but the bound keeps "available + 1"
// from wrapping around whatever it reports.
constexpr DWORD kMaxChunkBytes = 1 << 20;
// Upper bound of a body. The documents are a few kilobytes; a server that sends without end would
// otherwise exhaust the 32-bit address space and end the process. Reaching it counts as running out
// of memory: "Out of memory" is printed and the body read so far is returned.
constexpr size_t kMaxBodyBytes = 8 << 20;

// A WinHTTP handle closed when it goes out of scope; declared session, connection, request, they
// close request, connection, session. A null handle (the open call failed) is not closed.
using InternetHandle = veneer::ScopedHandle<HINTERNET, &WinHttpCloseHandle>;

unsigned LastError() { return static_cast<unsigned>(GetLastError()); }

// One round of the read loop: appends the next chunk to `body`. Returns false when the loop must
// end: no more data, a failure (printed), the body's size limit, or a NUL byte in the chunk. The body
// ends at the first NUL byte, so nothing after one is appended, neither the rest of its chunk nor
// later chunks.
bool ReadChunk(HINTERNET request, std::string* body) {
  DWORD available = 0;
  if (!WinHttpQueryDataAvailable(request, &available)) {
    printf("Error %u in WinHttpQueryDataAvailable.\n", LastError());
    return false;
  }
  if (available == 0) return false;
  if (available > kMaxChunkBytes) available = kMaxChunkBytes;
  const size_t room = kMaxBodyBytes - body->size();
  if (available > room) available = static_cast<DWORD>(room);
  char* buffer = available > 0 ? new (std::nothrow) char[available + 1] : nullptr;
  if (!buffer) {
    printf("Out of memory\n");
    return false;
  }
  memset(buffer, 0, available + 1);
  DWORD read = 0;
  const bool ok = WinHttpReadData(request, buffer, available, &read);
  bool more = false;
  if (!ok) {
    // A failed read loses its bytes; reading on would join later bytes to the body across the gap.
    printf("Error %u in WinHttpReadData.\n", LastError());
  } else {
    printf("%s", buffer);
    const size_t text_length = strlen(buffer);
    body->append(buffer, text_length);
    more = read > 0 && text_length == read;
  }
  delete[] buffer;
  return more;
}

DWORD FetchAndHandOver(LPVOID main_window, const std::wstring& path, UINT message) {
  const std::wstring host = ConfigHost;
  const std::string body = HttpGet(host, path);
  SendMessageW(static_cast<HWND>(main_window), message, reinterpret_cast<WPARAM>(body.c_str()),
               static_cast<LPARAM>(body.size()));
  return 0;
}

}  // namespace

std::wstring GlobalConfigPath(const std::wstring& goods_name) {
  return L"/installer/config/global?name=" + goods_name + L"&os=windows";
}

std::wstring GoodsConfigPath(const std::wstring& goods_name) {
  return L"/installer/config/goods?name=" + goods_name + L"&os=windows";
}

std::string HttpGet(const std::wstring& host, const std::wstring& path) {
  std::string body;
  InternetHandle session(WinHttpOpen(L"User-Agent", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                     WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session.get()) return body;
  InternetHandle connection(WinHttpConnect(session.get(), host.c_str(), INTERNET_DEFAULT_HTTPS_PORT, 0));
  WinHttpSetTimeouts(session.get(), kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs);
  // Waiting for the reply's headers has a time-out of its own. Windows also stops that wait at the
  // receive time-out; Wine waits for as long as this one says (forever by default), so a server that
  // never answers would keep the window waiting for its document. Same 2000 ms.
  DWORD response_timeout = kTimeoutMs;
  WinHttpSetOption(session.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response_timeout,
                   sizeof response_timeout);
  if (!connection.get()) return body;
  InternetHandle request(WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            WINHTTP_FLAG_SECURE));
  if (!request.get()) return body;
  if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                          0)) {
    return body;
  }
  // The status code is not examined: an error page's body is handed over like a good reply.
  if (!WinHttpReceiveResponse(request.get(), nullptr)) return body;
  while (ReadChunk(request.get(), &body)) {
  }
  return body;
}

DWORD WINAPI FetchGlobalConfig(LPVOID main_window) {
  return FetchAndHandOver(main_window, GlobalConfigPath(GoodsName), UM_GLOBAL_CONFIG);
}

DWORD WINAPI FetchGoodsConfig(LPVOID main_window) {
  return FetchAndHandOver(main_window, GoodsConfigPath(GoodsName), UM_GOODS_CONFIG);
}

}  // namespace tessaro
