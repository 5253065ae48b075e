#ifndef TESTS_APP_SERVER_LOG_H_
#define TESTS_APP_SERVER_LOG_H_

#include <string>
#include <vector>

namespace tessaro::test {

// The local configuration server's request log (one request line per line), read from the file that
// TESSARO_CONFIG_SERVER_LOG names. Remembers the log's length when created, so a test sees only the
// requests made after that. Read-only: the server appends, nobody else writes.
class ServerLog {
 public:
  ServerLog();

  // Request lines appended since this object was created, in the order the server logged them.
  std::vector<std::string> NewLines() const;

  // Windows path of the log file ("" when the variable is not set).
  static std::wstring Path();

 private:
  std::string ReadAll() const;

  size_t start_;
};

}  // namespace tessaro::test

#endif  // TESTS_APP_SERVER_LOG_H_
