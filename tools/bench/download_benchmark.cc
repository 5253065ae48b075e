// download_benchmark URL FILE: downloads URL into FILE the way the install button fetches an installer
// (HttpGetFile through WinHTTP) and prints one line "BYTES bytes in MS ms"; exit status 1 when the
// download fails. tools/bench/download_figures.sh runs it against the local server, next to curl.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/config_client.h"

int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: download_benchmark URL FILE\n");
    return 2;
  }
  constexpr uint64_t kMaxBytes = 4ull << 30;
  LARGE_INTEGER frequency = {};
  LARGE_INTEGER start = {};
  LARGE_INTEGER end = {};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const bool downloaded = tessaro::HttpGetFile(argv[1], argv[2], kMaxBytes, nullptr);
  QueryPerformanceCounter(&end);
  if (!downloaded) {
    fprintf(stderr, "download_benchmark: the download failed\n");
    return 1;
  }
  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  GetFileAttributesExW(argv[2], GetFileExInfoStandard, &attributes);
  const uint64_t bytes = (static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
  const double ms =
      1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  printf("%llu bytes in %.0f ms\n", static_cast<unsigned long long>(bytes), ms);
  return 0;
}
