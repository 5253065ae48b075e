// The window capture tool's command line, read by plain functions.
#include "tools/window_capture/capture_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro::capture {
namespace {

TEST(CaptureOptionsTest, ValidCommandLines) {
  const struct {
    std::vector<std::wstring> arguments;
    const wchar_t* window_class;
    const wchar_t* launch;
    WaitTarget until;
    unsigned timeout_ms;
    unsigned settle_ms;
    bool print_times;
  } cases[] = {
      {{L"--out", L"a.png"}, L"MainWnd", L"", WaitTarget::kSettled, 60000, 1000, false},
      {{L"--times", L"--launch", L"C:\\x y\\b.exe", L"--class", L"TessaroBareWindow", L"--until", L"paint"},
       L"TessaroBareWindow",
       L"C:\\x y\\b.exe",
       WaitTarget::kFirstPaint,
       60000,
       1000,
       true},
      {{L"--until", L"page", L"--timeout", L"3600", L"--settle-ms", L"1", L"--times"},
       L"MainWnd",
       L"",
       WaitTarget::kPage,
       3600000,
       1,
       true},
      // The last of a repeated option counts.
      {{L"--timeout", L"5", L"--timeout", L"7", L"--out", L"a.png"},
       L"MainWnd",
       L"",
       WaitTarget::kSettled,
       7000,
       1000,
       false},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.arguments));
    CaptureOptions options;
    std::wstring error;
    ASSERT_EQ(ParseOutcome::kCapture, ParseCaptureArguments(row.arguments, &options, &error))
        << error.c_str();
    EXPECT_EQ(row.window_class, options.window_class);
    EXPECT_EQ(row.launch, options.launch);
    EXPECT_EQ(row.until, options.until);
    EXPECT_EQ(row.timeout_ms, options.timeout_ms);
    EXPECT_EQ(row.settle_ms, options.settle_ms);
    EXPECT_EQ(row.print_times, options.print_times);
  }
}

TEST(CaptureOptionsTest, BadCommandLinesSayWhy) {
  const struct {
    std::vector<std::wstring> arguments;
    const wchar_t* error;
  } cases[] = {
      {{}, L"nothing to do: give --out FILE.png, --times or both"},
      {{L"--class", L"X"}, L"nothing to do: give --out FILE.png, --times or both"},
      {{L"--times", L"shot.png"}, L"unknown argument 'shot.png' (--help lists the options)"},
      {{L"--times", L"--out"}, L"--out needs a value"},
      {{L"--times", L"--class", L""}, L"--class needs a non-empty value"},
      {{L"--times", L"--until", L"ready"}, L"--until takes paint, page or settled, not 'ready'"},
      {{L"--times", L"--timeout", L"0"}, L"--timeout takes whole seconds from 1 to 3600, not '0'"},
      {{L"--times", L"--timeout", L"3601"}, L"--timeout takes whole seconds from 1 to 3600, not '3601'"},
      {{L"--times", L"--timeout", L"-5"}, L"--timeout takes whole seconds from 1 to 3600, not '-5'"},
      {{L"--times", L"--timeout", L"99999999999"},
       L"--timeout takes whole seconds from 1 to 3600, not '99999999999'"},
      {{L"--times", L"--settle-ms", L"1.5"}, L"--settle-ms takes milliseconds from 1 to 60000, not '1.5'"},
      {{L"--times", L"--settle-ms"}, L"--settle-ms needs a value"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.arguments));
    CaptureOptions options;
    std::wstring error;
    EXPECT_EQ(ParseOutcome::kBadArguments, ParseCaptureArguments(row.arguments, &options, &error));
    EXPECT_EQ(row.error, error);
  }
}

TEST(CaptureOptionsTest, HelpAnywhereWinsOverEverythingElse) {
  CaptureOptions options;
  std::wstring error;
  EXPECT_EQ(ParseOutcome::kHelp, ParseCaptureArguments({L"--bogus", L"/?"}, &options, &error));
  EXPECT_EQ(ParseOutcome::kHelp, ParseCaptureArguments({L"--out", L"-h"}, &options, &error));
}

}  // namespace
}  // namespace tessaro::capture
