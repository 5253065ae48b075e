#include "tests/app/test_documents.h"

#include <cstring>

#include "tests/support/environment_path.h"
#include "tests/support/temp_files.h"

namespace tessaro::test {

std::string ReadServedDocument(const char* product, const char* kind) {
  std::wstring path = veneer::test::EnvironmentPath(L"TESSARO_CONFIG_DOCUMENTS");
  if (path.empty()) return std::string();
  path += L"\\";
  path += std::wstring(product, product + strlen(product));
  path += L"\\";
  path += std::wstring(kind, kind + strlen(kind));
  path += L".json";
  return veneer::test::ReadFileBytes(path);
}

}  // namespace tessaro::test
