#include "app/main_wnd.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_messages.h"
#include "app/crypt_digest.h"
#include "app/installer_download.h"
#include "app/utf8_text.h"
#include "app/store_pages.h"
#include "app/tray_icon.h"
#include "app/url_opener.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/server_log.h"
#include "tests/app/test_documents.h"
#include "tests/controls/test_activex/test_activex.h"
#include "tests/support/access_violation_watch.h"
#include "tests/support/environment_path.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_files.h"
#include "ui/controls/web_browser.h"
#include "ui/runtime/container.h"

// The real main window inside the test program, built from the embedded skin and fed by the local
// configuration server (product "tessaro_test"), with a URL recorder standing in for the shell.

namespace tessaro::test {
namespace {

constexpr DWORD kDocumentsTimeoutMs = 20000;

class UrlRecorder : public IUrlOpener {
 public:
  void OpenInBrowser(const std::wstring& url) override { opened.push_back(url); }
  std::vector<std::wstring> opened;
};

// Whether the shell still has the window's tray icon: only an icon it has can be modified.
bool HasTrayIcon(HWND window) {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uFlags = NIF_TIP;
  lstrcpynW(data.szTip, L"probe", ARRAYSIZE(data.szTip));
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// Whether a child window is shown itself (the main window stays hidden in these tests).
bool IsShownItself(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Takes a WM_QUIT off this thread's queue; true when there was one.
bool TakeQuitMessage() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class MainWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UseEmbeddedSkinArchive());
    ASSERT_FALSE(ReadServedDocument("tessaro_test", "global").empty())
        << "TESSARO_CONFIG_DOCUMENTS is not set";
    window_ = MainWnd::Create(MainWndSettings{L"localhost", L"tessaro_test", &urls_});
    ASSERT_NE(window_, nullptr);
    hwnd_ = window_->GetHWND();
    // Both documents applied: the main page shows and the goods document enabled the install button.
    ASSERT_TRUE(veneer::test::PumpMessagesUntil(
        [&] { return IsVisible(L"hor_main") && Named(L"btn_install")->IsEnabled(); }, kDocumentsTimeoutMs));
  }

  void TearDown() override {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);  // The window object deletes itself.
    TakeQuitMessage();
  }

  veneer::CControlUI* Named(const wchar_t* name) {
    return window_->GetPaintManager().FindControlByName(name);
  }
  bool IsVisible(const wchar_t* name) { return Named(name)->IsVisible(); }
  std::wstring Text(const wchar_t* name) { return Named(name)->GetText().GetData(); }
  void Click(veneer::CControlUI* control) { window_->GetPaintManager().SendNotify(control, L"click"); }
  void Click(const wchar_t* name) { Click(Named(name)); }

  UrlRecorder urls_;
  MainWnd* window_ = nullptr;
  HWND hwnd_ = nullptr;
};

TEST_F(MainWndTest, TheDocumentsFillTheMainPage) {
  EXPECT_FALSE(IsVisible(L"hor_err"));
  EXPECT_FALSE(IsVisible(L"ver_web"));
  EXPECT_EQ(Text(L"lab_card1_tile"), L"快速上手");
  EXPECT_EQ(Text(L"lab_card4_tile"), L"帮助中心");
  EXPECT_EQ(Text(L"lab_soft_name"), L"Tessaro Test");
  EXPECT_EQ(Text(L"lab_tile"), L"Tessaro 测试版");
  EXPECT_EQ(Text(L"btn_install"), L"下载安装");
  EXPECT_EQ(Text(L"btn_url"), kStoreHomePage);
  wchar_t title[64] = {};
  GetWindowTextW(hwnd_, title, 64);
  EXPECT_STREQ(title, L"Tessaro Test");
  auto* bar = static_cast<veneer::IContainerUI*>(Named(L"hor_tile")->FindInterface(L"IContainer"));
  ASSERT_EQ(bar->GetCount(), 2 + 3);
  EXPECT_EQ(bar->GetItemAt(2)->GetName(), L"btn_open_url");
  EXPECT_EQ(bar->GetItemAt(4)->GetText(), L"反馈");
  EXPECT_NE(GetPropW(hwnd_, L"tessaro_"), nullptr);
}

