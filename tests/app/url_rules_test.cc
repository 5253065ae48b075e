#include <gtest/gtest.h>

#include <string>

#include "app/config_client.h"
#include "app/config_identity.h"
#include "app/image_cache.h"
#include "app/md5_digest.h"
#include "app/shortcut_name.h"
#include "app/web_url.h"

// The pure rules about text from the configuration server: which URLs may be used, how pictures are
// named in the cache, what the desktop shortcut may be called and how the catalogue name is asked for.

namespace tessaro {
namespace {

TEST(Md5Test, Rfc1321TestSuite) {
  const struct {
    const char* input;
    const char* digest;
  } vectors[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& vector : vectors) EXPECT_EQ(Md5Hex(vector.input), vector.digest) << vector.input;
}

TEST(WebUrlTest, OnlyHttpAndHttpsUrlsWithAHostAreWebUrls) {
  const struct {
    const wchar_t* url;
    bool web;
  } cases[] = {
      {L"https://localhost/images/logo.png", true},
      {L"http://example.com", true},
      {L"HTTPS://Example.com:8443/a?b=c#d", true},
      {L"https://user@example.com/", true},
      {L"https://[::1]:443/x", true},
      {L"https://\u4f8b\u5b50.cn/\u56fe.png", true},
      {L"", false},
      {L"file:///C:/Windows/System32/calc.exe", false},
      {L"file://server/share/setup.exe", false},
      {L"\\\\server\\share\\setup.exe", false},
      {L"C:\\Windows\\System32\\cmd.exe", false},
      {L"cmd.exe /c del *", false},
      {L"javascript:alert(1)", false},
      {L"ftp://example.com/a.png", false},
      {L"ms-settings:", false},
      {L"https://", false},
      {L"https:///path", false},
      {L"https://:443/path", false},
      {L"https://user@/path", false},
      {L"https:\\\\example.com\\a", false},
      {L"https://example.com\\..\\a", false},
      {L" https://example.com", false},
      {L"https://example.com/a b", false},
      {L"https://example.com/\" --evil", false},
      {L"https://example.com/\n", false},
      {L"https//example.com", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsWebUrl(c.url), c.web) << c.url;
}

// The old rule (the text from the last '.' to the end) gave the same names for clean URLs; the new one
// differs only where that gave a query, a host name or something that is no extension.
TEST(CacheFileTest, NamesAreTheDigestAndASafeExtension) {
  const struct {
    const wchar_t* url;
    const wchar_t* extension;
  } cases[] = {
      {L"https://localhost/images/logo.png", L".png"},
      {L"https://cdn.example.com/a/b/c.JPEG", L".JPEG"},
      {L"https://cdn.example.com/a.tar.gz", L".gz"},
      {L"https://cdn.example.com/pic.png?v=2.1", L".png"},
      {L"https://cdn.example.com/pic.png#frag.ment", L".png"},
      {L"https://cdn.example.com/pic.png?x=a/b.c", L".png"},
      {L"https://cdn.example.com/picture", L""},
      {L"https://cdn.example.com", L""},
      {L"https://cdn.example.com/", L""},
      {L"https://cdn.example.com/v1.2/picture", L""},
      {L"https://cdn.example.com/pic.", L""},
      {L"https://cdn.example.com/pic.abcdefgh", L".abcdefgh"},
      {L"https://cdn.example.com/pic.abcdefghi", L""},
      {L"https://cdn.example.com/pic.p-g", L""},
      {L"https://cdn.example.com/pic.p%2Fg", L""},
      {L"https://cdn.example.com/pic.\u56fe", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(CacheFileExtension(c.url), c.extension) << c.url;

  // The names earlier versions gave to clean URLs: MD5 of the URL's UTF-8 bytes + extension.
  EXPECT_EQ(CacheFileName(L"https://localhost/images/logo.png"), L"8629e17465d15403b16e2a3ade78b190.png");
  EXPECT_EQ(CacheFileName(L"https://\u4f8b.cn/a.png"), L"90fe8c5e6134ba25d8eb3b5ad51ce6d1.png");
  EXPECT_EQ(CacheFileName(L"https://cdn.example.com/pic.png?v=2.1"), L"c9b7d6565a3f6d09e5593b6c0f859e5f.png");

  wchar_t temp[MAX_PATH + 1];
  const std::wstring folder(temp, GetTempPathW(MAX_PATH + 1, temp));
  EXPECT_EQ(CacheFilePath(L"https://localhost/images/logo.png"),
            folder + CacheFileName(L"https://localhost/images/logo.png"));
}

TEST(ShortcutNameTest, HostileNamesBecomeOneFileNameOnTheDesktop) {
  const std::wstring long_name(150, L'x');
  std::wstring long_with_pair(99, L'y');
  long_with_pair += L"\U0001F600";  // A surrogate pair across the limit is cut whole.
  const struct {
    std::wstring display_name;
    std::wstring file_name;
  } cases[] = {
      {L"Tessaro \u5b89\u88c5\u52a9\u624b", L"Tessaro \u5b89\u88c5\u52a9\u624b"},
      {L"..\\..\\Windows\\System32\\evil", L".._.._Windows_System32_evil"},
      {L"C:\\Users\\Public\\evil", L"C__Users_Public_evil"},
      {L"a/b:c*d?e\"f<g>h|i", L"a_b_c_d_e_f_g_h_i"},
      {L"tab\there\nnew", L"tab_here_new"},
      {L"name. . .", L"name"},
      {L"name   ", L"name"},
      {L"CON", L"_CON"},
      {L"con.txt", L"_con.txt"},
      {L"Nul", L"_Nul"},
      {L"COM1", L"_COM1"},
      {L"lpt9.lnk", L"_lpt9.lnk"},
      {L"AUX .x", L"_AUX .x"},
      {L"COM0", L"COM0"},
      {L"CONSOLE", L"CONSOLE"},
      {L"LPT10", L"LPT10"},
      {L"", L""},
      {L"...", L""},
      {L"   ", L""},
      {long_name, std::wstring(kMaxShortcutNameLength, L'x')},
      {long_with_pair, std::wstring(99, L'y')},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SafeShortcutName(c.display_name), c.file_name) << c.display_name.size();
}

TEST(CatalogueNameTest, NamesAreAskedForPercentEncodedWithoutTheDownloadCopyMark) {
  const struct {
    const wchar_t* module_path;
    const wchar_t* query_name;
  } cases[] = {
      {L"C:\\dl\\tessaro.exe", L"tessaro"},
      {L"C:\\dl\\Tessaro2024.exe", L"Tessaro2024"},
      {L"C:\\dl\\tessaro (1).exe", L"tessaro"},
      {L"C:\\dl\\tessaro (12).exe", L"tessaro"},
      {L"C:\\dl\\tessaro(1).exe", L"tessaro%281%29"},
      {L"C:\\dl\\tessaro (x).exe", L"tessaro%20%28x%29"},
      {L"C:\\dl\\ (1).exe", L"%20%281%29"},
      {L"C:\\dl\\a&b.exe", L"a%26b"},
      {L"C:\\dl\\My App.exe", L"My%20App"},
      {L"C:\\dl\\50%.exe", L"50%25"},
      {L"C:\\dl\\a#b=c.exe", L"a%23b%3Dc"},
      {L"C:\\dl\\a-b_c.d~e.exe", L"a-b_c.d~e"},
      {L"C:\\dl\\\u6d4b\u8bd5.exe", L"%E6%B5%8B%E8%AF%95"},
  };
  for (const auto& c : cases) {
    const std::wstring name = GoodsNameFromModulePath(c.module_path);
    EXPECT_EQ(GlobalConfigPath(name),
              std::wstring(L"/installer/config/global?name=") + c.query_name + L"&os=windows")
        << c.module_path;
    EXPECT_EQ(GoodsConfigPath(name),
              std::wstring(L"/installer/config/goods?name=") + c.query_name + L"&os=windows")
        << c.module_path;
  }
}

}  // namespace
}  // namespace tessaro
