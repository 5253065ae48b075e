#ifndef APP_CONFIG_CLIENT_H_
#define APP_CONFIG_CLIENT_H_

#include <windows.h>

#include <cstdint>
#include <string>

namespace tessaro {

// The configuration server client: one blocking HTTPS GET per document, each on a worker thread of
// its own, and the hand-over of the raw reply body to the main window's UI thread. It does not parse
// the documents (the main window does), does not retry and keeps no cache: one request per start.

// The request paths for a catalogue name, which is percent-encoded as UTF-8: every byte other than
// ASCII letters, digits and "-._~" becomes "%XX", so that "a&b" is one name and not a name and a key.
std::wstring GlobalConfigPath(const std::wstring& goods_name);
std::wstring GoodsConfigPath(const std::wstring& goods_name);

// GET https://host:443/path with WinHTTP (agent "User-Agent", the default proxy, 2000 ms for each of
// resolve, connect, send and receive, and for the reply's headers). Returns the reply body whatever
// the status code; never fails outwardly: on any failure it returns what had been read, usually "".
// The body ends at the first NUL byte the server sent and at 8 MiB at most. Prints each chunk read
// and the read loop's failures to standard output.
std::string HttpGet(const std::wstring& host, const std::wstring& path);

// GET `url` (a web URL, IsWebUrl) with the same client settings as HttpGet, on the URL's own scheme
// and port, and write the reply body to the file `path` (created or replaced). True only for status
// 200 and a body read and written whole (at most 32 MiB); otherwise the file may hold a part of the
// body or nothing, and the caller discards it. Blocking; any thread.
bool HttpGetFile(const std::wstring& url, const std::wstring& path);

// Told how far a file download has come, on the downloading thread: after the reply's headers
// (received 0) and after each piece written. `total` is the announced length, 0 when unknown.
class IFileProgress {
 public:
  virtual ~IFileProgress() = default;
  virtual void OnFileProgress(uint64_t received, uint64_t total) = 0;
};

// HttpGetFile with a size limit of the caller's and progress reports to `progress` (not owned; may
// be null).
bool HttpGetFile(const std::wstring& url, const std::wstring& path, uint64_t max_bytes,
                 IFileProgress* progress);

// Thread procedures for CreateThread. `main_window` is the main window's HWND. Each builds its path
// from GoodsName, copies ConfigHost, fetches, and sends the body to the window with SendMessageW:
// UM_GLOBAL_CONFIG or UM_GOODS_CONFIG, wParam = the body's bytes (NUL-terminated), lParam = its
// length. The bytes belong to the thread and stay valid only until SendMessageW returns, that is
// while the window handles the message. Exactly one message per call, an empty body included.
DWORD WINAPI FetchGlobalConfig(LPVOID main_window);
DWORD WINAPI FetchGoodsConfig(LPVOID main_window);

}  // namespace tessaro

#endif  // APP_CONFIG_CLIENT_H_
