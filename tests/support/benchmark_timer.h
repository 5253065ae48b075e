#ifndef TESTS_SUPPORT_BENCHMARK_TIMER_H_
#define TESTS_SUPPORT_BENCHMARK_TIMER_H_

#include <functional>

namespace veneer::test {

// Timing for the drawing benchmark programs (figures printed, nothing asserted).

// Mean microseconds per call over `iterations` calls, after one untimed warm-up call (first-use
// look-ups, caches, font variants). Pending GDI batches are flushed before and after the timed
// calls, so the drawing they queue is counted.
double MicrosecondsPerCall(int iterations, const std::function<void()>& call);

// Prints one line: `what` and MicrosecondsPerCall's figure, in the programs' shared column layout.
void ReportMicrosecondsPerCall(const char* what, int iterations, const std::function<void()>& call);
// Prints one line in the same layout for a figure measured otherwise.
void PrintMicrosecondsPerCall(const char* what, double microseconds);

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_BENCHMARK_TIMER_H_
