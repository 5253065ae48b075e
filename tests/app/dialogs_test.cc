#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/close_dialog.h"
#include "app/image_cache.h"
#include "app/message_box_dialog.h"
#include "app/url_opener.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/test_documents.h"
#include "tests/support/access_violation_watch.h"
#include "tests/support/temp_files.h"
#include "tests/support/test_window.h"
#include "ui/runtime/control.h"

// The confirmation and close dialogs, built from the embedded skin archive and run modally over a
// hidden owner; a DialogDriver plays the user's clicks from inside their modal loops.

namespace tessaro::test {
namespace {

class UrlRecorder : public IUrlOpener {
 public:
  void OpenInBrowser(const std::wstring& url) override { opened.push_back(url); }
  std::vector<std::wstring> opened;
};

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UseEmbeddedSkinArchive()); }

  // Notes the named control's text (its background picture for "btn_img"), the owner's state and the
  // dialog's window while the dialog is open.
  DialogDriver::Step Note(const std::vector<const wchar_t*>& names) {
    return [this, names](veneer::WindowImplBase& dialog) {
      for (const wchar_t* name : names) {
        veneer::CControlUI* control = dialog.GetPaintManager().FindControlByName(name);
        seen_.push_back((wcscmp(name, L"btn_img") ? control->GetText() : control->GetBackImage()).GetData());
      }
      owner_enabled_while_open_ = IsWindowEnabled(owner_.hwnd()) != FALSE;
      dialog_ = dialog.GetHWND();
    };
  }

  veneer::test::TestWindow owner_ = veneer::test::TestWindow::Hidden(200, 200);
  std::vector<std::wstring> seen_;
  bool owner_enabled_while_open_ = true;
  HWND dialog_ = nullptr;
};

TEST_F(DialogsTest, TheConfirmationShowsTheLinesAndReturnsTheButton) {
  const struct {
    const char* json;
    const wchar_t* button;  // Anything but the two buttons is ignored; the system then closes it.
    InstallConfirmResult result;
    std::vector<std::wstring> lines;
  } cases[] = {
      {u8R"({"dialogTitle": "安装", "dialogDesc1": "2 MB", "dialogDesc2": "桌面"})",
       L"btn_close",
       InstallConfirmResult::kDismissed,
       {L"安装", L"2 MB", L"桌面"}},
      {R"({"dialogTitle": 12, "dialogDesc1": {"a": [1]}, "dialogDesc2": [true]})",
       L"btn_use",
       InstallConfirmResult::kInstall,
       {L"12", L"", L""}},
      {R"({"dialogTitle": "T"})", L"lab_des1", InstallConfirmResult::kNotShown, {L"T", L"", L""}},
      {R"(["dialogTitle", "x"])", L"btn_use", InstallConfirmResult::kInstall, {L"", L"", L""}},
      {"{broken", L"btn_use", InstallConfirmResult::kInstall, {L"", L"", L""}},
  };
  for (const auto& c : cases) {
    seen_.clear();
    DialogDriver driver(L"DMessageBox", {Note({L"lab_des1", L"lab_des2", L"lab_des3"}), ClickOn(c.button)});
    EXPECT_EQ(ShowInstallConfirm(owner_.hwnd(), c.json), c.result) << c.json;
    EXPECT_EQ(seen_, c.lines) << c.json;
    EXPECT_FALSE(owner_enabled_while_open_) << c.json;
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd())) << c.json;
    EXPECT_FALSE(IsWindow(dialog_)) << c.json;
  }
  // Nesting far beyond the parser's limit gives empty lines, not a crash.
  EXPECT_EQ(ReadInstallConfirmLines(std::string(100000, '[')).title, L"");
}

TEST_F(DialogsTest, EmptyTextOrLinkShowsNoDialog) {
  DialogDriver confirm(L"DMessageBox", {ClickOn(L"btn_use")});
  EXPECT_EQ(ShowInstallConfirm(owner_.hwnd(), ""), InstallConfirmResult::kNotShown);
  EXPECT_EQ(confirm.played(), 0u);  // A dialog would have been clicked from inside its loop.
}

TEST_F(DialogsTest, TheCloseDialogReturnsTheButtonAndItsPictureOpensOnlyWebLinks) {
  const std::wstring cached =
      L"https://localhost/files/dialog-" + std::to_wstring(GetTickCount64()) + L".png";
  ASSERT_TRUE(veneer::test::WriteFileBytes(CacheFilePath(cached), std::string("png")));
  const struct {
    std::wstring picture, link;
    const wchar_t* button;
    CloseDialogResult result;
    std::wstring shown;  // The picture's file.
    bool opened;
  } cases[] = {
      {cached, L"https://localhost/pages/close.html", L"btn_close", CloseDialogResult::kStay,
       CacheFilePath(cached), true},
      {L"https://localhost/files/never-fetched.png", L"http://x/", L"btn_use", CloseDialogResult::kQuit, L"",
       true},
      {L"", L"file:///C:/Windows/System32/calc.exe", L"btn_trak", CloseDialogResult::kHideToTray, L"", false},
      {L"", L"\\\\server\\share\\setup.exe", L"btn_close", CloseDialogResult::kStay, L"", false},
      {L"", L"javascript:alert(1)", L"btn_use", CloseDialogResult::kQuit, L"", false},
  };
  for (const auto& c : cases) {
    seen_.clear();
    UrlRecorder urls;
    DialogDriver driver(L"CloseDialogBox", {ClickOn(L"btn_img"), Note({L"btn_img"}), ClickOn(c.button)});
    EXPECT_EQ(ShowCloseDialog(owner_.hwnd(), {c.picture, c.link, &urls}), c.result) << c.link;
    EXPECT_EQ(driver.played(), 3u) << c.link;  // The picture's click left the dialog open.
    EXPECT_EQ(seen_, std::vector<std::wstring>{c.shown}) << c.link;
    EXPECT_EQ(urls.opened, c.opened ? std::vector<std::wstring>{c.link} : std::vector<std::wstring>{})
        << c.link;
    EXPECT_FALSE(owner_enabled_while_open_) << c.link;
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd())) << c.link;
  }
  DeleteFileW(CacheFilePath(cached).c_str());
  DialogDriver none(L"CloseDialogBox", {ClickOn(L"btn_use")});
  EXPECT_EQ(ShowCloseDialog(owner_.hwnd(), {cached, L"", nullptr}), CloseDialogResult::kNotShown);
  EXPECT_EQ(none.played(), 0u);
}

TEST_F(DialogsTest, QuitWhileTheCloseDialogIsOpenLeavesNothingBehind) {
  veneer::test::AccessViolationWatch faults;
  {
    DialogDriver driver(L"CloseDialogBox", {Note({}), [](veneer::WindowImplBase&) { PostQuitMessage(4); }});
    EXPECT_EQ(ShowCloseDialog(owner_.hwnd(), {L"", L"https://localhost/", nullptr}),
              CloseDialogResult::kNotShown);
    EXPECT_EQ(driver.played(), 2u);
  }
  EXPECT_FALSE(IsWindow(dialog_));  // Destroyed with the dialog object.
  EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // Passed on to the outer loop.
  EXPECT_EQ(quit.wParam, 4u);
  EXPECT_EQ(faults.count(), 0);
}

}  // namespace
}  // namespace tessaro::test
