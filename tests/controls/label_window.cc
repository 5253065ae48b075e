#include "tests/controls/label_window.h"

#include <algorithm>

#include "ui/core/win_handles.h"
#include "ui/render/font_style.h"

namespace veneer::test {

LabelWindow::LabelWindow(int width, int height, CContainerUI* root,
                         std::initializer_list<CControlUI*> controls)
    : window_(width, height), surface_(width, height) {
  manager().RegisterFont(kFont, L"Tahoma", 20, FontStyle::kRegular, false);
  manager().RegisterFont(kBigFont, L"Tahoma", 30, FontStyle::kRegular, false);
  manager().SetDefaultFontColour(0xFF000000, false);
  manager().SetDefaultDisabledColour(0xFFFF0000, false);
  root->SetBackColour(0xFFFFFFFF);
  for (CControlUI* control : controls) root->Add(control);
  manager().SetRoot(root);
  window_.Show();
}

int LabelWindow::TextWidth(int font_id, const wchar_t* text) {
  const ScopedSelection font(manager().GetPaintContext(), manager().GetFontHandle(font_id));
  SIZE size = {};
  GetTextExtentPoint32W(manager().GetPaintContext(), text, static_cast<int>(wcslen(text)), &size);
  return size.cx;
}

const DibSurface& LabelWindow::Print() {
  surface_.Fill(0xFF00FF00);
  window_.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface_.dc()), PRF_CLIENT);
  return surface_;
}

CUIRect LabelWindow::Ink(const RECT& area) const {
  CUIRect ink(area.right, area.bottom, area.left, area.top);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (Rgb(surface_.Pixel(x, y)) == 0xFFFFFF) continue;
      ink = CUIRect(std::min<int>(ink.left, x), std::min<int>(ink.top, y), std::max<int>(ink.right, x + 1),
                    std::max<int>(ink.bottom, y + 1));
    }
  }
  return ink.IsEmpty() ? CUIRect() : ink;
}

}  // namespace veneer::test
