#ifndef TESTS_SUPPORT_ACCESS_VIOLATION_WATCH_H_
#define TESTS_SUPPORT_ACCESS_VIOLATION_WATCH_H_

#include <windows.h>

namespace veneer::test {

// Counts the access violations raised on any thread while it exists, including those that a handler
// further down swallows: the platform's window procedure dispatch catches faults in window procedures,
// so a use of freed memory there would otherwise pass unseen. It only counts; the faults go on to
// their handlers as before. One at a time.
class AccessViolationWatch {
 public:
  AccessViolationWatch();
  AccessViolationWatch(const AccessViolationWatch&) = delete;
  AccessViolationWatch& operator=(const AccessViolationWatch&) = delete;
  ~AccessViolationWatch();

  int count() const;

 private:
  static LONG CALLBACK Count(EXCEPTION_POINTERS* exception);
  void* handler_;  // The vectored handler's registration.
};

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_ACCESS_VIOLATION_WATCH_H_
