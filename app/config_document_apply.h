#ifndef APP_CONFIG_DOCUMENT_APPLY_H_
#define APP_CONFIG_DOCUMENT_APPLY_H_

#include <string>

#include "app/config_documents.h"
#include "ui/runtime/paint_manager.h"

namespace tessaro {

// What applying the configuration documents asks of the main window beyond its controls: the page
// switch, the close dialog's settings and the picture downloads. The main window implements it (tests
// implement it with a recorder); the window owns the object. UI thread only.
class IConfigDocumentWindow {
 public:
  // Shows the error page (true) or the main page (false).
  virtual void ShowErrorPage(bool show) = 0;
  // Keeps the settings for the close dialog.
  virtual void KeepCloseDialogSettings(const CloseDialogSettings& settings) = 0;
  // Fetches the picture at `url` for `slot` (an image slot key, image_slots.h); see ImageFetcher.
  virtual void FetchImage(const std::wstring& url, const wchar_t* slot, const std::wstring& extra) = 0;

 protected:
  virtual ~IConfigDocumentWindow() = default;
};

// The controls the documents fill are found by name in the main window's paint manager ("lab_...",
// "btn_...", "hor_tile"); one that the skin lacks, or of another kind than expected, is skipped.

// UM_GLOBAL_CONFIG: a refused global document (config_documents.h) shows the error page and changes
// nothing else. Otherwise the main page is shown, the background pictures are fetched, the four cards
// get their titles (card 1 its description too), their buttons' "userdata" (the card's URL) and their
// pictures, one "btn_open_url" link button per navigation link is appended to "hor_tile", and the
// close dialog's settings are kept and its picture fetched.
void ApplyGlobalConfig(const std::string& body, veneer::CPaintManagerUI& manager,
                       IConfigDocumentWindow& window);

// UM_GOODS_CONFIG: a refused goods document changes nothing ("btn_install" stays disabled). Otherwise
// "lab_tile" shows the display name, "lab_soft_name" and the window title the product name, the logo
// and the shortcut icon (named by the display name) are fetched, and when the document has install
// information with a web download URL, "btn_install" carries it as "userdata", is enabled and reads
// "下载安装".
void ApplyGoodsConfig(const std::string& body, veneer::CPaintManagerUI& manager,
                      IConfigDocumentWindow& window);

}  // namespace tessaro

#endif  // APP_CONFIG_DOCUMENT_APPLY_H_
