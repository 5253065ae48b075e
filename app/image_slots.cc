#include "app/image_slots.h"

#include "app/desktop_shortcut.h"
#include "ui/runtime/control.h"

namespace tessaro {
namespace {

// The control whose background the slot's picture becomes; null for slots that are not a background.
const wchar_t* BackgroundControlOf(const std::wstring& slot) {
  static const struct {
    const wchar_t* slot;
    const wchar_t* control;
  } kBackgrounds[] = {{kSlotWholeBackground, L"ver_background"},
                      {kSlotBackground, L"card_main"},
                      {kSlotCards[0], L"con_card1"},
                      {kSlotCards[1], L"con_card2"},
                      {kSlotCards[2], L"con_card3"},
                      {kSlotCards[3], L"con_card4"},
                      {kSlotLogo, L"con_logo"}};
  for (const auto& background : kBackgrounds) {
    if (slot == background.slot) return background.control;
  }
  return nullptr;
}

}  // namespace

void ApplyImage(const TaskInfo& task, veneer::CPaintManagerUI& manager) {
  if (task.slot == kSlotIcon) {
    CreateDesktopShortcut(task.extra, task.path);
    return;
  }
  const wchar_t* name = BackgroundControlOf(task.slot);
  veneer::CControlUI* control = name ? manager.FindControlByName(name) : nullptr;
  if (control) control->SetBackImage(task.path.c_str());
}

}  // namespace tessaro
