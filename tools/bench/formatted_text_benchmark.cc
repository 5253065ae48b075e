// Prints the cost of the formatted-text renderer: a short tagged label, the same label centred (which
// measures the whole text first), a long paragraph wrapped over many lines, a hostile text of
// thousands of nested tags, the same font tag repainted again and again (with a short face and with a
// face longer than the platform keeps), and a window-sized label full of brackets that never close
// next to a plain text of the same length. Figures only; nothing is asserted.
#include <windows.h>

#include <string>

#include "tests/support/benchmark_timer.h"
#include "tests/support/dib_surface.h"
#include "ui/render/formatted_text.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

void DrawOnce(HDC dc, CPaintManagerUI* manager, const std::wstring& text, RECT rect, UINT format) {
  RECT rects[8];
  CUIString texts[8];
  int count = 8;
  DrawFormattedText(dc, manager, &rect, text.c_str(), 0xFF000000, rects, texts, &count, 1, format);
}

// One label with a font tag naming `face`, repainted by one manager call after call: the first calls,
// then the calls after 1600 repaints. The figures stay level when each repaint finds the font that
// the first one registered.
void ReportRepaints(const std::string& what, const wchar_t* face) {
  CPaintManagerUI manager;
  manager.RegisterFont(1, L"Tahoma", 14, FontStyle::kRegular, false);
  DibSurface surface(200, 40);
  const std::wstring text = L"{f " + std::wstring(face) + L" 12}x{/f}";
  const auto repaint = [&] { DrawOnce(surface.dc(), &manager, text, {0, 0, 200, 40}, 0); };
  const double first = MicrosecondsPerCall(100, repaint);
  for (int i = 0; i < 1500; ++i) repaint();
  const double later = MicrosecondsPerCall(100, repaint);
  PrintMicrosecondsPerCall((what + ", repaints 2-101").c_str(), first);
  PrintMicrosecondsPerCall((what + ", repaints 1603-1702").c_str(), later);
}

// 200 bold tags with one font in the window's table, then with 4,033: every tag looks its variant up by
// face and then by handle, so the figure grows with the table only as far as those look-ups walk it.
void ReportLookupsInALargeFontTable() {
  CPaintManagerUI manager;
  manager.RegisterFont(1, L"Tahoma", 14, FontStyle::kRegular, false);
  DibSurface surface(400, 40);
  std::wstring text;
  for (int i = 0; i < 200; ++i) text += L"{b}x{/b}";
  const auto paint = [&] { DrawOnce(surface.dc(), &manager, text, {0, 0, 400, 40}, 0); };
  ReportMicrosecondsPerCall("200 {b}x{/b}, 1 font in the table", 20, paint);
  for (int id = 2; id <= 4032; ++id)
    manager.RegisterFont(id, L"Arial", 8 + id % 32, FontStyle::kRegular, false);
  ReportMicrosecondsPerCall("200 {b}x{/b}, 4,033 fonts in the table", 1, paint);
}

// A 960 x 720 label of 100,000 brackets that never close ("{/" and "{x "), each laid out as text,
// next to plain texts of the same lengths.
void ReportUnclosedBrackets() {
  CPaintManagerUI manager;
  manager.RegisterFont(1, L"Tahoma", 14, FontStyle::kRegular, false);
  DibSurface surface(960, 720);
  const struct {
    const char* what;
    const wchar_t* unit;
  } units[] = {{"100,000 unclosed {/ in a 960x720 label", L"{/"},
               {"100,000 unclosed {x in a 960x720 label", L"{x "}};
  for (const auto& unit : units) {
    std::wstring unclosed;
    for (int i = 0; i < 100000; ++i) unclosed += unit.unit;
    const std::wstring plain(unclosed.size(), L'w');
    const std::string plain_what =
        "plain text of " + std::to_string(plain.size()) + " characters, same label";
    ReportMicrosecondsPerCall(unit.what, 3, [&] {
      DrawOnce(surface.dc(), &manager, unclosed, {0, 0, 960, 720}, DT_WORDBREAK);
    });
    ReportMicrosecondsPerCall(plain_what.c_str(), 3, [&] {
      DrawOnce(surface.dc(), &manager, plain, {0, 0, 960, 720}, DT_WORDBREAK);
    });
  }
}

void Run() {
  CPaintManagerUI manager;
  manager.RegisterFont(1, L"Tahoma", 14, FontStyle::kRegular, false);
  DibSurface surface(800, 600);
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
    ReportMicrosecondsPerCall(c.what, c.iterations,
                              [&] { DrawOnce(surface.dc(), &manager, c.text, c.rect, c.format); });
  }
  ReportRepaints("{f Tahoma 12}x{/f}", L"Tahoma");
  ReportRepaints("{f <36-character face> 12}x{/f}", L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij");
  ReportLookupsInALargeFontTable();
  ReportUnclosedBrackets();
}

}  // namespace
}  // namespace veneer::test

int main() {
  veneer::test::Run();
  return 0;
}
