#include "app/main_wnd.h"

#include <memory>
#include <utility>

#include "app/app_messages.h"
#include "app/close_dialog.h"
#include "app/config_client.h"
#include "app/config_identity.h"
#include "app/installer_download.h"
#include "app/installer_launch.h"
#include "app/message_box_dialog.h"
#include "app/named_control.h"
#include "app/single_instance.h"
#include "app/store_pages.h"
#include "app/url_opener.h"
#include "app/utf8_text.h"
#include "app/web_url.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/web_browser.h"
#include "ui/markup/skin_source.h"

namespace tessaro {
namespace {

constexpr wchar_t kTitle[] = L"quill安装助手";
// No standard style bit: the skin decides the look. A taskbar button, and the static edge.
constexpr DWORD kStyle = 0x100;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW | WS_EX_STATICEDGE;
constexpr UINT kIconResource = 105;
constexpr const wchar_t* kCardButtons[] = {L"btn_card1", L"btn_card2", L"btn_card3", L"btn_card4"};

bool IsCardButton(const std::wstring& name) {
  for (const wchar_t* card : kCardButtons) {
    if (name == card) return true;
  }
  return false;
}

// "下载中… (25%)"
std::wstring ProgressText(WPARAM percent) { return L"下载中… (" + std::to_wstring(percent) + L"%)"; }

// The reply body handed over in wParam, up to its first NUL byte.
std::string ReplyBody(WPARAM wparam) { return wparam ? reinterpret_cast<const char*>(wparam) : ""; }

// The handle is not kept: the thread ends on its own after its one hand-over. False when it could not
// be started.
bool StartThread(LPTHREAD_START_ROUTINE procedure, LPVOID parameter) {
  const veneer::ScopedKernelHandle thread(CreateThread(nullptr, 0, procedure, parameter, 0, nullptr));
  return static_cast<bool>(thread);
}

// Starts `procedure` with `task`, which it then owns; false (and the task freed) when no thread came.
template <typename Task>
bool StartTask(LPTHREAD_START_ROUTINE procedure, std::unique_ptr<Task> task) {
  if (!StartThread(procedure, task.get())) return false;
  task.release();
  return true;
}

}  // namespace

MainWnd* MainWnd::Create(const MainWndSettings& settings) {
  auto* window = new MainWnd(settings);
  LifeWatch watch(window);
  if (window->CreateNativeWindow(nullptr, kTitle, kStyle, kExtendedStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT)) {
    return window;
  }
  // A window that was created and destroyed again has deleted the object already.
  if (!watch.ObjectGone()) delete window;
  return nullptr;
}

MainWnd::MainWnd(const MainWndSettings& settings)
    : settings_(settings),
      images_(GetPaintManager()),
      taskbar_created_(RegisterWindowMessageW(L"TaskbarCreated")) {}

void MainWnd::OnSkinLoaded() {
  ConfigHost = settings_.config_host;
  SetWindowIcon(kIconResource);
  SetPropW(GetHWND(), kInstanceMarker, reinterpret_cast<HANDLE>(1));
  tray_.Add(GetHWND(), LoadIconW(veneer::GetAppModule(), MAKEINTRESOURCEW(kIconResource)));
  progress_ = FindNamed<veneer::CProgressUI>(GetPaintManager(), L"progres", L"Progress");
  progress_label_ = FindNamed<veneer::CLabelUI>(GetPaintManager(), L"lab_progres", L"Label");
  web_ = FindNamed<veneer::CWebBrowserUI>(GetPaintManager(), L"web", L"WebBrowser");
  if (auto* home = FindNamed<veneer::CLabelUI>(GetPaintManager(), L"btn_url", L"Label")) {
    home->SetText(kStoreHomePage);
  }
  GoodsName = settings_.goods_name;
  StartConfigurationFetches();
}

void MainWnd::StartConfigurationFetches() {
  StartThread(FetchGlobalConfig, GetHWND());
  StartThread(FetchGoodsConfig, GetHWND());
}

void MainWnd::OnWindowDestroyed(HWND window) {
  WindowImplBase::OnWindowDestroyed(window);
  Quit();
  delete this;
}

void MainWnd::ShowErrorPage(bool show) {
  SetControlVisible(L"hor_err", show);
  SetControlVisible(L"hor_main", !show);
}

void MainWnd::KeepCloseDialogSettings(const CloseDialogSettings& settings) { close_dialog_ = settings; }

void MainWnd::FetchImage(const std::wstring& url, const wchar_t* slot, const std::wstring& extra) {
  images_.Fetch(url, slot, extra);
}

void MainWnd::SetInstallState(InstallState state) {
  install_state_ = state;
  const bool downloading = state == InstallState::kDownloading;
  const bool waiting = state == InstallState::kWaiting;
  SetControlVisible(L"btn_install", !downloading && !waiting);
  SetControlVisible(L"ver_progress", downloading);
  SetControlVisible(L"ver_wait_install", waiting);
}

void MainWnd::BringToFront() {
  const HWND window = GetHWND();
  if (!window) return;
  if (!IsWindowVisible(window)) ShowNative(true, true);
  if (IsIconic(window)) SendToWindow(WM_SYSCOMMAND, SC_RESTORE, 0);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  SetFocus(window);
}

LRESULT MainWnd::ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) return HandleCloseRequest();
  if (message == UM_DOWNLOAD_DONE) return StartInstaller(reinterpret_cast<CheckedInstaller*>(wparam));
  HandleApplicationMessage(message, wparam, lparam);
  return WindowImplBase::ProcessMessage(message, wparam, lparam);
}

