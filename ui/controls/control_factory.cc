#include "ui/controls/control_factory.h"

#include "ui/controls/activex.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/option.h"
#include "ui/controls/progress.h"
#include "ui/controls/skin_builder.h"
#include "ui/controls/text.h"
#include "ui/controls/web_browser.h"
#include "ui/runtime/child_layout.h"
#include "ui/runtime/container.h"
#include "ui/runtime/control.h"
#include "ui/runtime/scroll_bar.h"
#include "ui/runtime/stack_layout.h"
#include "ui/runtime/tab_layout.h"
#include "ui/runtime/tile_layout.h"

namespace veneer {

namespace {

template <typename Control>
CControlUI* Create() {
  return new Control;
}

struct Registration {
  const wchar_t* class_name;
  CControlFactory::Creator create;
};

// The framework's control classes, in the order they are registered.
const Registration kFrameworkClasses[] = {
    {L"CControlUI", &Create<CControlUI>},
    {L"CContainerUI", &Create<CContainerUI>},
    {L"CButtonUI", &Create<CButtonUI>},
    {L"CActiveXUI", &Create<CActiveXUI>},
    {L"CLabelUI", &Create<CLabelUI>},
    {L"COptionUI", &Create<COptionUI>},
    {L"CProgressUI", &Create<CProgressUI>},
    {L"CScrollBarUI", &Create<CScrollBarUI>},
    {L"CTextUI", &Create<CTextUI>},
    {L"CWebBrowserUI", &Create<CWebBrowserUI>},
    {L"CChildLayoutUI", &Create<CChildLayoutUI>},
    {L"CHorizontalLayoutUI", &Create<CHorizontalLayoutUI>},
    {L"CTabLayoutUI", &Create<CTabLayoutUI>},
    {L"CTileLayoutUI", &Create<CTileLayoutUI>},
    {L"CVerticalLayoutUI", &Create<CVerticalLayoutUI>},
};

}  // namespace

CControlFactory& CControlFactory::Instance() {
  // Made once, under the language's guard for local statics.
  static CControlFactory factory;
  return factory;
}

CControlFactory::CControlFactory() {
  for (const Registration& registration : kFrameworkClasses) {
    RegisterControlClass(registration.class_name, registration.create);
  }
  // Child layouts come from this factory, so from here on every one of them can build its skin file.
  CChildLayoutUI::SetSkinBuilder(&CSkinBuilder::BuildChildSkin);
}

bool CControlFactory::RegisterControlClass(const wchar_t* class_name, Creator create) {
  if (!class_name || !create) return false;
  CUIString key(class_name);
  key.MakeLower();
  return creators_.emplace(key, create).second;
}

CControlUI* CControlFactory::CreateByClassName(const wchar_t* class_name) const {
  if (!class_name) return nullptr;
  CUIString key(class_name);
  key.MakeLower();
  const auto found = creators_.find(key);
  return found == creators_.end() ? nullptr : found->second();
}

}  // namespace veneer
