#include "tests/app/stdout_capture.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tests/support/temp_files.h"

namespace tessaro::test {

StdoutCapture::StdoutCapture() : path_(veneer::test::UniqueTempPath(L"out")), saved_stdout_(-1) {
  if (path_.empty()) return;
  fflush(stdout);
  const int capture = _wopen(path_.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
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
  return veneer::test::ReadFileBytes(path_);
}

}  // namespace tessaro::test
