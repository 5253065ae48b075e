#include "tests/app/server_log.h"

#include <sstream>

#include "tests/support/environment_path.h"
#include "tests/support/temp_files.h"

namespace tessaro::test {

std::wstring ServerLog::Path() { return veneer::test::EnvironmentPath(L"TESSARO_CONFIG_SERVER_LOG"); }

ServerLog::ServerLog() : start_(ReadAll().size()) {}

std::string ServerLog::ReadAll() const { return veneer::test::ReadFileBytes(Path()); }

std::vector<std::string> ServerLog::NewLines() const {
  const std::string all = ReadAll();
  std::vector<std::string> lines;
  std::istringstream added(all.size() > start_ ? all.substr(start_) : std::string());
  std::string line;
  while (std::getline(added, line)) lines.push_back(line);
  return lines;
}

}  // namespace tessaro::test
