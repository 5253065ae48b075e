#include "ui/controls/shadow.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <vector>

#include "tests/runtime/managed_window.h"
#include "tests/support/message_pump.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/controls/shadow_picture.h"
#include "ui/render/image_record.h"

namespace veneer {
namespace {

using test::ManagedWindow;

constexpr int kImageSide = 60;
constexpr RECT kCorner = {18, 19, 20, 20};

// The shadow image's alpha by nine-grid cell: each corner pixel its own value; the edges constant along
// their length (so that stretching them keeps them exact); the middle opaque (visible if drawn).
int ImageAlpha(int x, int y) {
  const bool left = x < kCorner.left, right = x >= kImageSide - kCorner.right;
  const bool top = y < kCorner.top, bottom = y >= kImageSide - kCorner.bottom;
  if ((left || right) && (top || bottom)) return 1 + x + y;
  if (top) return 130 + y;
  if (bottom) return 150 + y - (kImageSide - kCorner.bottom);
  if (left) return 170 + x;
  if (right) return 190 + x - (kImageSide - kCorner.right);
  return 255;
}

std::wstring WriteShadowImage() {
  std::vector<uint32_t> argb;
  for (int y = 0; y < kImageSide; ++y) {
    for (int x = 0; x < kImageSide; ++x) argb.push_back(static_cast<uint32_t>(ImageAlpha(x, y)) << 24);
  }
  const std::wstring path = test::UniqueTempPath(L"shd");
  EXPECT_TRUE(test::WritePngFile(path, kImageSide, kImageSide, argb));
  return path;
}

struct ShadowSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectShadowWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ShadowSearch*>(context);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wcscmp(name, CShadowUI::kClassName) == 0 && GetWindow(window, GW_OWNER) == search->owner)
    search->found.push_back(window);
  return TRUE;
}

// The windows of the shadow class that `owner` owns.
std::vector<HWND> ShadowWindowsOf(HWND owner) {
  ShadowSearch search{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectShadowWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

CUIRect FrameOf(HWND window) {
  CUIRect frame;
  GetWindowRect(window, &frame);
  return frame;
}

// The product's main window: 960 x 720 at the screen's top-left corner, with the image shadow of size
// 18 that the skins use.
class ShadowedWindow : public ::testing::Test {
 protected:
  void Build(bool show_shadow) {
    CShadowUI::InstallInto(&window_.manager());
    CShadowSettings* settings = window_.manager().GetShadow();
    settings->SetShadowImage(image_path_.c_str());
    settings->SetShadowCorner(kCorner);
    settings->SetShadowSize(18);
    settings->ShowShadow(show_shadow);
    window_.SetStackRoot({});
    window_.Show();
  }
  ~ShadowedWindow() override { DeleteFileW(image_path_.c_str()); }

  HWND Shadow() {
    const std::vector<HWND> shadows = ShadowWindowsOf(window_.hwnd());
    return shadows.size() == 1 ? shadows[0] : nullptr;
  }

  std::wstring image_path_ = WriteShadowImage();
  ManagedWindow window_{960, 720};
};

TEST_F(ShadowedWindow, ShowShadowFalseCreatesNoShadowWindow) {
  const LONG_PTR procedure = GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC);
  Build(false);
  EXPECT_TRUE(ShadowWindowsOf(window_.hwnd()).empty());
  EXPECT_EQ(GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC), procedure);
}

TEST_F(ShadowedWindow, FramesTheWindowClickThroughAndFollowsMinimiseAndRestore) {
  Build(true);
  const HWND shadow = Shadow();
  ASSERT_NE(shadow, nullptr);
  const CUIRect window = FrameOf(window_.hwnd());
  const CUIRect frame = FrameOf(shadow);
  EXPECT_EQ(frame.left - window.left, -18);
  EXPECT_EQ(frame.top - window.top, -18);
  EXPECT_EQ(frame.GetWidth(), 996);
  EXPECT_EQ(frame.GetHeight(), 756);
  const LONG_PTR ex_style = GetWindowLongPtrW(shadow, GWL_EXSTYLE);
  EXPECT_EQ(ex_style & (WS_EX_TRANSPARENT | WS_EX_LAYERED), WS_EX_TRANSPARENT | WS_EX_LAYERED);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_EQ(WindowFromPoint(POINT{window.left + 480, window.top + 360}), window_.hwnd());

  ShowWindow(window_.hwnd(), SW_SHOWMINNOACTIVE);
  EXPECT_FALSE(IsWindowVisible(shadow));
  ShowWindow(window_.hwnd(), SW_SHOWNOACTIVATE);
  test::PumpMessagesFor(50);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_EQ(FrameOf(shadow).left, frame.left);
  EXPECT_EQ(FrameOf(shadow).GetWidth(), 996);
}

