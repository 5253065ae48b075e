#ifndef TESTS_APP_STDOUT_CAPTURE_H_
#define TESTS_APP_STDOUT_CAPTURE_H_

#include <string>

namespace tessaro::test {

// Sends this process's standard output into a temporary file from construction to Finish(), so a
// test can read what the code under test printed. Only for code that prints on the test's own
// thread (or whose threads have ended before Finish). Not nestable.
class StdoutCapture {
 public:
  StdoutCapture();
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;
  ~StdoutCapture();

  // Restores standard output and returns what was printed meanwhile ("" when capturing failed).
  std::string Finish();

 private:
  std::wstring path_;
  int saved_stdout_;  // Owned duplicate of descriptor 1 while capturing, else -1.
};

}  // namespace tessaro::test

#endif  // TESTS_APP_STDOUT_CAPTURE_H_
