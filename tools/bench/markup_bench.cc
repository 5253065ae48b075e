// markup_bench: how fast the skin markup parser reads UTF-8 skins, next to pugixml built with the
// same toolchain. Prints throughput (MB/s of UTF-8 input, 1 MB = 10^6 bytes; our figure includes the
// conversion to UTF-16) and time per document, best and median of several samples, then the ratio.
// Usage: markup_bench [controls]   (controls in the generated skin, 10000 when not given)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench_skins.h"
#include "pugixml_parse.h"
#include "ui/markup/markup_document.h"

namespace {

// Parses the UTF-8 bytes once; with `count`, returns the number of elements (-1 on failure).
using ParseFunction = std::function<int(const std::string& bytes, bool count)>;

struct Parser {
  const char* name;
  ParseFunction parse;
};

struct Timing {
  double best_seconds;    // Per document.
  double median_seconds;  // Per document.
};

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int ParseWithVeneer(const std::string& bytes, bool count) {
  veneer::CMarkupDocument document;
  if (!document.LoadFromBytes(bytes.data(), bytes.size(), veneer::MarkupEncoding::Utf8)) return -1;
  return count ? static_cast<int>(document.ElementCount()) - 1 : 0;
}

// The platform's UTF-8 to UTF-16 conversion alone, into a block of the same size as the parser's:
// the part of the parser's time that is not parsing.
int ConvertOnly(const std::string& bytes, bool) {
  wchar_t* text = static_cast<wchar_t*>(malloc((bytes.size() + 1) * sizeof(wchar_t)));
  int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text,
                                   static_cast<int>(bytes.size()));
  free(text);
  return length > 0 ? 0 : -1;
}

// Samples of at least `sample_seconds` each; the repeat count per sample comes from a first run.
Timing Measure(const Parser& parser, const std::string& bytes, int samples, double sample_seconds) {
  double start = Now();
  parser.parse(bytes, false);
  double once = std::max(Now() - start, 1e-7);
  int repeats = std::max(1, static_cast<int>(sample_seconds / once));
  std::vector<double> per_document;
  for (int s = 0; s < samples; ++s) {
    start = Now();
    for (int r = 0; r < repeats; ++r) parser.parse(bytes, false);
    per_document.push_back((Now() - start) / repeats);
  }
  std::sort(per_document.begin(), per_document.end());
  return {per_document.front(), per_document[per_document.size() / 2]};
}

// Times every parser on the document; returns the best times, in the parsers' order.
std::vector<double> Run(const char* title, const std::string& bytes, const std::vector<Parser>& parsers) {
  std::printf("\n%s: %zu bytes of UTF-8\n", title, bytes.size());
  std::printf("  %-28s %9s %10s %14s %16s\n", "parser", "elements", "MB/s", "us/doc (best)",
              "us/doc (median)");
  std::vector<double> best;
  for (const Parser& parser : parsers) {
    int elements = parser.parse(bytes, true);
    Timing timing = Measure(parser, bytes, 7, 0.15);
    double megabytes = static_cast<double>(bytes.size()) / 1e6;
    std::printf("  %-28s %9d %10.1f %14.1f %16.1f\n", parser.name, elements, megabytes / timing.best_seconds,
                timing.best_seconds * 1e6, timing.median_seconds * 1e6);
    best.push_back(timing.best_seconds);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  int controls = argc > 1 ? std::atoi(argv[1]) : 10000;
  if (controls < 1) controls = 10000;
  const std::vector<Parser> parsers = {
      {"veneer CMarkupDocument", ParseWithVeneer},
      {"pugixml (UTF-8 char)",
       [](const std::string& b, bool count) {
         return pugi::ParseAndCountElements(b.data(), b.size(), count);
       }},
      {"pugixml (wchar_t, UTF-16)",
       [](const std::string& b, bool count) {
         return pugi_wide::ParseAndCountElements(b.data(), b.size(), count);
       }},
      {"(platform UTF-8 conversion)", ConvertOnly},
  };

  std::printf("markup_bench: best and median of 7 samples; ratio = veneer throughput / pugixml throughput\n");
  std::string large_title = "generated skin, " + std::to_string(controls) + " controls";
  std::vector<double> large = Run(large_title.c_str(), MakeLargeSkin(controls), parsers);
  std::vector<double> window = Run("realistic window skin", RealisticWindowSkin(), parsers);

  std::printf("\nratio vs pugixml (UTF-8 char):    generated %.2f, window %.2f\n", large[1] / large[0],
              window[1] / window[0]);
  std::printf("ratio vs pugixml (wchar_t, UTF-16): generated %.2f, window %.2f\n", large[2] / large[0],
              window[2] / window[0]);
  return 0;
}
