// The tile, tab and child layouts as classes: what they feed the layout arithmetic, and their own
// behaviour (tab selection, child skins).

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/runtime/container_fixtures.h"
#include "ui/runtime/child_layout.h"
#include "ui/runtime/paint_manager.h"
#include "ui/runtime/stack_layout.h"
#include "ui/runtime/tab_layout.h"
#include "ui/runtime/tile_layout.h"

namespace veneer::test {
namespace {

TEST(TileLayoutTest, ColumnsFromTheItemSizeAndRowsAsTallAsTheirTallestChild) {
  CTileLayoutUI tile;
  tile.ApplyAttribute(L"itemsize", L"100,100");
  tile.ApplyAttribute(L"childpadding", L"10");
  AddSized(&tile, 50, 20);
  AddSized(&tile, 0, 0);
  AddSized(&tile, 60, 40);
  AddSized(&tile, 30, 30);
  tile.Place({0, 0, 300, 200}, false);
  EXPECT_EQ(3, tile.GetColumns());
  // Tiles 0..95, 105..195 and 205..300; rows 0..40 and 50..80.
  EXPECT_TRUE(ChildrenAt({{22, 10, 72, 30}, {105, 0, 195, 40}, {222, 0, 282, 40}, {32, 50, 62, 80}}, tile));
  tile.ApplyAttribute(L"columns", L"0");  // Ignored.
  EXPECT_EQ(3, tile.GetColumns());
}

// The pages of a tab layout that show.
std::vector<int> ShownPages(const CTabLayoutUI& tab) {
  std::vector<int> shown;
  for (int i = 0; i < tab.GetCount(); ++i) {
    if (tab.GetItemAt(i)->IsSelfVisible()) shown.push_back(i);
  }
  return shown;
}

TEST(TabLayoutTest, SelectingShowsOnePageAndSendsTabSelectOnlyOnChange) {
  CPaintManagerUI manager;
  CTabLayoutUI tab;
  tab.AttachManager(&manager, nullptr, false);
  for (int i = 0; i < 3; ++i) AddSized(&tab, 0, 0)->SetPadding({2, 2, 2, 2});
  NotifyLog log(&tab);
  tab.Place({0, 0, 100, 100}, false);
  EXPECT_EQ(0, tab.GetSelectedIndex());
  EXPECT_EQ(std::vector<int>{0}, ShownPages(tab));

  EXPECT_TRUE(tab.SelectIndex(2));
  EXPECT_EQ(std::vector<int>{2}, ShownPages(tab));
  EXPECT_TRUE(RectEq({2, 2, 98, 98}, tab.GetItemAt(2)->GetBounds()));
  ASSERT_EQ(1u, log.entries.size());
  EXPECT_EQ(L"tabselect", log.entries[0].type);
  EXPECT_EQ(WPARAM{2}, log.entries[0].wParam);
  EXPECT_EQ(LPARAM{0}, log.entries[0].lParam);

  EXPECT_TRUE(tab.SelectIndex(2));
  EXPECT_FALSE(tab.SelectIndex(3));
  EXPECT_FALSE(tab.SelectIndex(-1));
  auto stray = std::make_unique<CControlUI>();
  EXPECT_FALSE(tab.SelectChild(stray.get()));
  EXPECT_EQ(1u, log.entries.size());
  EXPECT_TRUE(tab.SelectChild(tab.GetItemAt(1)));
  EXPECT_EQ(2u, log.entries.size());
  tab.AttachManager(nullptr, nullptr, false);
}

TEST(TabLayoutTest, ExactlyOnePageShowsWhatEverIsInsertedMovedOrRemoved) {
  CTabLayoutUI tab;
  tab.SetDelayedDestroy(false);
  tab.SetVisible(false);  // Pages added to a hidden tab layout can still become the selection.
  CControlUI* first = AddSized(&tab, 0, 0);
  tab.SetVisible(true);
  EXPECT_EQ(0, tab.GetSelectedIndex());

  EXPECT_TRUE(tab.AddAt(new CControlUI, 0));  // Before the selection: hidden, the selection moves on.
  EXPECT_EQ(1, tab.GetSelectedIndex());
  EXPECT_TRUE(tab.AddAt(new CControlUI, 2));
  EXPECT_EQ(first, tab.GetItemAt(tab.GetSelectedIndex()));
  EXPECT_EQ(std::vector<int>{1}, ShownPages(tab));

  EXPECT_TRUE(tab.SetItemIndex(first, 2));
  EXPECT_EQ(2, tab.GetSelectedIndex());
  EXPECT_TRUE(tab.RemoveAt(0));  // Before the selection.
  EXPECT_EQ(first, tab.GetItemAt(tab.GetSelectedIndex()));
  EXPECT_TRUE(tab.Remove(first));  // The selected page: the first one shows.
  EXPECT_EQ(0, tab.GetSelectedIndex());
  EXPECT_EQ(std::vector<int>{0}, ShownPages(tab));
  tab.RemoveAll();
  EXPECT_EQ(-1, tab.GetSelectedIndex());
}

// A stand-in for the dialog builder: each file's root is a vertical layout holding one child layout.
struct ChildSkins {
  static CControlUI* Build(const wchar_t* file, CPaintManagerUI* /*manager*/) {
    ++builds;
    const CUIString name(file);
    if (name.CompareNoCase(L"broken.xml") == 0) return nullptr;
    auto* root = new CVerticalLayoutUI;
    auto* inner = new CChildLayoutUI;
    // "self.xml" includes itself; "a.xml" includes "B.XML", which includes "a.xml".
    inner->SetChildSkinFile(name.CompareNoCase(L"a.xml") == 0   ? L"B.XML"
                            : name.CompareNoCase(L"b.xml") == 0 ? L"a.xml"
                                                                : file);
    root->Add(inner);
    return root;
  }
  static int builds;
};
int ChildSkins::builds = 0;

TEST(ChildLayoutTest, ContentIsBuiltOnceAndSkinsThatIncludeThemselvesStop) {
  const struct {
    const wchar_t* file;
    int builds;
    int nested_layouts;  // Child layouts with content, counting the outer one.
  } cases[] = {{L"self.xml", 1, 1}, {L"a.xml", 2, 2}, {L"broken.xml", 1, 0}};
  CChildLayoutUI::SetSkinBuilder(&ChildSkins::Build);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file);
    ChildSkins::builds = 0;
    CPaintManagerUI manager;
    CVerticalLayoutUI window_root;
    window_root.AttachManager(&manager, nullptr, false);
    auto* child = new CChildLayoutUI;
    child->ApplyAttribute(L"xmlfile", c.file);
    ASSERT_TRUE(window_root.Add(child));
    window_root.AttachManager(&manager, nullptr, true);  // Adopted again: nothing is built again.
    EXPECT_EQ(c.builds, ChildSkins::builds);
    int nested = 0;
    for (CControlUI* layout = child; layout && layout->FindInterface(L"ChildLayout");) {
      auto* child_layout = static_cast<CChildLayoutUI*>(layout);
      if (child_layout->GetCount() == 0) break;
      ++nested;
      layout = static_cast<CContainerUI*>(child_layout->GetItemAt(0))->GetItemAt(0);
    }
    EXPECT_EQ(c.nested_layouts, nested);
    EXPECT_EQ(nullptr, child->FindInterface(L"Container"));
    window_root.AttachManager(nullptr, nullptr, false);
  }
  CChildLayoutUI::SetSkinBuilder(nullptr);
}

}  // namespace
}  // namespace veneer::test
