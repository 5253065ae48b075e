#ifndef TESTS_CONTROLS_LABEL_WINDOW_H_
#define TESTS_CONTROLS_LABEL_WINDOW_H_

#include <windows.h>

#include <initializer_list>

#include "tests/runtime/managed_window.h"
#include "tests/support/dib_surface.h"
#include "ui/core/geometry.h"
#include "ui/runtime/container.h"

namespace veneer::test {

// A real window for label and text tests: a white root layout holding the given controls, font kFont
// (Tahoma, 20 pixels) and kBigFont (Tahoma, 30 pixels) registered, black as the default text colour and
// red as the default disabled text colour. Shown and painted once on construction.
class LabelWindow {
 public:
  static constexpr int kFont = 1;
  static constexpr int kBigFont = 2;

  LabelWindow(int width, int height, CContainerUI* root, std::initializer_list<CControlUI*> controls);
  CPaintManagerUI& manager() { return window_.manager(); }
  HWND hwnd() const { return window_.hwnd(); }
  LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) { return window_.Send(message, wparam, lparam); }
  // Lays out and paints what is due, now.
  void Update() { UpdateWindow(window_.hwnd()); }
  int FontHeight(int font_id) { return manager().GetFontRecord(font_id)->metrics.tmHeight; }
  // The width of one line of text in a font, as the platform measures it.
  int TextWidth(int font_id, const wchar_t* text);
  // The client area as painted, read back.
  const DibSurface& Print();
  // The smallest rectangle holding every non-white pixel of the last Print inside `area`; empty for none.
  CUIRect Ink(const RECT& area) const;

 private:
  ManagedWindow window_;
  DibSurface surface_;
};

}  // namespace veneer::test

#endif  // TESTS_CONTROLS_LABEL_WINDOW_H_