TEST_F(MainWndTest, InstallStatesShowOneAlternative) {
  const struct {
    InstallState state;
    bool button, progress, waiting;
  } cases[] = {
      {InstallState::kDownloading, false, true, false},
      {InstallState::kWaiting, false, false, true},
      {InstallState::kFailed, true, false, false},
      {InstallState::kReady, true, false, false},
  };
  for (const auto& c : cases) {
    window_->SetInstallState(c.state);
    EXPECT_EQ(IsVisible(L"btn_install"), c.button) << static_cast<int>(c.state);
    EXPECT_EQ(IsVisible(L"ver_progress"), c.progress) << static_cast<int>(c.state);
    EXPECT_EQ(IsVisible(L"ver_wait_install"), c.waiting) << static_cast<int>(c.state);
  }
}

TEST_F(MainWndTest, DownloadMessagesDriveTheInstallArea) {
  SendMessageW(hwnd_, UM_DOWNLOAD_PROGRESS, 25, 2048);  // No download runs: ignored.
  EXPECT_EQ(window_->install_state(), InstallState::kReady);
  window_->SetInstallState(InstallState::kDownloading);
  SendMessageW(hwnd_, UM_DOWNLOAD_PROGRESS, 25, 2048);
  EXPECT_EQ(Text(L"lab_progres"), L"下载中… (25%)");
  SendMessageW(hwnd_, UM_DOWNLOAD_FAILED, 0, 0);
  EXPECT_EQ(window_->install_state(), InstallState::kFailed);
  EXPECT_TRUE(IsVisible(L"btn_install"));
  SendMessageW(hwnd_, UM_DOWNLOAD_PROGRESS, 99, 2048);  // Late: queued before the failure.
  EXPECT_EQ(window_->install_state(), InstallState::kFailed);
  EXPECT_EQ(Text(L"lab_progres"), L"下载中… (25%)");
  CheckedInstaller stray{L"C:\\setup.exe", veneer::ScopedFileHandle()};
  // Only a running download hands an installer over.
  EXPECT_EQ(SendMessageW(hwnd_, UM_DOWNLOAD_DONE, reinterpret_cast<WPARAM>(&stray), 0), 0);
  EXPECT_EQ(window_->install_state(), InstallState::kFailed);
  window_->SetInstallState(InstallState::kWaiting);
  SendMessageW(hwnd_, UM_DOWNLOAD_PROGRESS, 99, 2048);
  EXPECT_EQ(window_->install_state(), InstallState::kWaiting);
  SendMessageW(hwnd_, UM_INSTALLER_EXITED, 0, 0);
  EXPECT_EQ(window_->install_state(), InstallState::kReady);
  SendMessageW(hwnd_, UM_INSTALLER_FAILED, 0, 0);
  EXPECT_EQ(window_->install_state(), InstallState::kFailed);
}

TEST_F(MainWndTest, OnlyWebUrlsAreOpened) {
  const wchar_t* const hostile[] = {
      L"",
      L"file:///C:/Windows/System32/calc.exe",
      L"C:\\Windows\\System32\\cmd.exe",
      L"\\\\server\\share\\setup.exe",
      L"javascript:alert(1)",
      L"ms-settings:",
      L"https://",
      L"http://host/a b",
      L"https://host/\"quoted\"",
      L"www.example.com",
  };
  auto* bar = static_cast<veneer::IContainerUI*>(Named(L"hor_tile")->FindInterface(L"IContainer"));
  veneer::CControlUI* link = bar->GetItemAt(2);
  for (const wchar_t* url : hostile) {
    link->SetUserData(url);
    Click(link);
    Named(L"btn_url")->SetText(url);
    Click(L"btn_url");
  }
  EXPECT_TRUE(urls_.opened.empty()) << urls_.opened.front();

  link->SetUserData(L"https://localhost/pages/home.html");
  Click(link);
  Named(L"btn_url")->SetText(L"HTTP://store.example/");
  Click(L"btn_url");
  Click(L"btn_server");
  EXPECT_EQ(urls_.opened, (std::vector<std::wstring>{L"https://localhost/pages/home.html",
                                                     L"HTTP://store.example/", SupportPageUrl()}));
  EXPECT_EQ(SupportPageUrl().rfind(L"https://", 0), 0u);
}

