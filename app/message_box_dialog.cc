#include "app/message_box_dialog.h"

#include <json/json.h>

#include <cstring>
#include <exception>
#include <memory>

#include "app/config_documents.h"
#include "app/modal_dialog.h"
#include "app/named_control.h"
#include "app/utf8_text.h"
#include "ui/controls/label.h"

namespace tessaro {
namespace {

// The member's text: strings as they are, numbers and booleans as their text, anything else "".
std::wstring LineOf(const Json::Value& info, const char* name) {
  const Json::Value* member = info.find(name, name + strlen(name));
  if (!member || !member->isConvertibleTo(Json::stringValue)) return std::wstring();
  return WideFromUtf8(member->asString());
}

}  // namespace

InstallConfirmLines ReadInstallConfirmLines(const std::string& json_text) {
  Json::CharReaderBuilder builder;
  builder["stackLimit"] = kMaxDocumentDepth;
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value info;
  // jsoncpp throws on some faults (nesting beyond the limit, conversions): every one means no lines.
  try {
    if (!reader->parse(json_text.data(), json_text.data() + json_text.size(), &info, nullptr) ||
        !info.isObject()) {
      return InstallConfirmLines();
    }
    return InstallConfirmLines{LineOf(info, "dialogTitle"), LineOf(info, "dialogDesc1"),
                               LineOf(info, "dialogDesc2")};
  } catch (const std::exception&) {
    return InstallConfirmLines();
  }
}

void DMessageBox::OnSkinLoaded() {
  const InstallConfirmLines lines = ReadInstallConfirmLines(json_text_);
  SetLabel(L"lab_des1", lines.title);
  SetLabel(L"lab_des2", lines.first);
  SetLabel(L"lab_des3", lines.second);
}

void DMessageBox::SetLabel(const wchar_t* name, const std::wstring& text) {
  if (auto* label = FindNamed<veneer::CLabelUI>(GetPaintManager(), name, L"Label"))
    label->SetText(text.c_str());
}

void DMessageBox::ReceiveNotification(veneer::NotifyRecord& record) {
  if (record.type != L"click") return;
  const veneer::CUIString name = veneer::SenderName(record);
  if (name == L"btn_close") {
    PostClose(static_cast<WPARAM>(InstallConfirmResult::kDismissed));
  } else if (name == L"btn_use") {
    PostClose(static_cast<WPARAM>(InstallConfirmResult::kInstall));
  }
}

InstallConfirmResult ShowInstallConfirm(HWND owner, const std::string& json_text) {
  if (json_text.empty()) return InstallConfirmResult::kNotShown;
  DMessageBox dialog(json_text);
  return DialogResultOf(RunModalDialog(dialog, owner, L"msgbox"),
                        {InstallConfirmResult::kDismissed, InstallConfirmResult::kInstall});
}

}  // namespace tessaro