TEST_F(ShadowedWindow, AlphaFollowsTheImagesNineGridWithAClearMiddle) {
  Build(true);
  ShadowPicture picture;
  ASSERT_TRUE(
      ComposeShadowPicture(window_.hwnd(), *window_.manager().GetShadow(), &window_.manager(), &picture));
  const CUIRect frame = FrameOf(Shadow());
  EXPECT_EQ(picture.placement.left, frame.left);
  EXPECT_EQ(picture.placement.top, frame.top);
  const int width = picture.placement.GetWidth();
  const int height = picture.placement.GetHeight();
  ASSERT_EQ(width, frame.GetWidth());
  ASSERT_EQ(height, frame.GetHeight());
  // Corners and the edges' cross direction map 1:1; along an edge any image column (row) will do.
  const auto image_at = [](int at, int length, int head, int tail) {
    return at < head ? at : at >= length - tail ? at - length + kImageSide : head;
  };
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool middle =
          x >= kCorner.left && x < width - kCorner.right && y >= kCorner.top && y < height - kCorner.bottom;
      const int expected = middle ? 0
                                  : ImageAlpha(image_at(x, width, kCorner.left, kCorner.right),
                                               image_at(y, height, kCorner.top, kCorner.bottom));
      if (static_cast<int>(picture.pixels[y * width + x] >> 24) != expected && ++wrong < 5) {
        ADD_FAILURE() << "alpha at " << x << "," << y << " is " << (picture.pixels[y * width + x] >> 24)
                      << ", expected " << expected;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(ShadowedWindow, AnAcceptedSettingRedrawsTheVisibleShadowAtOnce) {
  Build(true);
  ASSERT_TRUE(window_.manager().GetShadow()->SetShadowSize(10));
  const CUIRect frame = FrameOf(Shadow());
  EXPECT_EQ(frame.GetWidth(), 980);
  EXPECT_EQ(frame.top - FrameOf(window_.hwnd()).top, -10);
}

TEST_F(ShadowedWindow, CreatingAgainKeepsOneWindowAndOneSubclass) {
  Build(true);  // Created when the root was set and again after the first layout.
  const LONG_PTR procedure = GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC);
  window_.manager().GetWindowShadow()->CreateShadow(&window_.manager());
  EXPECT_EQ(ShadowWindowsOf(window_.hwnd()).size(), 1u);
  EXPECT_EQ(GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC), procedure);
  // A procedure that called itself would never return.
  wchar_t title[16] = {};
  EXPECT_EQ(SendMessageW(window_.hwnd(), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(title)), 4);
}

TEST_F(ShadowedWindow, AShadowDestroyedFirstGivesTheWindowItsProcedureBack) {
  const LONG_PTR procedure = GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC);
  Build(true);
  const HWND shadow = Shadow();
  ASSERT_NE(GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC), procedure);
  window_.manager().SetWindowShadow(nullptr);
  EXPECT_FALSE(IsWindow(shadow));
  EXPECT_EQ(GetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC), procedure);
  // Installed again, the window gets a new shadow.
  CShadowUI::InstallInto(&window_.manager());
  window_.manager().GetWindowShadow()->CreateShadow(&window_.manager());
  EXPECT_NE(Shadow(), nullptr);
}

// A later subclass on top of the shadow's: the shadow cannot take its procedure out of the chain, so it
// passes the messages on until the window goes.
WNDPROC g_below_top = nullptr;
LRESULT CALLBACK TopProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcW(g_below_top, window, message, wparam, lparam);
}

TEST_F(ShadowedWindow, AShadowDestroyedUnderAnotherSubclassPassesMessagesOn) {
  Build(true);
  g_below_top = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TopProcedure)));
  window_.manager().SetWindowShadow(nullptr);
  EXPECT_TRUE(ShadowWindowsOf(window_.hwnd()).empty());
  SetWindowPos(window_.hwnd(), nullptr, 5, 5, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  wchar_t title[16] = {};
  EXPECT_EQ(SendMessageW(window_.hwnd(), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(title)), 4);
}

}  // namespace
}  // namespace veneer
