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
// test owner; a DialogDriver plays the user's clicks from inside their modal loops.

namespace tessaro::test {
namespace {

using Step = DialogDriver::Step;

constexpr char kInstallInfo[] =
    u8R"({"downloadUrl": "https://localhost/files/setup.exe", "dialogOpen": true,
          "dialogTitle": "安装 Tessaro", "dialogDesc1": "约 2 MB", "dialogDesc2": "桌面快捷方式"})";

class UrlRecorder : public IUrlOpener {
 public:
  void OpenInBrowser(const std::wstring& url) override { opened.push_back(url); }
  std::vector<std::wstring> opened;
};

std::wstring LabelText(veneer::WindowImplBase& dialog, const wchar_t* name) {
  veneer::CControlUI* control = dialog.GetPaintManager().FindControlByName(name);
  return control ? control->GetText().GetData() : L"<missing>";
}

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UseEmbeddedSkinArchive()); }

  // A step that notes the owner's state and the dialog's window while the dialog is open.
  Step NoteOpenState() {
    return [this](veneer::WindowImplBase& dialog) {
      owner_enabled_while_open_ = IsWindowEnabled(owner_.hwnd()) != FALSE;
      dialog_window_ = dialog.GetHWND();
    };
  }

  veneer::test::TestWindow owner_ = veneer::test::TestWindow::Hidden(200, 200);
  bool owner_enabled_while_open_ = true;
  HWND dialog_window_ = nullptr;
};

TEST(InstallConfirmLinesTest, WrongKindsAndBrokenTextGiveEmptyLines) {
  const struct {
    const char* json;
    const wchar_t *title, *first, *second;
  } cases[] = {
      {kInstallInfo, L"安装 Tessaro", L"约 2 MB", L"桌面快捷方式"},
      {R"({"dialogTitle": "Only"})", L"Only", L"", L""},
      {R"({"dialogTitle": {"a": 1}, "dialogDesc1": [1, 2], "dialogDesc2": null})", L"", L"", L""},
      {R"({"dialogTitle": 12, "dialogDesc1": true, "dialogDesc2": "x"})", L"12", L"true", L"x"},
      {R"(["dialogTitle", "x"])", L"", L"", L""},
      {R"({"dialogTitle": "cut)", L"", L"", L""},
      {"not json at all", L"", L"", L""},
      {"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    const InstallConfirmLines lines = ReadInstallConfirmLines(c.json);
    EXPECT_EQ(lines.title, c.title) << c.json;
    EXPECT_EQ(lines.first, c.first) << c.json;
    EXPECT_EQ(lines.second, c.second) << c.json;
  }
  // Nesting far beyond the parser's limit is refused, not a crash.
  EXPECT_EQ(ReadInstallConfirmLines(std::string(100000, '[')).title, L"");
}

TEST_F(DialogsTest, EmptyTextOrLinkShowsNoDialog) {
  DialogCreationCounter counter;
  EXPECT_EQ(ShowInstallConfirm(owner_.hwnd(), ""), InstallConfirmResult::kNotShown);
  UrlRecorder urls;
  EXPECT_EQ(ShowCloseDialog(owner_.hwnd(), {L"https://localhost/files/close.png", L"", &urls}),
            CloseDialogResult::kNotShown);
  EXPECT_EQ(counter.created(), 0);
  EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
}

TEST_F(DialogsTest, TheConfirmationShowsTheLinesAndReturnsTheButton) {
  const struct {
    const char* json;
    const wchar_t* button;
    InstallConfirmResult result;
    const wchar_t *des1, *des2, *des3;
  } cases[] = {
      {kInstallInfo, L"btn_close", InstallConfirmResult::kDismissed, L"安装 Tessaro", L"约 2 MB",
       L"桌面快捷方式"},
      {R"({"dialogTitle": "T", "dialogDesc1": {}, "dialogDesc2": []})", L"btn_use",
       InstallConfirmResult::kInstall, L"T", L"", L""},
      {"{broken", L"btn_use", InstallConfirmResult::kInstall, L"", L"", L""},
      {kInstallInfo, L"lab_des1", InstallConfirmResult::kNotShown, L"安装 Tessaro", L"约 2 MB",
       L"桌面快捷方式"},
  };
  for (const auto& c : cases) {
    std::wstring des1, des2, des3;
    const Step read_labels = [&](veneer::WindowImplBase& dialog) {
      des1 = LabelText(dialog, L"lab_des1");
      des2 = LabelText(dialog, L"lab_des2");
      des3 = LabelText(dialog, L"lab_des3");
    };
    DialogDriver driver(L"DMessageBox", {NoteOpenState(), read_labels, ClickOn(c.button)});
    EXPECT_EQ(ShowInstallConfirm(owner_.hwnd(), c.json), c.result) << c.json;
    EXPECT_FALSE(driver.timed_out()) << c.json;
    EXPECT_EQ(driver.played(), 3u) << c.json;
    EXPECT_EQ(des1, c.des1) << c.json;
    EXPECT_EQ(des2, c.des2) << c.json;
    EXPECT_EQ(des3, c.des3) << c.json;
    EXPECT_FALSE(owner_enabled_while_open_) << c.json;
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd())) << c.json;
    EXPECT_FALSE(IsWindow(dialog_window_)) << c.json;
  }
}

