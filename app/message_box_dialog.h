#ifndef APP_MESSAGE_BOX_DIALOG_H_
#define APP_MESSAGE_BOX_DIALOG_H_

#include <windows.h>

#include <string>

#include "ui/controls/window_impl_base.h"

namespace tessaro {

// How the install confirmation ended.
enum class InstallConfirmResult {
  kNotShown = 0,   // No install information, or the dialog was closed by other means.
  kDismissed = 1,  // "btn_close": nothing is downloaded.
  kInstall = 2,    // "btn_use": go on with the download.
};

// The three lines the confirmation shows, read from the install information (UTF-8 JSON text):
// dialogTitle, dialogDesc1 and dialogDesc2. A member that is absent or of a kind that is not text (an
// object, an array) gives an empty line; numbers and booleans show as their text; text that is no JSON
// object gives three empty lines. Pure; any thread.
struct InstallConfirmLines {
  std::wstring title;
  std::wstring first;
  std::wstring second;
};
InstallConfirmLines ReadInstallConfirmLines(const std::string& json_text);

// The modal "即将安装软件" dialog (window class "DMessageBox", skin "MessageBox.xml") that asks the user
// to confirm an install before the download starts. It shows the install information's lines in
// "lab_des1", "lab_des2" and "lab_des3" and closes with the result of the button pressed. It starts
// nothing itself. Lives on the caller's stack for one modal run (ShowInstallConfirm). UI thread.
class DMessageBox : public veneer::WindowImplBase {
 public:
  explicit DMessageBox(std::string json_text) : json_text_(std::move(json_text)) {}
  ~DMessageBox() override { DestroyNativeWindow(); }

  void ReceiveNotification(veneer::NotifyRecord& record) override;

 protected:
  const wchar_t* WindowClassName() const override { return L"DMessageBox"; }
  const wchar_t* SkinFile() const override { return L"MessageBox.xml"; }
  void OnSkinLoaded() override;

 private:
  void SetLabel(const wchar_t* name, const std::wstring& text);

  const std::string json_text_;
};

// Asks over `owner` (disabled meanwhile) whether to install; `json_text` is the install information.
// Empty text shows nothing and gives kNotShown.
InstallConfirmResult ShowInstallConfirm(HWND owner, const std::string& json_text);

}  // namespace tessaro

#endif  // APP_MESSAGE_BOX_DIALOG_H_