void MainWnd::HandleApplicationMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == ID_TRAY_SHOW_MAIN) BringToFront();
      if (LOWORD(wparam) == ID_TRAY_EXIT) PostClose(1);
      return;
    case UM_IMAGE_READY:
      images_.OnImageReady(*reinterpret_cast<const TaskInfo*>(wparam));
      return;
    case UM_DOWNLOAD_PROGRESS:
      ShowDownloadProgress(wparam);
      return;
    case UM_DOWNLOAD_FAILED:
    case UM_INSTALLER_FAILED:
      SetInstallState(InstallState::kFailed);
      return;
    case UM_INSTALLER_EXITED:
      SetInstallState(InstallState::kReady);
      return;
    case UM_GLOBAL_CONFIG:
      ApplyGlobalConfig(ReplyBody(wparam), GetPaintManager(), *this);
      return;
    case UM_GOODS_CONFIG:
      ApplyGoodsConfig(ReplyBody(wparam), GetPaintManager(), *this);
      return;
    case UM_TRAY_NOTIFY:
      OnTrayNotify(lparam);
      return;
    default:
      if (message == taskbar_created_ && taskbar_created_ != 0) tray_.Restore();
      return;
  }
}

LRESULT MainWnd::HandleCloseRequest() {
  if (in_close_path_) {
    // A second close while the close dialog asks: the dialog stays and comes forward.
    BringToFront();
    return 0;
  }
  if (!close_dialog_.open) {
    CloseAs(CloseChoice::kQuit);
    return 0;
  }
  in_close_path_ = true;
  LifeWatch watch(this);
  const CloseChoice choice = AskHowToClose();
  // The window may have been destroyed while the dialog ran, and this object with it.
  if (watch.ObjectGone()) return 0;
  in_close_path_ = false;
  CloseAs(choice);
  return 0;
}

void MainWnd::CloseAs(CloseChoice choice) {
  switch (choice) {
    case CloseChoice::kHideToTray:
      ShowNative(false, false);
      break;
    case CloseChoice::kStay:
      break;
    case CloseChoice::kQuit:
      Quit();
      break;
  }
}

MainWnd::CloseChoice MainWnd::AskHowToClose() {
  BringToFront();
  switch (ShowCloseDialog(GetHWND(), {close_dialog_.image, close_dialog_.url, settings_.url_opener})) {
    case CloseDialogResult::kHideToTray:
      return CloseChoice::kHideToTray;
    case CloseDialogResult::kStay:
      return CloseChoice::kStay;
    case CloseDialogResult::kQuit:
    case CloseDialogResult::kNotShown:
      break;
  }
  // Quitting was chosen, the dialog had no link to show, or it was closed by the system.
  return CloseChoice::kQuit;
}

