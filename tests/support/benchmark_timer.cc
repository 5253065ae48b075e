#include "tests/support/benchmark_timer.h"

#include <windows.h>

#include <cstdio>

namespace veneer::test {

double MicrosecondsPerCall(int iterations, const std::function<void()>& call) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  call();
  GdiFlush();
  QueryPerformanceCounter(&start);
  for (int i = 0; i < iterations; ++i) call();
  GdiFlush();
  QueryPerformanceCounter(&end);
  return (end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart / iterations;
}

void ReportMicrosecondsPerCall(const char* what, int iterations, const std::function<void()>& call) {
  PrintMicrosecondsPerCall(what, MicrosecondsPerCall(iterations, call));
}

void PrintMicrosecondsPerCall(const char* what, double microseconds) {
  std::printf("%-58s %10.1f us/call\n", what, microseconds);
}

}  // namespace veneer::test
