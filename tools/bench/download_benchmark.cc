// The installer download's figures, run by tools/bench/download_figures.sh against the local server; a
// benchmark: it prints figures and asserts nothing. Exit status 1 when what it times fails.
//   download_benchmark URL FILE WARM_UP_URL
//       downloads URL into FILE the way the install button fetches an installer (HttpGetFile through
//       WinHTTP), after one untimed fetch of the small WARM_UP_URL from the same server, and prints
//       "BYTES bytes in MS ms".
//   download_benchmark --install URL
//       what a click on the install button starts, with a message-only window standing in for the main
//       window: the download worker, then the installer worker once the download is handed over (after
//       one untimed fetch, as the program has talked to the server before any click). URL
//       serves the test installer, which notes the performance counter at its start in "<record>.started";
//       prints "installer started MS ms after the click (downloaded and checked after MS ms)".
//   download_benchmark --socket URL
//       the floor under any HTTP client in this Wine: a plain http:// URL read over a bare socket with
//       16 KiB and with 256 KiB receives (WinHTTP under Wine receives 8 KiB, or one TLS record, at a
//       time); prints "socket, RECV-byte receives: BYTES bytes in MS ms" for each.
#include <winsock2.h>
#include <windows.h>
#include <winhttp.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/app_messages.h"
#include "app/config_client.h"
#include "app/installer_download.h"
#include "app/installer_launch.h"
#include "app/task_info.h"

namespace {

// The performance counter is shared by every process of the machine: the test installer notes its
// start with it too.
double CounterToMs(int64_t counter) {
  LARGE_INTEGER frequency = {};
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter) / static_cast<double>(frequency.QuadPart);
}

double NowMs() {
  LARGE_INTEGER now = {};
  QueryPerformanceCounter(&now);
  return CounterToMs(now.QuadPart);
}

uint64_t FileSize(const wchar_t* path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &attributes)) return 0;
  return (static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
}

constexpr uint64_t kMaxBytes = 4ull << 30;

// By the time a user can click, the program has fetched its documents and pictures over TLS: the TLS
// libraries are loaded and warm. One untimed fetch does the same here; curl, timed from its side, has
// its libraries loaded before its clock starts too.
void WarmUp(const wchar_t* url) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring warm_up = std::wstring(temp) + L"download_benchmark.warm-up";
  tessaro::HttpGetFile(url, warm_up, kMaxBytes, nullptr);
  DeleteFileW(warm_up.c_str());
}

int TimeDownload(const wchar_t* url, const wchar_t* file, const wchar_t* warm_up_url) {
  WarmUp(warm_up_url);
  const double start = NowMs();
  const bool downloaded = tessaro::HttpGetFile(url, file, kMaxBytes, nullptr);
  const double ms = NowMs() - start;
  if (!downloaded) {
    fprintf(stderr, "download_benchmark: the download failed\n");
    return 1;
  }
  printf("%llu bytes in %.0f ms\n", static_cast<unsigned long long>(FileSize(file)), ms);
  return 0;
}

// The message-only window standing in for the main window: takes the downloaded installer over as
// the main window does and notes how the install ended.
struct InstallWatch {
  enum class End { kNone, kExited, kFailed };
  End end = End::kNone;
  double handed_over_ms = 0;  // When the download worker handed the checked installer over.
};

LRESULT CALLBACK InstallWatchProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* watch = reinterpret_cast<InstallWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case tessaro::UM_DOWNLOAD_DONE: {
      watch->handed_over_ms = NowMs();
      auto task = std::make_unique<tessaro::InstallerTask>();
      task->window = window;
      task->installer = std::move(*reinterpret_cast<tessaro::CheckedInstaller*>(wparam));
      const HANDLE thread = CreateThread(nullptr, 0, tessaro::RunInstaller, task.get(), 0, nullptr);
      if (!thread) return 0;
      task.release();
      CloseHandle(thread);
      return tessaro::kInstallerTaken;
    }
    case tessaro::UM_INSTALLER_EXITED:
      watch->end = InstallWatch::End::kExited;
      return 0;
    case tessaro::UM_DOWNLOAD_FAILED:
    case tessaro::UM_INSTALLER_FAILED:
      watch->end = InstallWatch::End::kFailed;
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