void MainWnd::Quit() {
  tray_.Remove();
  PostQuitMessage(0);
}

void MainWnd::OnTrayNotify(LPARAM mouse_message) {
  if (mouse_message == WM_LBUTTONDOWN) BringToFront();
  if (mouse_message == WM_RBUTTONDOWN) tray_.ShowMenu();
}

void MainWnd::ReceiveNotification(veneer::NotifyRecord& record) {
  if (record.type != L"click") return;
  OnClick(veneer::SenderName(record).GetData(), record.sender);
}

void MainWnd::OnClick(const std::wstring& name, veneer::CControlUI* sender) {
  if (name == L"btn_close") {
    PostClose(1);
  } else if (name == L"btn_min") {
    SendToWindow(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == L"btn_url") {
    OpenWebPage(sender->GetText().GetData());
  } else if (name == L"btn_server") {
    OpenWebPage(SupportPageUrl());
  } else if (name == L"btn_open_url") {
    OpenWebPage(sender->GetUserData().GetData());
  } else if (IsCardButton(name)) {
    ShowWebPage(true);
    NavigateWebPage(sender->GetUserData().GetData());
  } else if (name == L"btn_back") {
    ShowWebPage(false);
  } else if (name == L"btn_install") {
    StartInstall(sender->GetUserData().GetData());
  }
}

void MainWnd::ShowWebPage(bool show) {
  SetControlVisible(L"hor_main", !show);
  SetControlVisible(L"ver_web", show);
}

void MainWnd::NavigateWebPage(const std::wstring& url) {
  if (web_ && IsWebUrl(url)) web_->Navigate(url.c_str());
}

void MainWnd::StartInstall(const std::wstring& install_info) {
  // One click, one download, one installer: the button does nothing until they are over.
  if (install_state_ == InstallState::kDownloading || install_state_ == InstallState::kWaiting) return;
  InstallRequest request;
  if (!ParseInstallRequest(install_info, &request)) return;
  if (request.confirm_first) {
    LifeWatch watch(this);
    const bool confirmed = ConfirmInstall(install_info);
    // The window may have been destroyed while the dialog ran, and this object with it.
    if (watch.ObjectGone() || !confirmed) return;
  }
  auto task = std::make_unique<TaskInfo>();
  task->window = GetHWND();
  task->url = request.download_url;
  task->extra = request.sha256;
  SetInstallState(InstallState::kDownloading);
  ShowDownloadProgress(0);
  if (!StartTask(DownloadInstaller, std::move(task))) SetInstallState(InstallState::kFailed);
}

bool MainWnd::ConfirmInstall(const std::wstring& install_info) {
  // Only "btn_use" goes on; dismissing the dialog or closing it otherwise downloads nothing.
  return ShowInstallConfirm(GetHWND(), Utf8FromWide(install_info)) == InstallConfirmResult::kInstall;
}

LRESULT MainWnd::StartInstaller(CheckedInstaller* installer) {
  // Only the download this window started hands an installer over, and only while it runs.
  if (install_state_ != InstallState::kDownloading || !installer || !installer->lock) return 0;
  SetInstallState(InstallState::kWaiting);
  auto task = std::make_unique<InstallerTask>();
  task->window = GetHWND();
  task->installer = std::move(*installer);
  if (StartTask(RunInstaller, std::move(task))) return kInstallerTaken;
  SetInstallState(InstallState::kFailed);
  return 0;  // The download worker removes the file again.
}

void MainWnd::ShowDownloadProgress(WPARAM percent) {
  // Reports still queued when the download ended (completed or failed) must not undo its end.
  if (install_state_ != InstallState::kDownloading) return;
  if (progress_) progress_->SetValue(static_cast<int64_t>(percent));
  if (progress_label_) progress_label_->SetText(ProgressText(percent).c_str());
}

void MainWnd::OpenWebPage(const std::wstring& url) {
  if (settings_.url_opener && IsWebUrl(url)) settings_.url_opener->OpenInBrowser(url);
}

}  // namespace tessaro
