// window_capture: waits for a program's top-level window, follows its first paints from outside (by
// reading the pixels the display shows), then writes the window's client area to a PNG file and/or
// prints when each stage was reached. The demo's screenshot and the start-up figures use it; it never
// changes the watched program. CaptureUsage describes the command line; a failure is one line on
// standard error and exit status 1 (2 for a bad command line).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/common/client_picture.h"
#include "tools/common/console_line.h"
#include "tools/window_capture/capture_options.h"
#include "tools/window_capture/page_watch.h"
#include "tools/window_capture/window_pixels.h"
#include "ui/core/win_handles.h"

namespace tessaro::capture {
namespace {

using tools::WriteLine;

enum ExitStatus { kSuccess = 0, kCaptureFailed = 1, kBadCommandLine = 2 };

// Looks are taken often until the page is shown, so that the times are precise, and less often while
// waiting for the window to settle.
constexpr DWORD kFastPollMs = 5;
constexpr DWORD kSettlePollMs = 50;

int Fail(const std::wstring& reason) {
  WriteLine(STD_ERROR_HANDLE, L"window_capture: " + reason);
  return kCaptureFailed;
}

// Milliseconds since construction, from the performance counter.
class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_ = {};
  LARGE_INTEGER start_ = {};
};

// A file whose growth is watched (a server's request log); no file is a file of size 0.
class GrowingFile {
 public:
  explicit GrowingFile(std::wstring path) : path_(std::move(path)) { Grew(); }
  // True when the file is larger than at the last call.
  bool Grew() {
    if (path_.empty()) return false;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    unsigned long long size = 0;
    if (GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data)) {
      size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    const bool grew = size > size_;
    size_ = size;
    return grew;
  }

 private:
  std::wstring path_;
  unsigned long long size_ = 0;
};

bool Reached(WatchStage stage, WaitTarget target) {
  switch (target) {
    case WaitTarget::kFirstPaint:
      return stage == WatchStage::kStartLook || stage == WatchStage::kSettling ||
             stage == WatchStage::kSettled;
    case WaitTarget::kPage:
      return stage == WatchStage::kSettling || stage == WatchStage::kSettled;
    case WaitTarget::kSettled:
      return stage == WatchStage::kSettled;
  }
  return false;
}

// Why the watch stopped short, for the stage it was in.
std::wstring DescribeShortfall(WatchStage stage, const CaptureOptions& options) {
  const std::wstring window = L"the window of class '" + options.window_class + L"'";
  switch (stage) {
    case WatchStage::kNoWindow:
      return L"no visible window of class '" + options.window_class + L"' appeared";
    case WatchStage::kUnpainted:
      return window + L" appeared but was never painted";
    case WatchStage::kStartLook:
      return window +
             L" still looks as it does before its page is shown (no page: is the configuration "
             L"server reachable?)";
    case WatchStage::kSettling:
      return window + L" showed its page but kept changing (or the activity file kept growing)";
    case WatchStage::kSettled:
      return L"";
    case WatchStage::kGone:
      return window + L" went away";
  }
  return L"";
}

// The launched program, ended (if still running) when this goes.
class LaunchedProgram {
 public:
  LaunchedProgram() = default;
  LaunchedProgram(const LaunchedProgram&) = delete;
  LaunchedProgram& operator=(const LaunchedProgram&) = delete;
  ~LaunchedProgram() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.get(), 0);
      WaitForSingleObject(process_.get(), 5000);
    }
  }

  bool Start(const std::wstring& program) {
    std::wstring command_line = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created = {};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &created)) {
      return false;
    }
    CloseHandle(created.hThread);
    process_.reset(created.hProcess);
    id_ = created.dwProcessId;
    return true;
  }
  DWORD id() const { return id_; }
  // True, with its exit code, when the program has ended.
  bool Ended(DWORD* exit_code) const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.get(), exit_code);
  }

 private:
  veneer::ScopedKernelHandle process_;
  DWORD id_ = 0;
};

// Whole milliseconds; -1 stays -1 (a stage not reached).
std::wstring Milliseconds(double value) {
  return value < 0 ? L"-1" : std::to_wstring(static_cast<long long>(value + 0.5));
}

int Capture(const CaptureOptions& options) {
  ClientPicture start_look;
  if (!options.start_look.empty() && !tools::ReadPictureFile(options.start_look, &start_look)) {
    return Fail(L"cannot read the start look '" + options.start_look + L"'");
  }
  WatchSettings settings;
  settings.settle_ms = options.settle_ms;
  PageWatch watch(settings, std::move(start_look));
  GrowingFile activity(options.activity_file);
  LaunchedProgram program;
  const Stopwatch clock;
  if (!options.launch.empty() && !program.Start(options.launch)) {
    return Fail(L"cannot start '" + options.launch + L"' (error " + std::to_wstring(GetLastError()) + L")");
  }
  std::wstring shortfall;
  for (;;) {
    const HWND window = FindVisibleWindow(options.window_class, program.id());
    ClientPicture frame;
    const double now = clock.ElapsedMs();
    if (!window) {
      watch.Observe(nullptr, false, now);
    } else if (ReadClientPixels(window, &frame)) {
      watch.Observe(&frame, activity.Grew(), now);
    }
    if (Reached(watch.stage(), options.until)) break;
    DWORD exit_code = 0;
    const bool ended = program.Ended(&exit_code);
    const bool timed_out = now >= options.timeout_ms;
    if (ended || timed_out || watch.stage() == WatchStage::kGone) {
      shortfall = DescribeShortfall(watch.stage(), options);
      if (ended) {
        shortfall += L"; '" + options.launch + L"' ended with exit code " + std::to_wstring(exit_code);
      } else if (timed_out) {
        shortfall += L" within " + std::to_wstring(options.timeout_ms / 1000) + L" s";
      }
      break;
    }
    Sleep(watch.stage() == WatchStage::kSettling ? kSettlePollMs : kFastPollMs);
  }
  if (!shortfall.empty()) return Fail(shortfall);
  if (!options.output.empty() && !tools::WritePngFile(options.output, watch.last_frame())) {
    return Fail(L"cannot write the picture to '" + options.output + L"'");
  }
  if (options.print_times) {
    WriteLine(STD_OUTPUT_HANDLE, L"first_paint_ms=" + Milliseconds(watch.first_paint_ms()) + L" page_ms=" +
                                     Milliseconds(watch.page_ms()) + L" settled_ms=" +
                                     Milliseconds(watch.settled_ms()));
  }
  if (!options.output.empty()) {
    WriteLine(STD_OUTPUT_HANDLE, L"wrote " + options.output + L" (" +
                                     std::to_wstring(watch.last_frame().width) + L" x " +
                                     std::to_wstring(watch.last_frame().height) + L")");
  }
  return kSuccess;
}

int Run(const std::vector<std::wstring>& arguments) {
  // Failures must end the process with a status, never wait for someone to close a system dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  CaptureOptions options;
  std::wstring error;
  switch (ParseCaptureArguments(arguments, &options, &error)) {
    case ParseOutcome::kHelp:
      WriteLine(STD_OUTPUT_HANDLE, CaptureUsage());
      return kSuccess;
    case ParseOutcome::kBadArguments:
      WriteLine(STD_ERROR_HANDLE, L"window_capture: " + error);
      return kBadCommandLine;
    case ParseOutcome::kCapture:
      break;
  }
  return Capture(options);
}

}  // namespace
}  // namespace tessaro::capture

// The entry point of a -municode program; the C runtime calls it with the UTF-16 command line.
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  return tessaro::capture::Run(std::vector<std::wstring>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
