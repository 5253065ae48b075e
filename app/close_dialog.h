#ifndef APP_CLOSE_DIALOG_H_
#define APP_CLOSE_DIALOG_H_

#include <windows.h>

#include <string>

#include "ui/controls/window_impl_base.h"

namespace tessaro {

class IUrlOpener;

// How the close dialog ended.
enum class CloseDialogResult {
  kNotShown = 0,    // No link URL, or the dialog was closed by other means: the program quits.
  kStay = 1,        // "btn_close": the main window stays.
  kQuit = 2,        // "btn_use": quit the program.
  kHideToTray = 3,  // "btn_trak": hide the main window, keep the tray icon.
};

// What the close dialog shows and how it opens its link.
struct CloseDialogContent {
  std::wstring picture_url;          // Shown from the picture cache when the file is there.
  std::wstring link_url;             // Opened on a click on the picture when it is a web URL.
  IUrlOpener* url_opener = nullptr;  // Not owned; outlives the dialog. Null opens nothing.
};

// The modal dialog (window class "CloseDialogBox", skin "CloseDialogBox.xml") shown when the user
// closes the main window: the server's picture ("btn_img"), which links to a web page, over the quit
// and hide-to-tray buttons. The picture is taken from the cache only; nothing is downloaded here. The
// link is opened only when it is a web URL, and the dialog stays open. Lives on the caller's stack for
// one modal run (ShowCloseDialog). UI thread.
class CloseDialogBox : public veneer::WindowImplBase {
 public:
  explicit CloseDialogBox(const CloseDialogContent& content) : content_(content) {}
  ~CloseDialogBox() override { DestroyNativeWindow(); }

  void ReceiveNotification(veneer::NotifyRecord& record) override;

 protected:
  const wchar_t* WindowClassName() const override { return L"CloseDialogBox"; }
  const wchar_t* SkinFile() const override { return L"CloseDialogBox.xml"; }
  void OnSkinLoaded() override;

 private:
  void OpenLink();

  const CloseDialogContent content_;
};

// Asks over `owner` (disabled meanwhile) how to close. An empty link URL shows nothing and gives
// kNotShown.
CloseDialogResult ShowCloseDialog(HWND owner, const CloseDialogContent& content);

}  // namespace tessaro

#endif  // APP_CLOSE_DIALOG_H_
