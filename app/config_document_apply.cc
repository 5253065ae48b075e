#include "app/config_document_apply.h"

#include <memory>

#include "app/image_slots.h"
#include "app/named_control.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/runtime/container.h"

namespace tessaro {
namespace {

constexpr const wchar_t* kCardTitleLabels[] = {L"lab_card1_tile", L"lab_card2_tile", L"lab_card3_tile",
                                               L"lab_card4_tile"};
constexpr const wchar_t* kCardButtons[] = {L"btn_card1", L"btn_card2", L"btn_card3", L"btn_card4"};
constexpr wchar_t kInstallText[] = L"下载安装";

// The link buttons' look.
constexpr uint32_t kLinkColour = 0xFF2196F3;
constexpr int kLinkWidth = 100;
constexpr int kLinkHeight = 28;
constexpr RECT kLinkPadding = {12, 14, 12, 0};
constexpr int kLinkFont = 3;

void SetLabelText(veneer::CPaintManagerUI& manager, const wchar_t* name, const std::wstring& text) {
  if (auto* label = FindNamed<veneer::CLabelUI>(manager, name, L"Label")) label->SetText(text.c_str());
}

void SetButtonUserData(veneer::CPaintManagerUI& manager, const wchar_t* name, const std::wstring& data) {
  if (auto* button = FindNamed<veneer::CButtonUI>(manager, name, L"Button"))
    button->SetUserData(data.c_str());
}

std::unique_ptr<veneer::CButtonUI> MakeLinkButton(const NavigationLink& link) {
  auto button = std::make_unique<veneer::CButtonUI>();
  button->SetName(L"btn_open_url");
  button->SetUserData(link.url.c_str());
  button->SetFixedWidth(kLinkWidth);
  button->SetFixedHeight(kLinkHeight);
  button->SetPadding(kLinkPadding);
  button->SetTextColor(kLinkColour);
  button->SetBorderSize(1);
  button->SetBorderColour(kLinkColour);
  button->SetBorderRound(2, 2);
  button->SetFont(kLinkFont);
  button->SetText(link.name.c_str());
  return button;
}

void AppendLinkButtons(veneer::CPaintManagerUI& manager, const std::vector<NavigationLink>& links) {
  auto* bar = FindNamed<veneer::IContainerUI>(manager, L"hor_tile", L"IContainer");
  if (!bar) return;
  for (const NavigationLink& link : links) {
    std::unique_ptr<veneer::CButtonUI> button = MakeLinkButton(link);
    if (bar->Add(button.get())) button.release();  // The bar owns it now.
  }
}

void ApplyCards(veneer::CPaintManagerUI& manager, const GlobalConfig& config, IConfigDocumentWindow& window) {
  for (size_t index = 0; index < config.cards.size(); ++index) {
    const CardConfig& card = config.cards[index];
    SetLabelText(manager, kCardTitleLabels[index], card.title);
    if (index == 0) SetLabelText(manager, L"lab_card1_text", card.description);
    SetButtonUserData(manager, kCardButtons[index], card.url);
    window.FetchImage(card.image, kSlotCards[index], std::wstring());
  }
}

}  // namespace

void ApplyGlobalConfig(const std::string& body, veneer::CPaintManagerUI& manager,
                       IConfigDocumentWindow& window) {
  GlobalConfig config;
  if (!ReadGlobalConfig(body, &config)) {
    window.ShowErrorPage(true);
    return;
  }
  window.ShowErrorPage(false);
  window.FetchImage(config.whole_background_image, kSlotWholeBackground, std::wstring());
  window.FetchImage(config.background_image, kSlotBackground, std::wstring());
  ApplyCards(manager, config, window);
  AppendLinkButtons(manager, config.navigation);
  window.KeepCloseDialogSettings(config.close_dialog);
  window.FetchImage(config.close_dialog.image, kSlotCloseImage, std::wstring());
}

void ApplyGoodsConfig(const std::string& body, veneer::CPaintManagerUI& manager,
                      IConfigDocumentWindow& window) {
  GoodsConfig config;
  if (!ReadGoodsConfig(body, &config)) return;
  SetLabelText(manager, L"lab_tile", config.display_name);
  SetLabelText(manager, L"lab_soft_name", config.name);
  if (HWND main_window = manager.GetWindowHandle()) SetWindowTextW(main_window, config.name.c_str());
  window.FetchImage(config.logo, kSlotLogo, config.name);
  window.FetchImage(config.icon, kSlotIcon, config.display_name);
  auto* install = FindNamed<veneer::CButtonUI>(manager, L"btn_install", L"Button");
  if (!install || config.install_info.empty()) return;
  install->SetUserData(config.install_info.c_str());
  install->SetText(kInstallText);
  install->SetEnabled(true);
}

}  // namespace tessaro
