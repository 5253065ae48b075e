#include "tools/window_capture/capture_options.h"

#include <map>

namespace tessaro::capture {
namespace {

constexpr unsigned long kMaxTimeoutSeconds = 3600;
constexpr unsigned long kMaxSettleMs = 60000;

bool IsHelp(const std::wstring& argument) {
  return argument == L"--help" || argument == L"-h" || argument == L"/?";
}

// A whole decimal number from 1 to `max`, or 0 when the text is anything else.
unsigned long ReadCount(const std::wstring& text, unsigned long max) {
  if (text.empty() || text.size() > 7) return 0;
  unsigned long value = 0;
  for (const wchar_t character : text) {
    if (character < L'0' || character > L'9') return 0;
    value = value * 10 + static_cast<unsigned long>(character - L'0');
  }
  return value <= max ? value : 0;
}

bool ReadTarget(const std::wstring& text, WaitTarget* target) {
  static const std::map<std::wstring, WaitTarget> kTargets = {
      {L"paint", WaitTarget::kFirstPaint}, {L"page", WaitTarget::kPage}, {L"settled", WaitTarget::kSettled}};
  const auto found = kTargets.find(text);
  if (found == kTargets.end()) return false;
  *target = found->second;
  return true;
}

enum class OptionResult { kApplied, kUnknown, kBadValue };

// Applies option `name` with `value`; kBadValue leaves the reason in *error.
OptionResult ApplyOption(const std::wstring& name, const std::wstring& value, CaptureOptions* options,
                         std::wstring* error) {
  static const std::map<std::wstring, std::wstring CaptureOptions::*> kTextOptions = {
      {L"--class", &CaptureOptions::window_class},
      {L"--launch", &CaptureOptions::launch},
      {L"--start-look", &CaptureOptions::start_look},
      {L"--activity", &CaptureOptions::activity_file},
      {L"--out", &CaptureOptions::output},
  };
  bool valid = false;
  if (const auto text = kTextOptions.find(name); text != kTextOptions.end()) {
    options->*text->second = value;
    valid = !value.empty();
    *error = name + L" needs a non-empty value";
  } else if (name == L"--until") {
    valid = ReadTarget(value, &options->until);
    *error = L"--until takes paint, page or settled, not '" + value + L"'";
  } else if (name == L"--timeout") {
    const unsigned long seconds = ReadCount(value, kMaxTimeoutSeconds);
    options->timeout_ms = static_cast<unsigned>(seconds * 1000);
    valid = seconds != 0;
    *error = L"--timeout takes whole seconds from 1 to 3600, not '" + value + L"'";
  } else if (name == L"--settle-ms") {
    options->settle_ms = static_cast<unsigned>(ReadCount(value, kMaxSettleMs));
    valid = options->settle_ms != 0;
    *error = L"--settle-ms takes milliseconds from 1 to 60000, not '" + value + L"'";
  } else {
    *error = L"unknown argument '" + name + L"' (--help lists the options)";
    return OptionResult::kUnknown;
  }
  if (valid) error->clear();
  return valid ? OptionResult::kApplied : OptionResult::kBadValue;
}

}  // namespace

ParseOutcome ParseCaptureArguments(const std::vector<std::wstring>& arguments, CaptureOptions* options,
                                   std::wstring* error) {
  for (const std::wstring& argument : arguments) {
    if (IsHelp(argument)) return ParseOutcome::kHelp;
  }
  *options = CaptureOptions();
  for (size_t index = 0; index < arguments.size(); ++index) {
    const std::wstring& name = arguments[index];
    if (name == L"--times") {
      options->print_times = true;
      continue;
    }
    const std::wstring value = index + 1 < arguments.size() ? arguments[index + 1] : std::wstring();
    switch (ApplyOption(name, value, options, error)) {
      case OptionResult::kApplied:
        ++index;
        break;
      case OptionResult::kUnknown:
        return ParseOutcome::kBadArguments;
      case OptionResult::kBadValue:
        if (index + 1 == arguments.size()) *error = name + L" needs a value";
        return ParseOutcome::kBadArguments;
    }
  }
  if (options->output.empty() && !options->print_times) {
    *error = L"nothing to do: give --out FILE.png, --times or both";
    return ParseOutcome::kBadArguments;
  }
  return ParseOutcome::kCapture;
}

const wchar_t* CaptureUsage() {
  return LR"(usage: window_capture [options]
Waits for the visible top-level window of a class, follows how it is painted, and then writes its
client area to a PNG file and/or prints how long each stage took.
  --class NAME         the window's class (default MainWnd)
  --launch PROGRAM     start PROGRAM, take its window only, time from its start; it is ended afterwards
  --until STAGE        paint: first painted pixels; page: the window no longer looks as at its start;
                       settled (default): after the page, nothing changed for the settle time
  --start-look FILE    PNG of the window before its page is shown (default: its first painted look)
  --activity FILE      a file whose growth counts as a change while settling (a server's request log)
  --settle-ms MS       how long nothing may change for "settled" (default 1000)
  --timeout SECONDS    give up after this long (default 60)
  --out FILE.png       write the window's client area as it was last seen
  --times              print "first_paint_ms=N page_ms=N settled_ms=N" (stages not reached: -1)
Exit status: 0 done; 1 timed out or the program ended (the reason on standard error); 2 bad arguments.)";
}

}  // namespace tessaro::capture
