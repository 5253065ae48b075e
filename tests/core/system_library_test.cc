#include "ui/core/system_library.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace veneer {
namespace {

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

// The test program's folder holds veneer_planted.dll, which the system folder does not have.
TEST(LoadSystemLibraryTest, LoadsTheSystemFoldersDllAndNeverAPlantedOne) {
  wchar_t system_folder[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system_folder, MAX_PATH), 0u);
  HMODULE msimg32 = LoadSystemLibrary(L"msimg32.dll");
  ASSERT_NE(nullptr, msimg32);
  EXPECT_EQ(0, _wcsnicmp(system_folder, ModulePath(msimg32).c_str(), wcslen(system_folder)));
  FreeLibrary(msimg32);

  // By bare name the planted DLL loads; through the helper it does not, not even named by a path that
  // leads from the system folder to a copy of it.
  HMODULE planted = LoadLibraryW(L"veneer_planted.dll");
  ASSERT_NE(nullptr, planted);
  const std::wstring planted_path = ModulePath(planted);
  FreeLibrary(planted);
  wchar_t temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 2u);
  const std::wstring copy = std::wstring(temp) + L"veneer_planted.dll";
  ASSERT_TRUE(CopyFileW(planted_path.c_str(), copy.c_str(), FALSE));
  const std::wstring escape = L"..\\..\\" + copy.substr(3);  // From C:\windows\system32 to C:\.
  for (const std::wstring& name : {std::wstring(L"veneer_planted.dll"), escape, copy, std::wstring()}) {
    EXPECT_EQ(nullptr, LoadSystemLibrary(name.c_str())) << name;
  }
  EXPECT_EQ(nullptr, LoadSystemLibrary(nullptr));
  DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace veneer
