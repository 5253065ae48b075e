#include "app/config_identity.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(GoodsNameTest, CutsAfterLastBackslashAndBeforeLastDot) {
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\Program Files\\Store\\a.b.exe"), L"a.b");
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\tessaro.exe"), L"tessaro");
  // A dot in a folder name is not the file's.
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\v1.2\\setup"), L"setup");
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\My App.exe"), L"My App");
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\a&b.exe"), L"a&b");
}

TEST(GoodsNameTest, FileNameWithoutDotIsUsedWhole) {
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\installer"), L"installer");
}

TEST(GoodsNameTest, PathWithoutBackslashGivesEmptyName) {
  EXPECT_EQ(GoodsNameFromModulePath(L"tessaro.exe"), L"");
  EXPECT_EQ(GoodsNameFromModulePath(L"C:/dl/tessaro.exe"), L"");
  EXPECT_EQ(GoodsNameFromModulePath(L""), L"");
}

TEST(GoodsNameTest, EdgesOfTheFileName) {
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\"), L"");
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\.exe"), L"");
  EXPECT_EQ(GoodsNameFromModulePath(L"C:\\dl\\name."), L"name");
}

TEST(GoodsNameTest, ThisProgramIsNamedAfterItsFile) { EXPECT_EQ(ModuleGoodsName(), L"app_tests"); }

}  // namespace
}  // namespace tessaro
