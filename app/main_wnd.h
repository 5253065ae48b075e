#ifndef APP_MAIN_WND_H_
#define APP_MAIN_WND_H_

#include <windows.h>

#include <string>

#include "app/config_document_apply.h"
#include "app/image_fetcher.h"
#include "app/tray_icon.h"
#include "ui/controls/window_impl_base.h"

namespace veneer {
class CLabelUI;
class CProgressUI;
class CWebBrowserUI;
}  // namespace veneer

namespace tessaro {

struct CheckedInstaller;

class IUrlOpener;

// What the main window starts with: who it asks for its documents and how it opens web pages.
struct MainWndSettings {
  std::wstring config_host;          // Becomes ConfigHost before the fetch threads start.
  std::wstring goods_name;           // Becomes GoodsName before the fetch threads start.
  IUrlOpener* url_opener = nullptr;  // Not owned; outlives the window. Null opens nothing.
};

// Which of the install area's alternatives under "card_main" is visible.
enum class InstallState {
  kReady = 0,        // "btn_install" (also after the installer ended)
  kDownloading = 1,  // "ver_progress"
  kWaiting = 2,      // "ver_wait_install": the installer runs
  kFailed = 3,       // "btn_install" again, to try once more
};

// The application's one top-level window, built from "MainWnd.xml": a title bar over three pages (the
// error page, the main page, the web page), the tray icon and its menu, and the close path. When its
// skin is built it fixes the configuration host and catalogue name, marks itself as the running
// instance (window property "tessaro_"), adds the tray icon and starts the two configuration fetch
// threads; the documents they hand over are applied to its controls (config_document_apply.h) and
// their pictures fetched (ImageFetcher). Clicks open only web URLs, through its IUrlOpener.
//
// Closing (WM_CLOSE, "btn_close", the tray menu's "退出") first asks with the close dialog when the
// global document enabled it (stay, hide to the tray, or quit); quitting removes the tray icon and
// ends the message loop without destroying the window; a window destroyed in any other way does the
// same. The install button asks with the install confirmation dialog when the install information
// says so, then starts the installer's download and the installer on worker threads
// (installer_download.h, installer_launch.h) and shows their progress. A card opens its page (a web
// URL only) in the web page's browser control "web".
//
// Lives on the heap and is owned by its native window: it deletes itself when the window is gone
// (Create deletes it when no window comes about). UI thread only.
class MainWnd : public veneer::WindowImplBase, public IConfigDocumentWindow {
 public:
  // Creates the window (title "quill安装助手", not yet shown) with its skin; null when that fails.
  static MainWnd* Create(const MainWndSettings& settings);

  // The error page (true) or the main page (false); the web page is left as it is.
  void ShowErrorPage(bool show) override;
  void KeepCloseDialogSettings(const CloseDialogSettings& settings) override;
  void FetchImage(const std::wstring& url, const wchar_t* slot, const std::wstring& extra) override;

  void SetInstallState(InstallState state);
  InstallState install_state() const { return install_state_; }
  // Shows (when hidden), restores (when minimised) and activates the window.
  void BringToFront();

  // Clicks act by the sender's name; every other notification is ignored.
  void ReceiveNotification(veneer::NotifyRecord& record) override;

 protected:
  const wchar_t* WindowClassName() const override { return L"MainWnd"; }
  const wchar_t* SkinFile() const override { return L"MainWnd.xml"; }
  LRESULT ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnSkinLoaded() override;
  // Removes the tray icon, ends the message loop and deletes the object.
  void OnWindowDestroyed(HWND window) override;

 private:
  // How the user wants to close when the close dialog is enabled.
  enum class CloseChoice { kQuit, kHideToTray, kStay };

  explicit MainWnd(const MainWndSettings& settings);
  ~MainWnd() override = default;

  // The application's own messages and the tray's; everything goes on to the window base afterwards.
  void HandleApplicationMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleCloseRequest();
  CloseChoice AskHowToClose();
  // Hides the window, keeps it, or quits, as the user chose.
  void CloseAs(CloseChoice choice);
  // Removes the tray icon and ends the message loop.
  void Quit();
  void OnTrayNotify(LPARAM mouse_message);
  void OnClick(const std::wstring& name, veneer::CControlUI* sender);
  void ShowWebPage(bool show);
  // Opens `url` in the "web" browser control when it is a web URL; anything else is dropped.
  void NavigateWebPage(const std::wstring& url);
  // The install button's click: a download of the installer the install information names, unless
  // one is running already or the installer runs.
  void StartInstall(const std::wstring& install_info);
  // Whether the user confirms the install (when the install information asks for the dialog).
  bool ConfirmInstall(const std::wstring& install_info);
  // UM_DOWNLOAD_DONE: takes the checked installer over (its lock too) and starts it; kInstallerTaken
  // when it did.
  LRESULT StartInstaller(CheckedInstaller* installer);
  // Ignored unless a download runs.
  void ShowDownloadProgress(WPARAM percent);
  // Hands `url` to the opener when it is a web URL; anything else is dropped.
  void OpenWebPage(const std::wstring& url);
  void StartConfigurationFetches();

  MainWndSettings settings_;
  veneer::CProgressUI* progress_ = nullptr;     // "progres", may be missing.
  veneer::CLabelUI* progress_label_ = nullptr;  // "lab_progres", may be missing.
  veneer::CWebBrowserUI* web_ = nullptr;        // "web", may be missing.
  TrayIcon tray_;
  CloseDialogSettings close_dialog_;
  InstallState install_state_ = InstallState::kReady;
  bool in_close_path_ = false;  // The close path is running (its dialog may be open).
  ImageFetcher images_;
  const UINT taskbar_created_;  // Registered "TaskbarCreated": the shell restarted.
};

}  // namespace tessaro

#endif  // APP_MAIN_WND_H_
