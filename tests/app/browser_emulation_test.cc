#include "app/browser_emulation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/core/win_handles.h"

namespace tessaro::test {
namespace {

constexpr wchar_t kTestKey[] = L"Software\\TessaroTests\\BrowserEmulation";

using ScopedKey = veneer::ScopedHandle<HKEY, &RegCloseKey>;

class BrowserEmulationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key_.receive(), nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
  }

  struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    LONG status = ERROR_FILE_NOT_FOUND;
  };
  Value Read(const wchar_t* name) {
    Value value;
    DWORD size = 0;
    value.status = RegQueryValueExW(key_.get(), name, nullptr, &value.type, nullptr, &size);
    value.data.resize(size);
    if (size) RegQueryValueExW(key_.get(), name, nullptr, nullptr, value.data.data(), &size);
    return value;
  }

  ScopedKey key_;
};

TEST_F(BrowserEmulationTest, AnAbsentValueBecomesDword9999UnderTheFileName) {
  EXPECT_TRUE(RegisterBrowserEmulation(HKEY_CURRENT_USER, kTestKey, L"a.b.exe"));
  const Value value = Read(L"a.b.exe");
  ASSERT_EQ(value.status, ERROR_SUCCESS);
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
  ASSERT_EQ(value.data.size(), sizeof(DWORD));
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(value.data.data()), 9999u);
}

TEST_F(BrowserEmulationTest, APresentValueIsLeftAsItIsWhateverItsTypeAndSize) {
  const DWORD eleven = 11000;
  const wchar_t text[] = L"not a number";
  const std::vector<BYTE> large(4096, 0x5A);  // Larger than any small query buffer.
  const struct {
    const wchar_t* name;
    DWORD type;
    const void* data;
    DWORD size;
  } cases[] = {
      {L"dword.exe", REG_DWORD, &eleven, sizeof(eleven)},
      {L"text.exe", REG_SZ, text, sizeof(text)},
      {L"large.exe", REG_BINARY, large.data(), static_cast<DWORD>(large.size())},
      {L"empty.exe", REG_BINARY, nullptr, 0},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(RegSetValueExW(key_.get(), c.name, 0, c.type, static_cast<const BYTE*>(c.data), c.size),
              ERROR_SUCCESS);
    EXPECT_FALSE(RegisterBrowserEmulation(HKEY_CURRENT_USER, kTestKey, c.name)) << c.name;
    const Value value = Read(c.name);
    EXPECT_EQ(value.type, c.type) << c.name;
    ASSERT_EQ(value.data.size(), c.size) << c.name;
    if (c.size) {
      EXPECT_EQ(memcmp(value.data.data(), c.data, c.size), 0) << c.name;
    }
  }
}

TEST_F(BrowserEmulationTest, AMissingKeyIsNotCreated) {
  EXPECT_FALSE(RegisterBrowserEmulation(HKEY_CURRENT_USER, L"Software\\TessaroTests\\Missing", L"a.exe"));
  ScopedKey missing;
  EXPECT_NE(
      RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TessaroTests\\Missing", 0, KEY_READ, missing.receive()),
      ERROR_SUCCESS);
}

TEST(FileNameOfPathTest, TakesTheTextAfterTheLastBackslash) {
  EXPECT_EQ(FileNameOfPath(L"C:\\dir.x\\a.b.exe"), L"a.b.exe");
  EXPECT_EQ(FileNameOfPath(L"setup.exe"), L"setup.exe");
  EXPECT_EQ(FileNameOfPath(L"C:\\dir\\"), L"");
}

}  // namespace
}  // namespace tessaro::test
