#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_files.h"
#include "tests/support/test_window.h"
#include "ui/markup/skin_source.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// The test program carries a 3 x 2 PNG as resource 102 of type "PNG": opaque red, half-transparent red,
// transparent; opaque green, opaque blue, opaque magenta.
HINSTANCE Module() { return GetModuleHandleW(nullptr); }

std::vector<unsigned char> ResourceImageBytes() {
  std::vector<unsigned char> bytes;
  ReadSkinResource(Module(), MAKEINTRESOURCEW(102), L"PNG", &bytes);
  return bytes;
}

TEST(PaintManagerImagesTest, ResourceTypesNeedNumericNames) {
  CPaintManagerUI manager;
  EXPECT_EQ(nullptr, manager.RegisterSkinImage(L"logo.png", L"PNG", 0, false, false, Module()));
  EXPECT_EQ(nullptr, manager.RegisterSkinImage(L"", nullptr, 0, false, false, Module()));
  EXPECT_EQ(nullptr, manager.RegisterSkinImage(L"103", L"PNG", 0, false, false, Module()));

  ImageRecord* record = manager.RegisterSkinImage(L"102", L"PNG", 0xFF0000FF, false, false, Module());
  ASSERT_NE(nullptr, record);
  EXPECT_EQ(3, record->width);
  EXPECT_EQ(2, record->height);
  EXPECT_EQ(L"PNG", record->resource_type);
  EXPECT_EQ(0xFF0000FFu, record->mask);
  EXPECT_TRUE(record->has_alpha);
  EXPECT_EQ(0x80800000u, record->pixels[1]);
  EXPECT_EQ(0u, record->pixels[4]);  // The opaque blue pixel matched the mask.
  EXPECT_EQ(record, manager.FindImage(L"102"));
}

TEST(PaintManagerImagesTest, LoadsOncePerNameAndReleasesBitmaps) {
  const test::TempFile image(L"veneer_registry_image.png", ResourceImageBytes());
  const std::wstring& path = image.path();
  HBITMAP bitmap = nullptr;
  {
    CPaintManagerUI manager;
    CPaintManagerUI other;
    ImageRecord* first = manager.FindOrLoadImage(path.c_str(), L"", 0xFFFF0000, false, nullptr);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0u, first->pixels[0]);  // Opaque red masked.
    // The table is keyed by name alone: a second mask finds the first record.
    EXPECT_EQ(first, manager.FindOrLoadImage(path.c_str(), L"", 0, false, nullptr));
    EXPECT_EQ(nullptr, other.FindImage(path.c_str()));
    bitmap = first->bitmap.get();

    ImageRecord* adjustable = manager.RegisterSkinImage(L"102", L"PNG", 0, true, false, Module());
    ASSERT_NE(nullptr, adjustable);
    EXPECT_TRUE(adjustable->adjusts_hsl);
    ASSERT_NE(nullptr, adjustable->unadjusted_pixels);
    for (int index = 0; index < 6; ++index)
      EXPECT_EQ(adjustable->pixels[index], adjustable->unadjusted_pixels[index]);

    manager.RemoveImage(L"102", false);
    EXPECT_EQ(nullptr, manager.FindImage(L"102"));
    EXPECT_TRUE(GetObjectType(bitmap) != 0);
  }
  EXPECT_EQ(0u, GetObjectType(bitmap));  // Freed with the manager.
}

TEST(PaintManagerImagesTest, SharedImagesServeEveryWindow) {
  CPaintManagerUI first;
  CPaintManagerUI second;
  ImageRecord* shared = first.RegisterSkinImage(L"102", L"PNG", 0, false, true, Module());
  ASSERT_NE(nullptr, shared);
  EXPECT_EQ(shared, second.FindImage(L"102"));
  EXPECT_EQ(shared, second.FindOrLoadImage(L"102", L"PNG", 0, false, Module()));
  ImageRecord* own = second.RegisterSkinImage(L"102", L"PNG", 0, false, false, Module());
  EXPECT_EQ(own, second.FindImage(L"102"));
  first.RemoveAllImages(true);
  EXPECT_EQ(nullptr, first.FindImage(L"102"));
  EXPECT_EQ(own, second.FindImage(L"102"));
}

