// Prints what the paint manager's painting costs on a 960 x 720 window of about 200 controls built like
// the installer's main window (a title bar, a navigation column, rows of cards with pictures, labels and
// buttons, an install area, in vertical and horizontal layouts): a full repaint through WM_PAINT, the repaint
// of one small button, and one layout pass of the tree, next to one full-window BitBlt measured in the same
// run. Figures only.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/runtime/managed_window.h"
#include "tests/support/benchmark_timer.h"
#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/control.h"
#include "ui/runtime/stack_layout.h"

namespace veneer::test {
namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 720;

// A control that draws its text, as labels and buttons do.
class TextControl : public CControlUI {
 public:
  void DrawTextContent(HDC dc) override {
    RECT area = GetBounds();
    Renderer::DrawPlainText(dc, GetPaintManager(), area, GetText(), 0xFF333333, -1,
                            DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
};

// Picture files written for the run and removed afterwards.
struct Pictures {
  Pictures()
      : button(Write(L"bench_button.png", 8, 0xFF3A7BD5, 0xFF2A5BA5)),
        photo(Write(L"bench_photo.png", 64, 0xFF88AA66, 0xFF446622)),
        icon(Write(L"bench_icon.png", 24, 0xFFFFFFFF, 0x00000000)) {}
  ~Pictures() {
    for (const std::wstring* path : {&button, &photo, &icon}) DeleteFileW(path->c_str());
  }
  // A square with a one-pixel frame of `edge` around `fill` (straight ARGB). Pictures are opaque, as the
  // downloaded ones are; the icon has alpha.
  static std::wstring Write(const wchar_t* name, int size, uint32_t fill, uint32_t edge) {
    std::vector<uint32_t> pixels(size * size, fill);
    for (int i = 0; i < size; ++i) {
      pixels[i] = pixels[(size - 1) * size + i] = pixels[i * size] = pixels[i * size + size - 1] = edge;
    }
    const std::wstring path = TempPath(name);
    WritePngFile(path, size, size, pixels);
    return path;
  }
  std::wstring Descriptor(const std::wstring& path, const wchar_t* extra = L"") const {
    return L"file='" + path + L"'" + extra;
  }
  std::wstring button;
  std::wstring photo;
  std::wstring icon;
};

CControlUI* Sized(CControlUI* control, int width, int height) {
  if (width > 0) control->SetFixedWidth(width);
  if (height > 0) control->SetFixedHeight(height);
  return control;
}

enum class Direction { kDown, kAcross };

// A vertical or horizontal layout of the children.
CContainerUI* Stack(Direction direction, int width, int height, std::vector<CControlUI*> children) {
  CContainerUI* stack = direction == Direction::kDown ? static_cast<CContainerUI*>(new CVerticalLayoutUI)
                                                      : new CHorizontalLayoutUI;
  Sized(stack, width, height);
  for (CControlUI* child : children) stack->Add(child);
  return stack;
}

CControlUI* Text(const wchar_t* text, int height, uint32_t background = 0) {
  auto* label = new TextControl;
  label->SetText(text);
  label->SetBackColour(background);
  return Sized(label, 0, height);
}

CControlUI* Button(const Pictures& pictures, const wchar_t* text, int width, int height) {
  CControlUI* button = Text(text, height);
  button->SetBackImage(pictures.Descriptor(pictures.button, L" corner='2,2,2,2'").c_str());
  return Sized(button, width, height);
}

CControlUI* Card(const Pictures& pictures, int index) {
  auto* photo = new CControlUI;
  photo->SetBackImage(pictures.Descriptor(pictures.photo).c_str());
  photo->SetForeImage(pictures.Descriptor(pictures.icon, L" dest='4,4,28,28'").c_str());
  Sized(photo, 0, 30);
  const std::wstring title = L"商品卡片 " + std::to_wstring(index);
  CContainerUI* card = Stack(Direction::kDown, 150, 0,
                             {photo, Text(title.c_str(), 16), Text(L"说明文字 description", 16),
                              Text(L"免费", 16), Button(pictures, L"安装", 0, 22)});
  card->SetBackColour(0xFFFFFFFF);
  card->SetBorderColour(0xFFD0D4DA);
  card->SetBorderSize(1);
  if (index % 3 == 0) card->SetBorderRound(8, 8);
  return card;
}

// About 200 controls: the figures of the run say how many exactly.
CContainerUI* BuildWindowTree(const Pictures& pictures) {
  auto* logo = new CControlUI;
  logo->SetBackImage(pictures.Descriptor(pictures.icon).c_str());
  Sized(logo, 40, 0);
  CContainerUI* title =
      Stack(Direction::kAcross, 0, 40,
            {logo, Sized(Text(L"Tessaro 安装助手", 0), 800, 0), Button(pictures, L"_", 40, 0),
             Button(pictures, L"□", 40, 0), Button(pictures, L"×", 40, 0)});
  title->SetBackImage(pictures.Descriptor(pictures.button, L" corner='2,2,2,2'").c_str());
  title->SetForeColour(0x30000000);

  std::vector<CControlUI*> navigation;
  for (int i = 0; i < 15; ++i) navigation.push_back(Button(pictures, L"分类", 0, 40));
  CContainerUI* sidebar = Stack(Direction::kDown, 180, 0, navigation);
  sidebar->SetBackColour(0xFF2B2F36);

  std::vector<CControlUI*> rows;
  for (int row = 0; row < 6; ++row) {
    std::vector<CControlUI*> cards;
    for (int column = 0; column < 5; ++column) cards.push_back(Card(pictures, row * 5 + column));
    rows.push_back(Stack(Direction::kAcross, 0, 100, cards));
  }
  CContainerUI* content = Stack(Direction::kDown, 0, 0, rows);
  content->SetBackColour(0xFFF0F2F5);
  CContainerUI* body = Stack(Direction::kAcross, 0, 620, {sidebar, content});

  auto* progress = new CControlUI;
  progress->SetBackColour(0xFF3A7BD5);
  progress->SetBackColour2(0xFF6FA8F5);
  progress->SetGradient(L"hor");
  Sized(progress, 500, 0);
  CContainerUI* install =
      Stack(Direction::kAcross, 0, 60,
            {Sized(Text(L"等待安装…", 0), 300, 0), progress, Button(pictures, L"立即安装", 160, 0)});
  install->SetBackColour(0xFFFFFFFF);
  install->SetTopBorder(1);
  install->SetBorderColour(0xFFD0D4DA);

  CContainerUI* root = Stack(Direction::kDown, 0, 0, {title, body, install});
  root->SetBackColour(0xFFF7F8FA);
  return root;
}

int CountControls(CControlUI* root) {
  int count = 0;
  root->FindMatching(
      [](CControlUI*, void* context) -> CControlUI* {
        ++*static_cast<int*>(context);
        return nullptr;
      },
      &count, 0);
  return count;
}

// The drawing a full repaint is made of, each kind at the sizes and counts of the tree, drawn into a
// DIB section like the off-screen bitmap: what dominates the repaint.
void ReportDrawingKinds(const Pictures& pictures, IRenderResources* resources) {
  DibSurface surface(kWidth, kHeight);
  HDC dc = surface.dc();
  const CUIRect whole(0, 0, kWidth, kHeight);
  const CUIRect card(0, 0, 150, 100);
  const std::wstring button = pictures.Descriptor(pictures.button, L" corner='2,2,2,2'");
  const std::wstring photo = pictures.Descriptor(pictures.photo);
  const std::wstring icon = pictures.Descriptor(pictures.icon, L" dest='4,4,28,28'");
  struct Kind {
    const char* what;
    int count;
    std::function<void()> draw;
  };
  const Kind kinds[] = {
      {"opaque fill 960x720", 1, [&] { Renderer::DrawColor(dc, whole, 0xFFF7F8FA); }},
      {"opaque fill 150x100 (card)", 30, [&] { Renderer::DrawColor(dc, card, 0xFFFFFFFF); }},
      {"translucent fill 960x40", 1, [&] { Renderer::DrawColor(dc, CUIRect(0, 0, 960, 40), 0x30000000); }},
      {"nine-grid 8x8 to 150x22", 30,
       [&] { Renderer::DrawImageDescriptor(dc, resources, CUIRect(0, 0, 150, 22), whole, button.c_str()); }},
      {"nine-grid 8x8 to 180x40", 15,
       [&] { Renderer::DrawImageDescriptor(dc, resources, CUIRect(0, 0, 180, 40), whole, button.c_str()); }},
      {"nine-grid 8x8 to 960x40", 1,
       [&] { Renderer::DrawImageDescriptor(dc, resources, CUIRect(0, 0, 960, 40), whole, button.c_str()); }},
      {"64x64 picture to 150x30", 30,
       [&] { Renderer::DrawImageDescriptor(dc, resources, CUIRect(0, 0, 150, 30), whole, photo.c_str()); }},
      {"24x24 alpha icon at its size", 30,
       [&] { Renderer::DrawImageDescriptor(dc, resources, CUIRect(0, 0, 150, 30), whole, icon.c_str()); }},
      {"border 150x100, width 1", 20, [&] { Renderer::DrawRect(dc, card, 1, 0xFFD0D4DA); }},
      {"round border 150x100", 10, [&] { Renderer::DrawRoundRect(dc, card, 1, 8, 8, 0xFFD0D4DA); }},
      {"round clip 150x100", 10,
       [&] {
         ClipRegion clip;
         Renderer::ClipToRoundRect(dc, card, 8, 8, &clip);
       }},
      {"text 150x16", 140,
       [&] {
         RECT area = {0, 0, 150, 16};
         Renderer::DrawPlainText(dc, resources, area, L"说明文字 description", 0xFF333333, -1,
                                 DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
       }},
  };
  std::printf("what a full repaint is made of (per call, times the count in the tree):\n");
  double total = 0;
  for (const Kind& kind : kinds) {
    const double each = MicrosecondsPerCall(100, kind.draw);
    total += each * kind.count;
    std::printf("  %-40s %8.1f us x %3d = %8.1f us\n", kind.what, each, kind.count, each * kind.count);
  }
  std::printf("  %-40s %29.1f us\n", "sum", total);
}

void Run() {
  const Pictures pictures;
  ManagedWindow window(kWidth, kHeight);
  window.manager().MakeDefaultFont(0, L"Microsoft YaHei", 12, FontStyle::kRegular,
                                   false);  // As the skins do.
  CContainerUI* root = BuildWindowTree(pictures);
  window.manager().SetRoot(root);
  window.Show();
  HWND hwnd = window.hwnd();
  std::printf("%d controls in a %d x %d window\n", CountControls(root), kWidth, kHeight);

  const double full_repaint = MicrosecondsPerCall(200, [&] {
    window.manager().InvalidateAll();
    UpdateWindow(hwnd);
  });
  PrintMicrosecondsPerCall("full repaint through WM_PAINT", full_repaint);

  CControlUI* button = window.manager().FindControlAt(POINT{kWidth - 80, kHeight - 30});
  const CUIRect small = button->GetBounds();
  std::printf("small control: %d x %d\n", small.GetWidth(), small.GetHeight());
  ReportMicrosecondsPerCall("one small control repainted through WM_PAINT", 2000, [&] {
    button->RequestRepaint();
    UpdateWindow(hwnd);
  });

  const CUIRect client(0, 0, kWidth, kHeight);
  DibSurface offscreen(kWidth, kHeight);
  ReportMicrosecondsPerCall("the small control painted into a bitmap (no WM_PAINT)", 2000,
                            [&] { root->PaintInto(offscreen.dc(), small, nullptr); });
  {
    const TestWindow bare =
        TestWindow::Hidden(kWidth, kHeight, [](HWND painted, UINT message, WPARAM, LPARAM, LRESULT*, void*) {
          if (message != WM_PAINT) return false;
          PAINTSTRUCT paint;
          BeginPaint(painted, &paint);
          EndPaint(painted, &paint);
          return true;
        });
    ShowWindow(bare.hwnd(), SW_SHOWNOACTIVATE);
    ReportMicrosecondsPerCall("an empty WM_PAINT of the small area", 2000, [&] {
      InvalidateRect(bare.hwnd(), &small, FALSE);
      UpdateWindow(bare.hwnd());
    });
  }
  ReportMicrosecondsPerCall("the tree painted into a bitmap (no WM_PAINT)", 200,
                            [&] { root->PaintInto(offscreen.dc(), client, nullptr); });
  ReportMicrosecondsPerCall("one layout pass of the tree", 2000, [&] { root->Place(client, false); });

  DibSurface frame(kWidth, kHeight);
  const ScopedWindowDC window_dc(hwnd);
  const double blit = MicrosecondsPerCall(
      200, [&] { BitBlt(window_dc.get(), 0, 0, kWidth, kHeight, frame.dc(), 0, 0, SRCCOPY); });
  PrintMicrosecondsPerCall("one full-window BitBlt", blit);
  std::printf("full repaint / full-window BitBlt: %.1f\n", full_repaint / blit);
  ReportDrawingKinds(pictures, &window.manager());
}

}  // namespace
}  // namespace veneer::test

int main() {
  veneer::test::Run();
  return 0;
}