TEST_F(DialogsTest, TheCloseDialogReturnsTheButtonAndOpensOnlyWebLinks) {
  const struct {
    const wchar_t* link;
    const wchar_t* button;
    CloseDialogResult result;
    bool opened;
  } cases[] = {
      {L"https://localhost/pages/close.html", L"btn_close", CloseDialogResult::kStay, true},
      {L"https://localhost/pages/close.html", L"btn_use", CloseDialogResult::kQuit, true},
      {L"http://localhost/pages/close.html", L"btn_trak", CloseDialogResult::kHideToTray, true},
      {L"file:///C:/Windows/System32/calc.exe", L"btn_close", CloseDialogResult::kStay, false},
      {L"C:\\Windows\\System32\\cmd.exe", L"btn_use", CloseDialogResult::kQuit, false},
      {L"\\\\server\\share\\setup.exe", L"btn_trak", CloseDialogResult::kHideToTray, false},
      {L"javascript:alert(1)", L"btn_close", CloseDialogResult::kStay, false},
  };
  for (const auto& c : cases) {
    UrlRecorder urls;
    bool open_after_picture = false;
    const Step still_open = [&](veneer::WindowImplBase& dialog) {
      open_after_picture = IsWindowVisible(dialog.GetHWND()) != FALSE;
    };
    DialogDriver driver(L"CloseDialogBox",
                        {NoteOpenState(), ClickOn(L"btn_img"), still_open, ClickOn(c.button)});
    EXPECT_EQ(ShowCloseDialog(owner_.hwnd(), {L"", c.link, &urls}), c.result) << c.link;
    EXPECT_EQ(driver.played(), 4u) << c.link;
    EXPECT_TRUE(open_after_picture) << c.link;
    EXPECT_EQ(urls.opened, c.opened ? std::vector<std::wstring>{c.link} : std::vector<std::wstring>{})
        << c.link;
    EXPECT_FALSE(owner_enabled_while_open_) << c.link;
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd())) << c.link;
    EXPECT_FALSE(IsWindow(dialog_window_)) << c.link;
  }
}

TEST_F(DialogsTest, TheClosePictureComesFromTheCacheOnly) {
  const std::wstring cached_url =
      L"https://localhost/files/dialog-cached-" + std::to_wstring(GetTickCount64()) + L".png";
  const std::wstring cached_path = CacheFilePath(cached_url);
  ASSERT_TRUE(veneer::test::WriteFileBytes(cached_path, std::string("picture")));
  const struct {
    std::wstring picture;
    std::wstring expected;
  } cases[] = {
      {cached_url, cached_path},
      {L"https://localhost/files/never-fetched-picture.png", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    std::wstring picture;
    const Step read_picture = [&](veneer::WindowImplBase& dialog) {
      picture = dialog.GetPaintManager().FindControlByName(L"btn_img")->GetBackImage().GetData();
    };
    DialogDriver driver(L"CloseDialogBox", {read_picture, ClickOn(L"btn_close")});
    EXPECT_EQ(ShowCloseDialog(owner_.hwnd(), {c.picture, L"https://localhost/pages/close.html", nullptr}),
              CloseDialogResult::kStay);
    EXPECT_EQ(picture, c.expected) << c.picture;
  }
  DeleteFileW(cached_path.c_str());
}

TEST_F(DialogsTest, QuitWhileADialogIsOpenLeavesNothingBehind) {
  veneer::test::AccessViolationWatch faults;
  const Step quit = [](veneer::WindowImplBase&) { PostQuitMessage(4); };
  const struct {
    const wchar_t* window_class;
    int (*show)(HWND owner);
  } cases[] = {
      {L"DMessageBox", [](HWND owner) { return static_cast<int>(ShowInstallConfirm(owner, kInstallInfo)); }},
      {L"CloseDialogBox",
       [](HWND owner) {
         return static_cast<int>(
             ShowCloseDialog(owner, {L"", L"https://localhost/pages/close.html", nullptr}));
       }},
  };
  for (const auto& c : cases) {
    {
      DialogDriver driver(c.window_class, {NoteOpenState(), quit});
      EXPECT_EQ(c.show(owner_.hwnd()), 0) << c.window_class;
      EXPECT_EQ(driver.played(), 2u) << c.window_class;
    }
    EXPECT_NE(dialog_window_, nullptr) << c.window_class;
    EXPECT_FALSE(IsWindow(dialog_window_)) << c.window_class;
    EXPECT_EQ(FindThreadWindow(c.window_class), nullptr) << c.window_class;
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd())) << c.window_class;
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.window_class;
    EXPECT_EQ(message.wParam, 4u) << c.window_class;
  }
  EXPECT_EQ(faults.count(), 0);
}

}  // namespace
}  // namespace tessaro::test
