#include "app/image_fetcher.h"

#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/app_messages.h"
#include "app/desktop_shortcut.h"
#include "app/image_cache.h"
#include "app/image_slots.h"
#include "tests/app/server_log.h"
#include "tests/runtime/managed_window.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_files.h"
#include "ui/core/com_ptr.h"
#include "ui/runtime/message_filter_ui.h"

// Pictures fetched from the local configuration server (tests/app/CMakeLists.txt starts it), which
// serves tools/config_server/demo/static and the faults of tests/app/config_server/faults.json.

namespace tessaro::test {
namespace {

constexpr DWORD kDownloadTimeoutMs = 15000;

// A URL no earlier run has cached: the server ignores the query, the cache name depends on it.
std::wstring FreshUrl(const wchar_t* path) {
  static int serial = 0;
  return std::wstring(L"https://localhost") + path + L"?run=" + std::to_wstring(GetTickCount64()) + L"_" +
         std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial);
}

std::string RequestLine(const std::wstring& url) {
  const std::wstring path = url.substr(wcslen(L"https://localhost"));
  return "GET " + std::string(path.begin(), path.end()) + " HTTP/1.1";
}

// A window with three background slots; UM_IMAGE_READY goes to the fetcher, as the main window's
// message handling does.
class ImageFetcherTest : public ::testing::Test, public veneer::IMessageFilterUI {
 protected:
  void SetUp() override {
    std::vector<veneer::CControlUI*> slots;
    for (const wchar_t* name : {L"con_logo", L"con_card1", L"con_card2"}) {
      slots.push_back(new veneer::CControlUI);
      slots.back()->SetName(name);
    }
    window_.SetStackRoot(slots);
    window_.manager().AddMessageFilter(this);
  }
  void TearDown() override { window_.manager().RemoveMessageFilter(this); }

  LRESULT MessageHandler(UINT message, WPARAM wparam, LPARAM, bool* handled) override {
    if (message != UM_IMAGE_READY) return 0;
    ++ready_messages_;
    fetcher_.OnImageReady(*reinterpret_cast<const TaskInfo*>(wparam));
    *handled = true;
    return 0;
  }

  std::wstring BackImage(const wchar_t* name) {
    return window_.manager().FindControlByName(name)->GetBackImage().GetData();
  }
  bool WaitForBackImage(const wchar_t* name) {
    return veneer::test::PumpMessagesUntil([&] { return !BackImage(name).empty(); }, kDownloadTimeoutMs);
  }