TEST_F(MainWndTest, CardsSwitchToTheWebPageAndBackKeepsTheInstallArea) {
  window_->SetInstallState(InstallState::kDownloading);
  Click(L"btn_card2");
  EXPECT_TRUE(IsVisible(L"ver_web"));
  EXPECT_FALSE(IsVisible(L"hor_main"));
  Click(L"btn_back");
  EXPECT_FALSE(IsVisible(L"ver_web"));
  EXPECT_TRUE(IsVisible(L"hor_main"));
  EXPECT_TRUE(IsVisible(L"ver_progress"));
  EXPECT_TRUE(urls_.opened.empty());
}

// The skin's browser control has no object here (the browser component is switched off): the test
// control takes its place, made by the same control.
TEST_F(MainWndTest, ACardOpensItsWebUrlInTheBrowserAndBackHidesThePage) {
  veneer::test::TestActiveX module;
  ASSERT_TRUE(module.IsLoaded()) << "TESSARO_TEST_ACTIVEX is not set";
  auto* web = static_cast<veneer::CWebBrowserUI*>(Named(L"web")->FindInterface(L"WebBrowser"));
  ASSERT_NE(web, nullptr);
  EXPECT_TRUE(web->IsCreationAttempted());  // Tried at once, as "delaycreate" says; nothing came.
  EXPECT_FALSE(web->HasObject());
  web->ApplyAttribute(L"modulename", module.path().c_str());
  web->ApplyAttribute(L"clsid", veneer::test::kSiteFirstClassText);
  ASSERT_TRUE(web->CreateControl());
  HWND host = web->GetHostWindow();
  EXPECT_FALSE(IsShownItself(host));  // The web page is hidden.

  Named(L"btn_card1")->SetUserData(L"https://store.example/card1");
  Named(L"btn_card3")->SetUserData(L"file:///C:/windows/win.ini");
  module.ClearCalls();
  Click(L"btn_card1");
  EXPECT_TRUE(IsVisible(L"ver_web"));
  EXPECT_TRUE(IsShownItself(host));
  Click(L"btn_card3");  // Not a web URL: the page stays as it was.
  EXPECT_EQ(module.Calls(), std::vector<std::wstring>{L"Navigate2 https://store.example/card1"});

  Click(L"btn_back");
  EXPECT_TRUE(IsVisible(L"hor_main"));
  EXPECT_FALSE(IsShownItself(host));
  EXPECT_TRUE(urls_.opened.empty());
}

TEST_F(MainWndTest, ClosingRemovesTheTrayIconAndEndsTheLoopButKeepsTheWindow) {
  ASSERT_TRUE(HasTrayIcon(hwnd_));
  TakeQuitMessage();
  DialogDriver driver(L"CloseDialogBox", {ClickOn(L"btn_use")});  // The test document enables it.
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_EQ(driver.played(), 1u);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_FALSE(HasTrayIcon(hwnd_));
  EXPECT_TRUE(IsWindow(hwnd_));
}