int TimeClickToInstallerStart(const wchar_t* url) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring record = std::wstring(temp) + L"download_benchmark.record";
  const std::wstring started = record + L".started";
  DeleteFileW(started.c_str());
  SetEnvironmentVariableW(L"TESSARO_TEST_INSTALLER_RECORD", record.c_str());

  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = InstallWatchProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"DownloadBenchmarkWatch";
  RegisterClassW(&window_class);
  InstallWatch watch;
  const HWND window = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, window_class.hInstance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&watch));

  WarmUp(url);
  const double click_ms = NowMs();
  auto task = std::make_unique<tessaro::TaskInfo>();
  task->window = window;
  task->url = url;
  const HANDLE thread = CreateThread(nullptr, 0, tessaro::DownloadInstaller, task.get(), 0, nullptr);
  if (thread) {
    task.release();
    CloseHandle(thread);
  }
  MSG message;
  while (thread && watch.end == InstallWatch::End::kNone && GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  DestroyWindow(window);

  char text[32] = {};
  FILE* file = _wfopen(started.c_str(), L"rb");
  const bool read = file && fread(text, 1, sizeof text - 1, file) > 0;
  if (file) fclose(file);
  if (watch.end != InstallWatch::End::kExited || !read) {
    fprintf(stderr, "download_benchmark: the installer did not run\n");
    return 1;
  }
  const double installer_start_ms = CounterToMs(strtoll(text, nullptr, 10));
  printf("installer started %.1f ms after the click (downloaded and checked after %.1f ms)\n",
         installer_start_ms - click_ms, watch.handed_over_ms - click_ms);
  return 0;
}

// One GET over a bare socket, read with `receive_bytes` receives; the bytes read (headers included),
// or -1 when the connection fails.
long long ReadOverSocket(const std::wstring& host, INTERNET_PORT port, const std::string& path,
                         size_t receive_bytes) {
  const SOCKET connection = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (connection == INVALID_SOCKET) return -1;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(host == L"localhost" ? INADDR_LOOPBACK : INADDR_NONE);
  const std::string request = "GET " + path + " HTTP/1.0\r\nHost: localhost\r\n\r\n";
  long long total = -1;
  if (connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      send(connection, request.data(), static_cast<int>(request.size()), 0) ==
          static_cast<int>(request.size())) {
    std::vector<char> buffer(receive_bytes);
    total = 0;
    for (int got; (got = recv(connection, buffer.data(), static_cast<int>(buffer.size()), 0)) > 0;)
      total += got;
  }
  closesocket(connection);
  return total;
}

int TimeSocketFloor(const wchar_t* url) {
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = 1;
  if (!WinHttpCrackUrl(url, 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTP) {
    fprintf(stderr, "download_benchmark: --socket takes an http://localhost URL\n");
    return 2;
  }
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  const std::wstring wide_path(parts.lpszUrlPath, parts.dwUrlPathLength);
  const std::string path(wide_path.begin(), wide_path.end());  // ASCII: the script's own file name.
  WSADATA winsock = {};
  if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) return 1;
  for (const size_t receive_bytes : {size_t{16} << 10, size_t{256} << 10}) {
    const double start = NowMs();
    const long long bytes = ReadOverSocket(host, parts.nPort, path, receive_bytes);
    const double ms = NowMs() - start;
    if (bytes < 0) {
      fprintf(stderr, "download_benchmark: cannot read %ls over a socket\n", url);
      return 1;
    }
    printf("socket, %zu-byte receives: %lld bytes in %.0f ms\n", receive_bytes, bytes, ms);
  }
  WSACleanup();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--install") return TimeClickToInstallerStart(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"--socket") return TimeSocketFloor(argv[2]);
  if (argc == 4 && argv[1][0] != L'-') return TimeDownload(argv[1], argv[2], argv[3]);
  fprintf(stderr,
          "usage: download_benchmark URL FILE WARM_UP_URL | --install URL | --socket "
          "http://localhost:PORT/PATH\n");
  return 2;
}
