#include "app/close_dialog.h"

#include "app/image_cache.h"
#include "app/modal_dialog.h"
#include "app/named_control.h"
#include "app/url_opener.h"
#include "app/web_url.h"
#include "ui/controls/button.h"

namespace tessaro {

void CloseDialogBox::OnSkinLoaded() {
  auto* picture = FindNamed<veneer::CButtonUI>(GetPaintManager(), L"btn_img", L"Button");
  if (!picture || content_.picture_url.empty()) return;
  const std::wstring path = CacheFilePath(content_.picture_url);
  if (!path.empty() && IsCacheFilePresent(path)) picture->SetBackImage(path.c_str());
}

void CloseDialogBox::ReceiveNotification(veneer::NotifyRecord& record) {
  if (record.type != L"click") return;
  const veneer::CUIString name = veneer::SenderName(record);
  if (name == L"btn_close") {
    PostClose(static_cast<WPARAM>(CloseDialogResult::kStay));
  } else if (name == L"btn_use") {
    PostClose(static_cast<WPARAM>(CloseDialogResult::kQuit));
  } else if (name == L"btn_trak") {
    PostClose(static_cast<WPARAM>(CloseDialogResult::kHideToTray));
  } else if (name == L"btn_img") {
    OpenLink();
  }
}

void CloseDialogBox::OpenLink() {
  // The link comes from the configuration server and the program runs elevated: web pages only.
  if (content_.url_opener && IsWebUrl(content_.link_url))
    content_.url_opener->OpenInBrowser(content_.link_url);
}

CloseDialogResult ShowCloseDialog(HWND owner, const CloseDialogContent& content) {
  if (content.link_url.empty()) return CloseDialogResult::kNotShown;
  CloseDialogBox dialog(content);
  return DialogResultOf(RunModalDialog(dialog, owner, L"closebox"),
                        {CloseDialogResult::kStay, CloseDialogResult::kQuit, CloseDialogResult::kHideToTray});
}

}  // namespace tessaro