TEST(PaintManagerDescriptorsTest, CachesOneRecordPerTextPair) {
  CPaintManagerUI manager;
  EXPECT_EQ(nullptr, manager.GetImageDescriptor(L"", nullptr));
  const ImageDescriptor* plain = manager.GetImageDescriptor(L"file='a.png' fade='128'", nullptr);
  ASSERT_NE(nullptr, plain);
  EXPECT_EQ(128, plain->fade);
  EXPECT_EQ(plain, manager.GetImageDescriptor(L"file='a.png' fade='128'", L""));
  const ImageDescriptor* modified = manager.GetImageDescriptor(L"file='a.png' fade='128'", L"fade='0'");
  EXPECT_NE(plain, modified);
  EXPECT_EQ(0, modified->fade);

  // Pairs whose texts join to the same characters are different descriptors.
  const ImageDescriptor* short_name = manager.GetImageDescriptor(L"a", L"bc");
  const ImageDescriptor* long_name = manager.GetImageDescriptor(L"ab", L"c");
  EXPECT_NE(short_name, long_name);
  EXPECT_EQ(L"a", short_name->image_name);
  EXPECT_EQ(L"ab", long_name->image_name);

  CPaintManagerUI scaled;
  scaled.GetDisplayScale()->SetScale(200);
  const ImageDescriptor* doubled = scaled.GetImageDescriptor(L"file='a.png' dest='10,10,20,20'", nullptr);
  EXPECT_EQ(20, doubled->dest.left);
  EXPECT_EQ(40, doubled->dest.right);
  EXPECT_EQ(10, manager.GetImageDescriptor(L"file='a.png' dest='10,10,20,20'", nullptr)->dest.left);
}

// Records keep the display scale they were parsed at, so a pair parsed again after the scale changed
// shows that the cache had forgotten it.
TEST(PaintManagerDescriptorsTest, TheCacheForgetsPairsLongUnusedButNeverOnesStillInUse) {
  CPaintManagerUI manager;
  const wchar_t* in_use = L"file='kept.png' dest='10,10,20,20'";
  const wchar_t* unused = L"file='dropped.png' dest='10,10,20,20'";
  const ImageDescriptor* kept = manager.GetImageDescriptor(in_use, nullptr);
  ASSERT_NE(nullptr, kept);
  ASSERT_NE(nullptr, manager.GetImageDescriptor(unused, nullptr));
  manager.GetDisplayScale()->SetScale(200);
  // Pictures named by a server: a new pair for every one, 20,000 of them.
  for (int picture = 0; picture < 20000; ++picture) {
    const std::wstring text = L"file='picture" + std::to_wstring(picture) + L".png'";
    ASSERT_NE(nullptr, manager.GetImageDescriptor(text.c_str(), nullptr));
    if (picture % 1000 == 0) {
      ASSERT_EQ(kept, manager.GetImageDescriptor(in_use, nullptr)) << picture;
    }
  }
  EXPECT_EQ(10, kept->dest.left);  // Never freed, never parsed again.
  EXPECT_EQ(20, manager.GetImageDescriptor(unused, nullptr)->dest.left);
}

TEST(PaintManagerRegistryTest, DefaultListsKeepTheLastAndStylesTheFirst) {
  CPaintManagerUI manager;
  CPaintManagerUI other;
  manager.RegisterDefaultAttributes(L"Button", L"height=\"20\"", false);
  manager.RegisterDefaultAttributes(L"Button", L"height=\"30\"", false);
  EXPECT_STREQ(L"height=\"30\"", manager.FindDefaultAttributes(L"Button"));
  EXPECT_EQ(nullptr, manager.FindDefaultAttributes(L"button"));
  EXPECT_EQ(nullptr, other.FindDefaultAttributes(L"Button"));

  EXPECT_TRUE(manager.RegisterStyle(L"title", L"font=\"1\"", false));
  EXPECT_FALSE(manager.RegisterStyle(L"title", L"font=\"2\"", false));
  EXPECT_STREQ(L"font=\"1\"", manager.FindStyle(L"title"));

  // Shared entries stand behind every window's own.
  manager.RegisterDefaultAttributes(L"Label", L"shared", true);
  other.RegisterDefaultAttributes(L"Label", L"own", false);
  EXPECT_STREQ(L"shared", manager.FindDefaultAttributes(L"Label"));
  EXPECT_STREQ(L"own", other.FindDefaultAttributes(L"Label"));
  other.SetUseSharedTables(true);
  EXPECT_TRUE(other.RegisterStyle(L"subtitle", L"font=\"3\"", false));
  EXPECT_STREQ(L"font=\"3\"", manager.FindStyle(L"subtitle"));
  manager.RemoveAllDefaultAttributes(true);
  manager.RemoveAllStyles(true);
  EXPECT_EQ(nullptr, manager.FindStyle(L"subtitle"));
  EXPECT_STREQ(L"own", other.FindDefaultAttributes(L"Label"));

  manager.RemoveAllStyles(false);
  manager.RemoveAllDefaultAttributes(false);
  EXPECT_EQ(nullptr, manager.FindStyle(L"title"));
  EXPECT_EQ(nullptr, manager.FindDefaultAttributes(L"Button"));
}

