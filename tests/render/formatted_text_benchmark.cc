// Prints the cost of the formatted-text renderer: a short tagged label, the same label centred (which
// measures the whole text first), a long paragraph wrapped over many lines, and a hostile text of
// thousands of nested tags. Figures only; nothing is asserted.
#include <windows.h>

#include <string>

#include "tests/support/benchmark_timer.h"
#include "tests/support/dib_surface.h"
#include "ui/render/formatted_text.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

void Run() {
  CPaintManagerUI manager;
  manager.RegisterFont(1, L"Tahoma", 14, FontStyle::kRegular, false);
  DibSurface surface(800, 600);
  const auto draw = [&](const std::wstring& text, RECT rect, UINT format) {
    RECT rects[8];
    CUIString texts[8];
    int count = 8;
    DrawFormattedText(surface.dc(), &manager, &rect, text.c_str(), 0xFF000000, rects, texts, &count, 1,
                      format);
  };
  const std::wstring label =
      L"{b}Tessaro{/b} setup: {c #FF0000}2{/c} files, {a https://example.test}details{/a}";
  std::wstring paragraph;
  for (int i = 0; i < 60; ++i) paragraph += L"Some {b}words{/b} and a {a link}link{/a} that wrap. ";
  std::wstring nested;
  for (int i = 0; i < 3000; ++i) nested += L"{b}{c #00FF00}";
  nested += L"deep";

  const struct {
    const char* what;
    const std::wstring& text;
    RECT rect;
    UINT format;
    int iterations;
  } cases[] = {
      {"label, one line, left", label, {0, 0, 400, 30}, DT_SINGLELINE, 2000},
      {"label, one line, centred (measured first)",
       label,
       {0, 0, 400, 30},
       DT_SINGLELINE | DT_CENTER | DT_VCENTER,
       2000},
      {"paragraph of 3600 characters wrapped in 300 pixels", paragraph, {0, 0, 300, 600}, DT_WORDBREAK, 100},
      {"3000 nested bold and colour tags", nested, {0, 0, 400, 30}, 0, 50},
  };
  for (const auto& c : cases) {
    ReportMicrosecondsPerCall(c.what, c.iterations, [&] { draw(c.text, c.rect, c.format); });
  }
}

}  // namespace
}  // namespace veneer::test

int main() {
  veneer::test::Run();
  return 0;
}