TEST_F(MainWndTest, TheTrayMenusExitGoesThroughTheClosePath) {
  TakeQuitMessage();
  SendMessageW(hwnd_, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_FALSE(TakeQuitMessage());  // Not yet: the close request is posted.
  MSG close;
  ASSERT_TRUE(PeekMessageW(&close, hwnd_, WM_CLOSE, WM_CLOSE, PM_REMOVE));
  EXPECT_EQ(close.wParam, 1u);
  DialogDriver driver(L"CloseDialogBox", {ClickOn(L"btn_use")});
  DispatchMessageW(&close);
  EXPECT_EQ(driver.played(), 1u);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_FALSE(HasTrayIcon(hwnd_));
}

TEST_F(MainWndTest, TheCloseDialogsAnswerDecidesHowTheWindowCloses) {
  const struct {
    const wchar_t* button;  // No such control: the dialog is closed by the system.
    bool quits, visible;
  } cases[] = {
      {L"btn_close", false, true},
      {L"btn_trak", false, false},
      {L"btn_use", true, true},
      {L"no_control", true, true},
  };
  for (const auto& c : cases) {
    const wchar_t* what = c.button;
    TakeQuitMessage();
    window_->BringToFront();
    DialogDriver driver(L"CloseDialogBox", {ClickOn(c.button)});
    SendMessageW(hwnd_, WM_CLOSE, 1, 0);
    EXPECT_EQ(driver.played(), 1u) << what;
    EXPECT_EQ(TakeQuitMessage(), c.quits) << what;
    EXPECT_EQ(HasTrayIcon(hwnd_), !c.quits) << what;
    EXPECT_EQ(IsWindowVisible(hwnd_) != FALSE, c.visible) << what;
    EXPECT_TRUE(IsWindowEnabled(hwnd_)) << what;
    EXPECT_TRUE(urls_.opened.empty()) << what;
  }
}

TEST_F(MainWndTest, DestroyingTheWindowWhileTheDialogAsksLeavesNothingBehind) {
  veneer::test::AccessViolationWatch faults;
  HWND open_dialog = nullptr;
  DialogDriver driver(L"CloseDialogBox", {[&](veneer::WindowImplBase& dialog) {
                        open_dialog = dialog.GetHWND();
                        DestroyWindow(hwnd_);  // Takes the dialog, then the window object along.
                      }});
  SendMessageW(hwnd_, WM_CLOSE, 1, 0);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_FALSE(IsWindow(open_dialog));
  EXPECT_EQ(faults.count(), 0);
}

TEST_F(MainWndTest, TheTrayIconComesBackWhenTheShellRestarts) {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof(data);
  data.hWnd = hwnd_;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));  // As a restarting shell loses it.
  SendMessageW(hwnd_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(HasTrayIcon(hwnd_));
}

TEST_F(MainWndTest, AWindowDestroyedOtherwiseRemovesTheTrayIconAndEndsTheLoop) {
  TakeQuitMessage();
  DestroyWindow(hwnd_);
  EXPECT_TRUE(TakeQuitMessage());
  EXPECT_FALSE(HasTrayIcon(hwnd_));
}

