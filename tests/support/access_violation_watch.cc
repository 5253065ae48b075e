#include "tests/support/access_violation_watch.h"

namespace veneer::test {
namespace {

volatile LONG violations = 0;

}  // namespace

AccessViolationWatch::AccessViolationWatch() : handler_(AddVectoredExceptionHandler(1, Count)) {
  InterlockedExchange(&violations, 0);
}

AccessViolationWatch::~AccessViolationWatch() { RemoveVectoredExceptionHandler(handler_); }

int AccessViolationWatch::count() const { return static_cast<int>(violations); }

LONG CALLBACK AccessViolationWatch::Count(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
    InterlockedIncrement(&violations);
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace veneer::test
