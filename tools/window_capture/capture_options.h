#ifndef TOOLS_WINDOW_CAPTURE_CAPTURE_OPTIONS_H_
#define TOOLS_WINDOW_CAPTURE_CAPTURE_OPTIONS_H_

#include <string>
#include <vector>

namespace tessaro::capture {

// The window capture tool's command line as plain values, and the functions that read it. Nothing here
// touches a window, a file or a process: the program acts on what they return.

// How far the watch goes before the tool writes its picture and times and ends.
enum class WaitTarget {
  kFirstPaint,  // The window shows painted pixels (not one uniform colour).
  kPage,        // The window no longer looks as it does at the start: the page has been shown.
  kSettled,     // After the page: nothing changed (pixels, activity file) for the settle time.
};

struct CaptureOptions {
  std::wstring window_class = L"MainWnd";  // The top-level window's class name.
  std::wstring launch;                     // A program to start and time (and end afterwards); empty: none.
  std::wstring start_look;     // PNG of the window before its page; empty: its first painted look.
  std::wstring activity_file;  // A file whose growth counts as a change (a server's request log).
  std::wstring output;         // Where the window's last picture goes as PNG; empty: nowhere.
  WaitTarget until = WaitTarget::kSettled;
  unsigned timeout_ms = 60000;
  unsigned settle_ms = 1000;
  bool print_times = false;  // One line of milliseconds from the start to each stage reached.
};

enum class ParseOutcome { kCapture, kHelp, kBadArguments };

// Reads the arguments that follow the program name. kCapture fills *options; kBadArguments leaves a
// one-line reason in *error; --help (or -h, /?) anywhere gives kHelp.
ParseOutcome ParseCaptureArguments(const std::vector<std::wstring>& arguments, CaptureOptions* options,
                                   std::wstring* error);

// The text --help prints.
const wchar_t* CaptureUsage();

}  // namespace tessaro::capture

#endif  // TOOLS_WINDOW_CAPTURE_CAPTURE_OPTIONS_H_
