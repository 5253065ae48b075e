#include "tests/app/stdout_capture.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tessaro::test {

StdoutCapture::StdoutCapture() : saved_stdout_(-1) {
  wchar_t folder[MAX_PATH];
  wchar_t file[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"out", 0, file)) return;
  path_ = file;
  fflush(stdout);
  const int capture = _wopen(file, _O_WRONLY | _O_TRUNC | _O_BINARY);
  if (capture < 0) return;
  saved_stdout_ = _dup(1);
  _dup2(capture, 1);
  _close(capture);
}

StdoutCapture::~StdoutCapture() {
  Finish();
  if (!path_.empty()) DeleteFileW(path_.c_str());
}

std::string StdoutCapture::Finish() {
  if (saved_stdout_ < 0) return std::string();
  fflush(stdout);
  _dup2(saved_stdout_, 1);
  _close(saved_stdout_);
  saved_stdout_ = -1;
  std::ifstream file(path_.c_str(), std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

}  // namespace tessaro::test
