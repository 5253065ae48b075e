#include "tests/app/test_documents.h"

#include <cstring>
#include <vector>

#include "tests/support/environment_path.h"
#include "tests/support/temp_files.h"
#include "ui/markup/skin_source.h"

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

bool UseEmbeddedSkinArchive() {
  // The skin source keeps the block for the rest of the process.
  static std::vector<unsigned char> archive;
  if (archive.empty()) {
    if (!veneer::ReadSkinResource(nullptr, MAKEINTRESOURCEW(102), L"ZIPRES", &archive)) return false;
    veneer::SetSkinArchiveMemory(archive.data(), static_cast<DWORD>(archive.size()), nullptr);
  }
  return veneer::GetCachedSkinArchive() != nullptr;
}

}  // namespace tessaro::test
