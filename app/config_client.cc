#include "app/config_client.h"

#include <winhttp.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "app/app_messages.h"
#include "app/config_identity.h"
#include "app/utf8_text.h"
#include "app/web_url.h"
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
// Upper bound of a file fetched with HttpGetFile (pictures are a few hundred kilobytes).
constexpr size_t kMaxFileBytes = 32 << 20;
// One read of a file download: large pieces keep a fast local download from being bound by calls.
constexpr DWORD kCopyBufferBytes = 256 * 1024;

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

// A WinHTTP GET that has been sent and whose reply headers have arrived. Declared session,
// connection, request: destroyed request, connection, session.
struct SentRequest {
  InternetHandle session;
  InternetHandle connection;
  InternetHandle request;
};

// Sends GET `path` to host:port (TLS when `secure`) with the agent "User-Agent", the default proxy
// and 2000 ms for each of resolve, connect, send and receive and for the reply's headers, and waits
// for the reply's headers. False on any failure.
bool SendGet(const std::wstring& host, INTERNET_PORT port, const std::wstring& path, bool secure,
             SentRequest* sent) {
  sent->session.reset(WinHttpOpen(L"User-Agent", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0));
  if (!sent->session) return false;
  sent->connection.reset(WinHttpConnect(sent->session.get(), host.c_str(), port, 0));
  WinHttpSetTimeouts(sent->session.get(), kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs);
  // Waiting for the reply's headers has a time-out of its own. Windows also stops that wait at the
  // receive time-out; Wine waits for as long as this one says (forever by default), so a server that
  // never answers would keep the window waiting for its document. Same 2000 ms.
  DWORD response_timeout = kTimeoutMs;
  WinHttpSetOption(sent->session.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &response_timeout,
                   sizeof response_timeout);
  if (!sent->connection) return false;
  sent->request.reset(WinHttpOpenRequest(sent->connection.get(), L"GET", path.c_str(), nullptr,
                                         WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                         secure ? WINHTTP_FLAG_SECURE : 0));
  if (!sent->request) return false;
  if (!WinHttpSendRequest(sent->request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                          0, 0)) {
    return false;
  }
  return WinHttpReceiveResponse(sent->request.get(), nullptr);
}

// The reply's announced Content-Length; 0 when it has none (chunked) or it cannot be read.
uint64_t AnnouncedLength(HINTERNET request) {
  wchar_t text[32] = {};
  DWORD size = sizeof text;
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                           WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return wcstoull(text, nullptr, 10);
}

// Writes the reply body to `file`, up to `max_bytes`, reporting to `progress` when there is one.
// False when a read or a write fails or the body is longer than that.
bool CopyBodyToFile(HINTERNET request, HANDLE file, uint64_t max_bytes, IFileProgress* progress) {
  const uint64_t announced = AnnouncedLength(request);
  std::unique_ptr<char[]> owned(new (std::nothrow) char[kCopyBufferBytes]);
  if (!owned) return false;
  uint64_t total = 0;
  if (progress) progress->OnFileProgress(0, announced);
  for (;;) {
    DWORD read = 0;
    if (!WinHttpReadData(request, owned.get(), kCopyBufferBytes, &read)) return false;
    if (read == 0) return true;
    total += read;
    DWORD written = 0;
    if (total > max_bytes || !WriteFile(file, owned.get(), read, &written, nullptr) || written != read)
      return false;
    if (progress) progress->OnFileProgress(total, announced);
  }
}

bool IsUnreservedInUrl(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
         byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

// The name as a query value: its UTF-8 bytes, each one that is not unreserved in a URL as "%XX".
std::wstring QueryValue(const std::wstring& name) {
  static const wchar_t kHexDigits[] = L"0123456789ABCDEF";
  std::wstring value;
  for (unsigned char byte : Utf8FromWide(name)) {
    if (IsUnreservedInUrl(byte)) {
      value += static_cast<wchar_t>(byte);
    } else {
      value += L'%';
      value += kHexDigits[byte >> 4];
      value += kHexDigits[byte & 0xF];
    }
  }
  return value;
}

}  // namespace

std::wstring GlobalConfigPath(const std::wstring& goods_name) {
  return L"/installer/config/global?name=" + QueryValue(goods_name) + L"&os=windows";
}

std::wstring GoodsConfigPath(const std::wstring& goods_name) {
  return L"/installer/config/goods?name=" + QueryValue(goods_name) + L"&os=windows";
}

std::string HttpGet(const std::wstring& host, const std::wstring& path) {
  std::string body;
  SentRequest sent;
  if (!SendGet(host, INTERNET_DEFAULT_HTTPS_PORT, path, true, &sent)) return body;
  // The status code is not examined: an error page's body is handed over like a good reply.
  while (ReadChunk(sent.request.get(), &body)) {
  }
  return body;
}

bool HttpGetFile(const std::wstring& url, const std::wstring& path) {
  return HttpGetFile(url, path, kMaxFileBytes, nullptr);
}

bool HttpGetFile(const std::wstring& url, const std::wstring& path, uint64_t max_bytes,
                 IFileProgress* progress) {
  if (!IsWebUrl(url)) return false;
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return false;
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  const std::wstring target = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  SentRequest sent;
  if (!SendGet(host, parts.nPort, target.empty() ? L"/" : target, parts.nScheme == INTERNET_SCHEME_HTTPS,
               &sent)) {
    return false;
  }
  DWORD status = 0;
  DWORD status_size = sizeof status;
  if (!WinHttpQueryHeaders(sent.request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &status_size, WINHTTP_NO_HEADER_INDEX) ||
      status != HTTP_STATUS_OK) {
    return false;
  }
  veneer::ScopedFileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && CopyBodyToFile(sent.request.get(), file.get(), max_bytes, progress);
}

DWORD WINAPI FetchGlobalConfig(LPVOID main_window) {
  return FetchAndHandOver(main_window, GlobalConfigPath(GoodsName), UM_GLOBAL_CONFIG);
}

DWORD WINAPI FetchGoodsConfig(LPVOID main_window) {
  return FetchAndHandOver(main_window, GoodsConfigPath(GoodsName), UM_GOODS_CONFIG);
}

}  // namespace tessaro