  veneer::test::ManagedWindow window_{300, 100};
  ImageFetcher fetcher_{window_.manager()};
  int ready_messages_ = 0;
};

TEST_F(ImageFetcherTest, DownloadedPictureLandsUnderItsCacheName) {
  const std::wstring url = FreshUrl(L"/images/logo.png");
  fetcher_.Fetch(url, L"logo", L"");
  ASSERT_TRUE(WaitForBackImage(L"con_logo"));
  EXPECT_EQ(BackImage(L"con_logo"), CacheFilePath(url));
  const std::string bytes = veneer::test::ReadFileBytes(CacheFilePath(url));
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
  WIN32_FIND_DATAW found;
  const HANDLE partial = FindFirstFileW((CacheFilePath(url) + L".*.part").c_str(), &found);
  EXPECT_EQ(partial, INVALID_HANDLE_VALUE) << "a partial file was left behind";
  if (partial != INVALID_HANDLE_VALUE) FindClose(partial);
  DeleteFileW(CacheFilePath(url).c_str());
}

TEST_F(ImageFetcherTest, TwoSlotsWithOneUrlFetchItOnce) {
  ServerLog log;
  const std::wstring url = FreshUrl(L"/images/card1.png");
  fetcher_.Fetch(url, L"card1", L"");
  fetcher_.Fetch(url, L"card2", L"");
  ASSERT_TRUE(WaitForBackImage(L"con_card1"));
  EXPECT_EQ(BackImage(L"con_card2"), CacheFilePath(url));
  veneer::test::PumpMessagesFor(300);
  EXPECT_EQ(log.NewLines(), std::vector<std::string>{RequestLine(url)});
  EXPECT_EQ(ready_messages_, 1);
  DeleteFileW(CacheFilePath(url).c_str());
}

TEST_F(ImageFetcherTest, CachedPictureIsAppliedAtOnceWithoutAsking) {
  ServerLog log;
  const std::wstring url = FreshUrl(L"/never/served.png");
  ASSERT_TRUE(veneer::test::WriteFileBytes(CacheFilePath(url), std::string("picture")));
  fetcher_.Fetch(url, L"logo", L"");
  EXPECT_EQ(BackImage(L"con_logo"), CacheFilePath(url));
  veneer::test::PumpMessagesFor(200);
  EXPECT_TRUE(log.NewLines().empty());
  DeleteFileW(CacheFilePath(url).c_str());
}

// Failed downloads leave no file (an empty one counts as missing, and is asked for again) and send
// nothing; URLs that are not web URLs are not even asked for.
TEST_F(ImageFetcherTest, FailuresAndForeignUrlsLeaveTheSlotAlone) {
  const struct {
    std::wstring url;
    size_t requests;
  } cases[] = {
      {FreshUrl(L"/images/empty.png"), 1}, {FreshUrl(L"/images/missing.png"), 1},
      {L"file:///C:/windows/win.ini", 0},  {L"\\\\localhost\\c$\\windows\\win.ini", 0},
      {L"C:\\windows\\win.ini", 0},        {L"http:///images/logo.png", 0},
  };
  for (const auto& c : cases) {
    ServerLog log;
    const std::wstring path = CacheFilePath(c.url);
    if (c.url.find(L"empty") != std::wstring::npos) veneer::test::WriteFileBytes(path, std::string());
    fetcher_.Fetch(c.url, L"logo", L"");
    veneer::test::PumpMessagesUntil([&] { return log.NewLines().size() >= c.requests; }, kDownloadTimeoutMs);
    veneer::test::PumpMessagesFor(500);
    EXPECT_EQ(log.NewLines().size(), c.requests) << c.url;
    EXPECT_EQ(ready_messages_, 0) << c.url;
    EXPECT_EQ(BackImage(L"con_logo"), L"") << c.url;
    EXPECT_FALSE(IsCacheFilePresent(path)) << c.url;
    DeleteFileW(path.c_str());
  }
}

// The "icon" slot writes the desktop shortcut; a hostile name stays one file in the desktop folder,
// pointing at this program with the downloaded icon.
TEST_F(ImageFetcherTest, IconSlotWritesTheShortcutIntoTheDesktopFolder) {
  wchar_t desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOP, FALSE));
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  const std::wstring icon = CacheFilePath(L"https://localhost/images/icon.ico");
  const std::wstring expected = std::wstring(desktop) + L"\\.._.._tessaro_test.lnk";
  DeleteFileW(expected.c_str());

  ApplyImage({window_.hwnd(), L"https://localhost/images/icon.ico", L"icon", icon, L"..\\..\\tessaro_test. "},
             window_.manager());
  ASSERT_NE(GetFileAttributesW(expected.c_str()), INVALID_FILE_ATTRIBUTES);
  {
    CoInitialize(nullptr);
    veneer::ComPtr<IShellLinkW> link;
    veneer::ComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.receive())));
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.receive())));
    ASSERT_TRUE(SUCCEEDED(file->Load(expected.c_str(), STGM_READ)));
    wchar_t target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    EXPECT_EQ(_wcsicmp(target, program), 0) << target;
    wchar_t icon_location[MAX_PATH] = {};
    int icon_index = -1;
    link->GetIconLocation(icon_location, MAX_PATH, &icon_index);
    EXPECT_EQ(icon_location, icon);
    EXPECT_EQ(icon_index, 0);
  }
  CoUninitialize();
  DeleteFileW(expected.c_str());

  EXPECT_EQ(CreateDesktopShortcut(L" . . ", icon), L"");
}

}  // namespace
}  // namespace tessaro::test