TEST(PaintManagerRegistryTest, OptionGroupsHoldEachOptionOnce) {
  CPaintManagerUI manager;
  int first_option = 0;
  int second_option = 0;
  CControlUI* first = reinterpret_cast<CControlUI*>(&first_option);
  CControlUI* second = reinterpret_cast<CControlUI*>(&second_option);
  EXPECT_EQ(nullptr, manager.GetOptionGroup(L"tabs"));
  EXPECT_TRUE(manager.JoinOptionGroup(L"tabs", first));
  EXPECT_TRUE(manager.JoinOptionGroup(L"tabs", second));
  EXPECT_FALSE(manager.JoinOptionGroup(L"tabs", first));
  EXPECT_FALSE(manager.JoinOptionGroup(L"tabs", nullptr));
  ASSERT_NE(nullptr, manager.GetOptionGroup(L"tabs"));
  EXPECT_EQ(2, manager.GetOptionGroup(L"tabs")->GetSize());

  manager.LeaveOptionGroup(L"tabs", first);
  EXPECT_EQ(second, manager.GetOptionGroup(L"tabs")->GetAt(0));
  manager.LeaveOptionGroup(L"tabs", second);
  EXPECT_EQ(nullptr, manager.GetOptionGroup(L"tabs"));  // An emptied group is deleted.

  manager.JoinOptionGroup(L"a", first);
  manager.JoinOptionGroup(L"b", first);
  manager.RemoveAllOptionGroups();
  EXPECT_EQ(nullptr, manager.GetOptionGroup(L"a"));
  EXPECT_EQ(nullptr, manager.GetOptionGroup(L"b"));
}

TEST(PaintManagerRegistryTest, SharedColoursReachWindowsThatKeptTheOldValue) {
  CPaintManagerUI manager;
  EXPECT_EQ(0xFFA7A6AAu, manager.GetDefaultDisabledColour());
  EXPECT_EQ(0xFF000000u, manager.GetDefaultFontColour());
  EXPECT_EQ(0xFF0000FFu, manager.GetDefaultLinkColour());
  EXPECT_EQ(0xFFD3215Fu, manager.GetDefaultLinkHoverColour());
  EXPECT_EQ(0xFFBAE4FFu, manager.GetDefaultSelectedColour());

  CPaintManagerUI customised;
  customised.SetDefaultLinkColour(0xFF112233, false);
  manager.SetDefaultLinkColour(0xFF445566, true);  // Still the old shared value: follows.
  EXPECT_EQ(0xFF445566u, manager.GetDefaultLinkColour());
  customised.SetDefaultLinkColour(0xFF778899, true);  // Has its own value: keeps it.
  EXPECT_EQ(0xFF112233u, customised.GetDefaultLinkColour());
  EXPECT_EQ(0xFF445566u, manager.GetDefaultLinkColour());  // Other windows keep what they have.
  CPaintManagerUI later;
  EXPECT_EQ(0xFF778899u, later.GetDefaultLinkColour());

  later.SetDefaultLinkColour(0xFF0000FF, true);  // Restores the process default for the other tests.
  EXPECT_EQ(0xFF0000FFu, CPaintManagerUI().GetDefaultLinkColour());
}

TEST(PaintManagerRegistryTest, AttachingEmptiesTheWindowTablesAndDestroyingFreesFonts) {
  test::TestWindow window = test::TestWindow::Hidden(80, 40);
  HFONT font = nullptr;
  {
    CPaintManagerUI manager;
    manager.RegisterStyle(L"s", L"x", false);
    manager.RegisterDefaultAttributes(L"Button", L"x", false);
    font = manager.RegisterFont(5, L"Arial", 12, FontStyle::kRegular, false);
    manager.JoinOptionGroup(L"g", reinterpret_cast<CControlUI*>(&font));
    manager.AttachToWindow(window.hwnd(), L"main");
    EXPECT_EQ(L"main", manager.GetName());
    EXPECT_EQ(nullptr, manager.FindStyle(L"s"));
    EXPECT_EQ(nullptr, manager.FindDefaultAttributes(L"Button"));
    EXPECT_EQ(nullptr, manager.GetOptionGroup(L"g"));
    EXPECT_EQ(0u, GetObjectType(font));

    font = manager.RegisterFont(5, L"Arial", 12, FontStyle::kRegular, false);
    EXPECT_TRUE(manager.GetFontRecord(5)->HasMetrics());
    EXPECT_EQ(-1, manager.GetLastMousePoint().x);
    EXPECT_EQ(-1, manager.GetLastMousePoint().y);
  }
  EXPECT_EQ(0u, GetObjectType(font));
}

}  // namespace
}  // namespace veneer