TEST_F(MainWndTest, HiddenWindowComesBackFromTheTray) {
  ShowWindow(hwnd_, SW_HIDE);
  SendMessageW(hwnd_, UM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  ShowWindow(hwnd_, SW_HIDE);
  SendMessageW(hwnd_, WM_COMMAND, ID_TRAY_SHOW_MAIN, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
}

// The install button against the local server, with the test installer (test_installer.cc) as the
// product's installer: it records each run's command line and its own bytes.
class InstallTest : public MainWndTest {
 protected:
  void SetUp() override {
    MainWndTest::SetUp();
    record_ = veneer::test::UniqueTempPath(L"run");
    DeleteFileW(record_.c_str());
    SetEnvironmentVariableW(L"TESSARO_TEST_INSTALLER_RECORD", record_.c_str());
    served_ = veneer::test::ReadFileBytes(veneer::test::EnvironmentPath(L"TESSARO_TEST_INSTALLER"));
    ASSERT_FALSE(served_.empty()) << "TESSARO_TEST_INSTALLER is not set";
  }

  void TearDown() override {
    // No download or installer may outlive the window it reports to.
    veneer::test::PumpMessagesUntil([&] { return !Busy(); }, kInstallTimeoutMs);
    SetEnvironmentVariableW(L"TESSARO_TEST_INSTALLER_RECORD", nullptr);
    DeleteFileW(record_.c_str());
    DeleteFileW((record_ + L".bytes").c_str());
    MainWndTest::TearDown();
  }

  bool Busy() {
    return window_->install_state() == InstallState::kDownloading ||
           window_->install_state() == InstallState::kWaiting;
  }
  void Install(const std::wstring& info) {
    Named(L"btn_install")->SetUserData(info.c_str());
    Click(L"btn_install");
  }
  bool WaitForState(InstallState state) {
    return veneer::test::PumpMessagesUntil([&] { return window_->install_state() == state; },
                                           kInstallTimeoutMs);
  }
  // The command lines the test installer recorded, one a run.
  std::vector<std::string> Runs() {
    std::vector<std::string> runs;
    std::string all = veneer::test::ReadFileBytes(record_);
    for (size_t end; (end = all.find('\n')) != std::string::npos; all.erase(0, end + 1)) {
      runs.push_back(all.substr(0, end));
    }
    return runs;
  }
  static size_t Requests(const ServerLog& log, const std::string& path) {
    const std::vector<std::string> lines = log.NewLines();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(" " + path + " ") != std::string::npos;
    }));
  }

  // The download folders ("tessaro-*") in the temporary folder.
  static std::vector<std::wstring> DownloadFolders() {
    std::vector<std::wstring> folders;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((veneer::test::TempFolder() + L"tessaro-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return folders;
    do {
      folders.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return folders;
  }

  static constexpr DWORD kInstallTimeoutMs = 20000;
  std::wstring record_;
  std::string served_;
};

constexpr char kInstallerPath[] = "/installers/test_installer.exe";
constexpr wchar_t kInstallerUrl[] = L"https://localhost/installers/test_installer.exe";

std::wstring InstallInfo(const std::wstring& url, const std::wstring& more = L"") {
  return L"{\"downloadUrl\": \"" + url + L"\"" + more + L"}";
}

TEST_F(InstallTest, TheConfirmationDialogDecidesWhetherAnythingIsDownloaded) {
  const std::wstring info = InstallInfo(kInstallerUrl, L", \"dialogOpen\": true, \"dialogTitle\": \"T\"");
  const struct {
    const wchar_t* button;
    InstallState state;
    size_t requests;
  } cases[] = {{L"btn_close", InstallState::kReady, 0u}, {L"btn_use", InstallState::kDownloading, 1u}};
  for (const auto& c : cases) {
    const ServerLog log;
    {
      const DialogDriver driver(L"DMessageBox", {ClickOn(c.button)});
      Install(info);
      EXPECT_EQ(driver.played(), 1u) << c.button;
    }
    EXPECT_EQ(window_->install_state(), c.state) << c.button;
    if (c.state == InstallState::kDownloading) {
      ASSERT_TRUE(WaitForState(InstallState::kReady));
    }
    EXPECT_EQ(Requests(log, kInstallerPath), c.requests) << c.button;
  }
}

TEST_F(InstallTest, OneClickDownloadsAndRunsTheInstallerOnce) {
  const ServerLog log;
  Install(InstallInfo(kInstallerUrl));
  EXPECT_EQ(window_->install_state(), InstallState::kDownloading);
  EXPECT_EQ(Text(L"lab_progres"), L"下载中… (0%)");
  EXPECT_FALSE(IsVisible(L"btn_install"));
  Click(L"btn_install");  // A double click.
  ASSERT_TRUE(WaitForState(InstallState::kWaiting));
  Click(L"btn_install");  // While the installer runs.
  ASSERT_TRUE(WaitForState(InstallState::kReady));
  EXPECT_TRUE(IsVisible(L"btn_install"));
  EXPECT_TRUE(Named(L"btn_install")->IsEnabled());
  EXPECT_EQ(Requests(log, kInstallerPath), 1u);
  const std::vector<std::string> runs = Runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(veneer::test::ReadFileBytes(record_ + L".bytes"), served_);
  // "<temp>tessaro-<32 digits>\<seconds>.exe" in quotes.
  const std::string& line = runs[0];
  ASSERT_GE(line.size(), 2u);
  EXPECT_EQ(line.front(), '"');
  EXPECT_EQ(line.back(), '"');
  const std::wstring path(line.begin() + 1, line.end() - 1);  // ASCII in the Wine prefix.
  const std::wstring temp = veneer::test::TempFolder();
  ASSERT_EQ(path.rfind(temp + L"tessaro-", 0), 0u) << path;
  const std::wstring folder = path.substr(0, path.rfind(L'\\'));
  EXPECT_EQ(folder.size(), temp.size() + 8 + 32) << path;
  EXPECT_EQ(path.substr(path.size() - 4), L".exe");
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES) << "left behind: " << folder;
}

TEST_F(InstallTest, AMatchingDigestIsRun) {
  const std::wstring digest =
      WideFromUtf8(Sha256HexOfFile(veneer::test::EnvironmentPath(L"TESSARO_TEST_INSTALLER")));
  ASSERT_EQ(digest.size(), 64u);
  Install(InstallInfo(kInstallerUrl, L", \"sha256\": \"" + digest + L"\""));
  ASSERT_TRUE(WaitForState(InstallState::kWaiting));
  ASSERT_TRUE(WaitForState(InstallState::kReady));
  EXPECT_EQ(Runs().size(), 1u);
}

TEST_F(InstallTest, FailuresShowTheButtonAgainAndRunNothing) {
  const std::wstring zeros(64, L'0');
  const struct {
    const wchar_t* what;
    std::wstring info;
    const char* requested;  // The path the server must have seen once, or null for no request.
  } cases[] = {
      {L"404", InstallInfo(L"https://localhost/installers/missing.exe"), "/installers/missing.exe"},
      {L"unreachable", InstallInfo(L"https://127.0.0.1:1/setup.exe"), nullptr},
      {L"empty URL", InstallInfo(L""), nullptr},
      {L"no URL", L"{\"dialogOpen\": false}", nullptr},
      {L"http", InstallInfo(L"http://localhost/installers/test_installer.exe"), nullptr},
      {L"file", InstallInfo(L"file:///C:/windows/system32/notepad.exe"), nullptr},
      {L"UNC", InstallInfo(L"\\\\\\\\localhost\\\\c$\\\\windows\\\\notepad.exe"), nullptr},
      {L"not a program", InstallInfo(L"https://localhost/images/logo.png"), "/images/logo.png"},
      {L"digest mismatch", InstallInfo(kInstallerUrl, L", \"sha256\": \"" + zeros + L"\""), kInstallerPath},
      {L"malformed digest", InstallInfo(kInstallerUrl, L", \"sha256\": 5"), kInstallerPath},
  };
  const std::vector<std::wstring> folders_before = DownloadFolders();
  for (const auto& c : cases) {
    window_->SetInstallState(InstallState::kReady);
    const ServerLog log;
    Install(c.info);
    EXPECT_TRUE(WaitForState(InstallState::kFailed)) << c.what;
    EXPECT_TRUE(IsVisible(L"btn_install")) << c.what;
    const size_t requests = c.requested ? Requests(log, c.requested) : log.NewLines().size();
    EXPECT_EQ(requests, c.requested ? 1u : 0u) << c.what;
    EXPECT_EQ(DownloadFolders(), folders_before) << c.what << ": a download folder was left behind";
  }
  veneer::test::PumpMessagesFor(1000);  // Nothing started late.
  EXPECT_TRUE(Runs().empty());
}

// The temporary folder comes from TMP: too long a path makes GetTempPathW fail, a missing folder makes
// the download folder impossible. Either way nothing is requested and nothing is run.
TEST_F(InstallTest, AnUnusableTemporaryFolderFailsBeforeAnyRequest) {
  const std::wstring saved_tmp = veneer::test::EnvironmentPath(L"TMP");
  const struct {
    const wchar_t* what;
    std::wstring tmp;
  } cases[] = {
      {L"longer than MAX_PATH", L"C:\\" + std::wstring(MAX_PATH + 10, L'x')},
      {L"missing", L"C:\\no such folder\\deeper"},
  };
  for (const auto& c : cases) {
    window_->SetInstallState(InstallState::kReady);
    SetEnvironmentVariableW(L"TMP", c.tmp.c_str());
    const ServerLog log;
    Install(InstallInfo(kInstallerUrl));
    EXPECT_TRUE(WaitForState(InstallState::kFailed)) << c.what;
    SetEnvironmentVariableW(L"TMP", saved_tmp.empty() ? nullptr : saved_tmp.c_str());
    EXPECT_EQ(Requests(log, kInstallerPath), 0u) << c.what;
  }
  EXPECT_TRUE(Runs().empty());
}

}  // namespace
}  // namespace tessaro::test
