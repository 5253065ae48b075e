// A program for the window base's tests: it creates a skinned window whose skin file does not exist. The
// window base then shows its failure message and ends the process with code 1; should the window ever be
// created, the program ends with 0 instead.

#include <windows.h>

#include "ui/controls/window_impl_base.h"

namespace {

class MissingSkinWindow : public veneer::WindowImplBase {
 protected:
  const wchar_t* WindowClassName() const override { return L"VeneerMissingSkinWindow"; }
  const wchar_t* SkinFile() const override { return L"no_such_skin.xml"; }
};

}  // namespace

int main() {
  MissingSkinWindow window;
  window.CreateNativeWindow(nullptr, L"", WS_POPUP, 0, 0, 0, 100, 100);
  return 0;
}
