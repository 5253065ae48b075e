#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/runtime/managed_window.h"
#include "ui/controls/control_factory.h"
#include "ui/controls/dialog_builder_callback.h"
#include "ui/controls/label.h"
#include "ui/controls/skin_builder.h"
#include "ui/markup/skin_source.h"
#include "ui/runtime/container.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

// Controls of the test skins' "Counted" elements, so that tests see how many were made and destroyed.
struct Census {
  int created = 0;
  int destroyed = 0;
};
Census census;

class Counted : public CContainerUI {
 public:
  Counted() { ++census.created; }
  ~Counted() override { ++census.destroyed; }
};

// Makes "Counted" controls and a "Probe" control, which calls `on_probe` when it is made; logs every
// element name it is asked about.
class TestCallback : public IDialogBuilderCallback {
 public:
  CControlUI* CreateCustomControl(const wchar_t* element_name) override {
    asked.emplace_back(element_name);
    if (asked.back() == L"Counted") return new Counted;
    if (asked.back() == L"Probe" && on_probe) {
      on_probe();
      return new CControlUI;
    }
    return nullptr;
  }
  std::vector<std::wstring> asked;
  std::function<void()> on_probe;
};

CControlUI* Build(const wchar_t* skin, CPaintManagerUI* manager, CControlUI* parent = nullptr,
                  IDialogBuilderCallback* callback = nullptr, const wchar_t* resource_type = nullptr) {
  CSkinBuilder builder;
  return builder.BuildFromSkin(skin, resource_type, callback, manager, parent);
}

CControlUI* BuildResource(int id, CPaintManagerUI* manager, CControlUI* parent = nullptr,
                          IDialogBuilderCallback* callback = nullptr) {
  return Build(MAKEINTRESOURCEW(id), manager, parent, callback, L"SKIN");
}

IContainerUI* ContainerOf(CControlUI* control) {
  return control ? static_cast<IContainerUI*>(control->FindInterface(L"IContainer")) : nullptr;
}

int ChildCount(CPaintManagerUI& manager, const wchar_t* name) {
  IContainerUI* container = ContainerOf(manager.FindControlByName(name));
  return container ? container->GetCount() : -1;
}

class SkinBuilderTest : public ::testing::Test {
 protected:
  // The product's skin archive, as the program hands it over from its resources.
  static void SetUpTestSuite() {
    static std::vector<unsigned char> archive;
    if (!archive.empty()) return;
    ASSERT_TRUE(ReadSkinResource(nullptr, MAKEINTRESOURCEW(102), L"ZIPRES", &archive));
    SetSkinArchiveMemory(archive.data(), static_cast<DWORD>(archive.size()), nullptr);
  }
  void SetUp() override { census = Census(); }
};

TEST_F(SkinBuilderTest, MainSkinWindowSettingsAndDefaultsComeBeforeTheFirstControl) {
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadSkinFile(L"MainWnd.xml", false, &bytes));
  std::wstring skin(bytes.size(), L'\0');
  skin.resize(MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(bytes.data()),
                                  static_cast<int>(bytes.size()), skin.data(),
                                  static_cast<int>(skin.size())));
  // A probe as the first control element: it sees what the manager holds when the first control is made.
  const size_t container = skin.find(L"<Container>");
  ASSERT_NE(std::wstring::npos, container);
  skin.insert(container, L"<Probe />");

  ManagedWindow window(100, 100);
  CPaintManagerUI& manager = window.manager();
  bool probed = false;
  TestCallback callback;
  callback.on_probe = [&] {
    probed = true;
    EXPECT_EQ(manager.ScaleForDpi(960), manager.GetInitialSize().cx);
    EXPECT_EQ(manager.ScaleForDpi(720), manager.GetInitialSize().cy);
    EXPECT_TRUE(RectEq(CUIRect(0, 0, 0, 36), manager.GetCaptionArea()));
    EXPECT_EQ(960, manager.GetMinTrackSize().cx);
    EXPECT_EQ(720, manager.GetMinTrackSize().cy);
    EXPECT_FALSE(manager.IsLayered());
    const CShadowSettings& shadow = *manager.GetShadow();
    EXPECT_TRUE(shadow.IsShown());
    EXPECT_TRUE(shadow.UsesImage());
    EXPECT_EQ(L"waikuang-yinying.png", shadow.GetShadowImage());
    EXPECT_EQ(18, shadow.GetShadowSize());
    EXPECT_TRUE(RectEq(CUIRect(18, 19, 20, 20), shadow.GetShadowCorner()));
    // The Include before the control has registered Default.xml.
    EXPECT_EQ(21, manager.GetFontCount());
    EXPECT_NE(nullptr, manager.FindDefaultAttributes(L"VScrollBar"));
    EXPECT_NE(nullptr, manager.FindDefaultAttributes(L"HScrollBar"));
  };
  std::unique_ptr<CControlUI> first(Build(skin.c_str(), &manager, nullptr, &callback));
  EXPECT_TRUE(probed);
  // The probe is the first top-level control; the Container after it is not kept.
  ASSERT_NE(nullptr, first);
  EXPECT_STREQ(L"ControlUI", first->GetClassName());
}

struct FontRow {
  int id;
  int size;
  bool bold;
  bool strike_out;
};

TEST_F(SkinBuilderTest, MainSkinRegistersTheFontTableAndReturnsItsContainerUnboundUntilItIsTheRoot) {
  ManagedWindow window(100, 100);
  CPaintManagerUI& manager = window.manager();
  CControlUI* root = Build(L"MainWnd.xml", &manager);
  ASSERT_NE(nullptr, root);
  EXPECT_STREQ(L"ContainerUI", root->GetClassName());
  EXPECT_EQ(nullptr, root->GetPaintManager());
  EXPECT_EQ(nullptr, manager.FindControlByName(L"ver_background"));

  const FontRow fonts[] = {{0, 10, false, false}, {2, 12, false, false},  {8, 16, true, false},
                           {11, 12, true, false}, {15, 32, false, false}, {17, 15, false, true},
                           {19, 22, true, false}, {20, 18, true, false}};
  for (const FontRow& row : fonts) {
    const FontRecord* font = manager.GetFontRecord(row.id);
    EXPECT_EQ(row.size, font->size) << row.id;
    EXPECT_EQ(row.bold, font->bold) << row.id;
    EXPECT_EQ(row.strike_out, font->strikeOut) << row.id;
  }
  EXPECT_EQ(12, manager.GetDefaultFontRecord()->size);
  EXPECT_NE(nullptr, wcsstr(manager.FindDefaultAttributes(L"VScrollBar"), L"scroll1.png"));
  EXPECT_NE(nullptr, wcsstr(manager.FindDefaultAttributes(L"HScrollBar"), L"hscroll.png"));

  manager.SetRoot(root);
  // Each named control exists exactly when its class is registered; elements of other classes (until
  // they are registered: buttons, progress bars, the web browser) are skipped with their children.
  const struct {
    const wchar_t* name;
    const wchar_t* element;
  } named[] = {{L"ver_background", L"VerticalLayout"},
               {L"lab_tile", L"Label"},
               {L"btn_min", L"Button"},
               {L"btn_close", L"Button"},
               {L"hor_err", L"HorizontalLayout"},
               {L"btn_url", L"Button"},
               {L"btn_server", L"Button"},
               {L"hor_main", L"HorizontalLayout"},
               {L"card_main", L"VerticalLayout"},
               {L"con_logo", L"Control"},
               {L"lab_soft_name", L"Label"},
               {L"btn_install", L"Button"},
               {L"ver_progress", L"VerticalLayout"},
               {L"progres", L"Progress"},
               {L"lab_progres", L"Label"},
               {L"ver_wait_install", L"VerticalLayout"},
               {L"con_card1", L"Container"},
               {L"lab_card1_tile", L"Label"},
               {L"lab_card1_text", L"Label"},
               {L"btn_card1", L"Button"},
               {L"con_card4", L"Container"},
               {L"lab_card4_tile", L"Label"},
               {L"ver_web", L"VerticalLayout"},
               {L"hor_tile", L"HorizontalLayout"},
               {L"btn_back", L"Button"},
               {L"web", L"WebBrowser"}};
  for (const auto& row : named) {
    const std::wstring class_name = std::wstring(L"C") + row.element + L"UI";
    const std::unique_ptr<CControlUI> sample(
        CControlFactory::Instance().CreateByClassName(class_name.c_str()));
    CControlUI* control = manager.FindControlByName(row.name);
    ASSERT_EQ(sample != nullptr, control != nullptr) << row.name;
    if (!control) continue;
    EXPECT_STREQ(sample->GetClassName(), control->GetClassName()) << row.name;
    EXPECT_EQ(&manager, control->GetPaintManager()) << row.name;
  }
  // Attributes arrived: visibility, sizes, paddings, label settings.
  EXPECT_FALSE(manager.FindControlByName(L"hor_err")->IsSelfVisible());
  EXPECT_TRUE(RectEq(CUIRect(116, 56, 0, 0), manager.FindControlByName(L"hor_main")->GetPadding()));
  EXPECT_EQ(96, manager.FindControlByName(L"con_logo")->GetFixedWidth());
  const auto* title = static_cast<CLabelUI*>(manager.FindControlByName(L"lab_card1_tile"));
  EXPECT_EQ(19, title->GetFont());
  EXPECT_EQ(0xFFFFFFFFu, title->GetTextColor());
  EXPECT_EQ(UINT{DT_CENTER | DT_VCENTER | DT_SINGLELINE}, title->GetTextFormat());
}

TEST_F(SkinBuilderTest, EveryWindowSkinSetsItsWindowAndIncludesTheDefaults) {
  const struct {
    const wchar_t* file;
    CUISize size;
    LONG caption_bottom;
    const wchar_t* root_class;
  } skins[] = {{L"MainWnd.xml", {960, 720}, 36, L"ContainerUI"},
               {L"MessageBox.xml", {480, 360}, 60, L"VerticalLayoutUI"},
               {L"CloseDialogBox.xml", {480, 348}, 60, L"VerticalLayoutUI"}};
  for (const auto& skin : skins) {
    ManagedWindow window(100, 100);
    CPaintManagerUI& manager = window.manager();
    manager.SetRoot(Build(skin.file, &manager));
    ASSERT_NE(nullptr, manager.GetRoot()) << skin.file;
    EXPECT_STREQ(skin.root_class, manager.GetRoot()->GetClassName()) << skin.file;
    EXPECT_EQ(skin.size.cx, manager.GetInitialSize().cx) << skin.file;
    EXPECT_EQ(skin.size.cy, manager.GetInitialSize().cy) << skin.file;
    EXPECT_EQ(skin.caption_bottom, manager.GetCaptionArea().bottom) << skin.file;
    EXPECT_EQ(21, manager.GetFontCount()) << skin.file;
    EXPECT_TRUE(manager.GetShadow()->IsShown()) << skin.file;
    EXPECT_EQ(18, manager.GetShadow()->GetShadowSize()) << skin.file;
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(skin.size.cx, client.right) << skin.file;
  }
}

TEST_F(SkinBuilderTest, UnknownElementsAreSkippedWithTheirChildrenAndDefaultsComeFirst) {
  ManagedWindow window(100, 100);
  CPaintManagerUI& manager = window.manager();
  manager.RegisterDefaultAttributes(L"Label", L"text=\"default\" font=\"3\"", false);
  TestCallback callback;
  manager.SetRoot(
      Build(L"<Window><verticallayout name=\"list\">"
            L"<Foo><Label name=\"inside\" /></Foo>"
            L"<Label name=\"plain\" /><Label name=\"own\" text=\"own\" /><label name=\"lower\" />"
            L"<Font id=\"30\" size=\"40\" />"
            L"</verticallayout><Label name=\"second top-level\" /></Window>"
            L"<Window><Label name=\"in a second root\" /></Window>",
            &manager, nullptr, &callback));
  ASSERT_NE(nullptr, manager.GetRoot());
  EXPECT_STREQ(L"VerticalLayoutUI", manager.GetRoot()->GetClassName());
  EXPECT_EQ(3, ChildCount(manager, L"list"));
  EXPECT_EQ(std::vector<std::wstring>{L"Foo"}, callback.asked);
  EXPECT_EQ(nullptr, manager.FindControlByName(L"inside"));
  EXPECT_EQ(nullptr, manager.FindControlByName(L"second top-level"));
  EXPECT_EQ(nullptr, manager.FindControlByName(L"in a second root"));
  const auto* plain = static_cast<CLabelUI*>(manager.FindControlByName(L"plain"));
  EXPECT_EQ(L"default", plain->GetText());
  EXPECT_EQ(3, plain->GetFont());
  const auto* own = static_cast<CLabelUI*>(manager.FindControlByName(L"own"));
  EXPECT_EQ(L"own", own->GetText());
  EXPECT_EQ(3, own->GetFont());
  // The default list's key is the element name exactly as written.
  EXPECT_EQ(L"", manager.FindControlByName(L"lower")->GetText());
  // A Font below the root registers nothing.
  EXPECT_EQ(0, manager.GetFontCount());
}

TEST_F(SkinBuilderTest, IncludesRepeatAndFailAsTheirSourceAndCountSay) {
  ManagedWindow window(100, 100);
  CPaintManagerUI& manager = window.manager();
  manager.SetRoot(BuildResource(200, &manager));
  ASSERT_NE(nullptr, manager.GetRoot());
  const struct {
    const wchar_t* name;
    int labels;
  } cases[] = {{L"count 3", 3},
               {L"count 0", 0},
               {L"count -2", 0},
               {L"low 16 bits", 1},
               {L"id 0", 0},
               {L"id 65536", 0},
               {L"file name", 0},
               {L"no source", 0},
               {L"includes itself", 2},
               {L"includes its includer", 0}};
  for (const auto& c : cases) EXPECT_EQ(c.labels, ChildCount(manager, c.name)) << c.name;

  // A count without end stops at the build's allowance.
  std::unique_ptr<CControlUI> many(BuildResource(212, nullptr));
  EXPECT_EQ(CSkinBuilder::kMaxIncludes, ContainerOf(many.get())->GetCount());
}

TEST_F(SkinBuilderTest, BuildingIntoAnAttachedParentLeavesTheNewControlsBound) {
  ManagedWindow window(100, 100);
  CPaintManagerUI& manager = window.manager();
  manager.SetRoot(Build(L"<Window><VerticalLayout name=\"host\" /></Window>", &manager));
  CControlUI* host = manager.FindControlByName(L"host");
  ASSERT_NE(nullptr, host);
  CControlUI* first = Build(
      L"<Window><Label name=\"added\" /><HorizontalLayout name=\"row\">"
      L"<Label name=\"nested\" /></HorizontalLayout></Window>",
      &manager, host);
  EXPECT_EQ(manager.FindControlByName(L"added"), first);
  EXPECT_EQ(2, ContainerOf(host)->GetCount());
  for (const wchar_t* name : {L"added", L"row", L"nested"}) {
    CControlUI* control = manager.FindControlByName(name);
    ASSERT_NE(nullptr, control) << name;
    EXPECT_EQ(&manager, control->GetPaintManager()) << name;
  }
}

TEST_F(SkinBuilderTest, WithoutParentOnlyTheFirstTopLevelControlIsKept) {
  TestCallback callback;
  std::unique_ptr<CControlUI> first(
      Build(L"<Window><Counted /><Counted /><Counted /></Window>", nullptr, nullptr, &callback));
  EXPECT_EQ(3, census.created);
  EXPECT_EQ(2, census.destroyed);
  // The included skin's two controls go too: its first is returned to the Include, which has no parent.
  std::unique_ptr<CControlUI> after_include(BuildResource(213, nullptr, nullptr, &callback));
  EXPECT_EQ(6, census.created);
  EXPECT_EQ(4, census.destroyed);
}

TEST_F(SkinBuilderTest, WindowAttributesKeepTheirLetterCaseRulesAndLimits) {
  const struct {
    const wchar_t* skin;
    std::function<void(CPaintManagerUI&)> check;
  } cases[] = {
      {L"<Window Size=\"300,200\" />", [](CPaintManagerUI& m) { EXPECT_EQ(300, m.GetInitialSize().cx); }},
      {L"<Window Layered=\"true\" />", [](CPaintManagerUI& m) { EXPECT_FALSE(m.IsLayered()); }},
      {L"<Window bktrans=\"TRUE\" />", [](CPaintManagerUI& m) { EXPECT_TRUE(m.IsLayered()); }},
      {L"<Window opacity=\"300\" />", [](CPaintManagerUI& m) { EXPECT_EQ(255, m.GetOpacity()); }},
      {L"<Window alpha=\"256\" />", [](CPaintManagerUI& m) { EXPECT_EQ(255, m.GetOpacity()); }},
      {L"<Window layered=\"true\" layeredopacity=\"511\" />",
       [](CPaintManagerUI& m) { EXPECT_EQ(255, m.GetOpacity()); }},
      {L"<Window alpha=\"-4\" />", [](CPaintManagerUI& m) { EXPECT_EQ(0, m.GetOpacity()); }},
      {L"<Window shadowsize=\"40\" shadowposition=\"3,36\" />",
       [](CPaintManagerUI& m) {
         EXPECT_EQ(0, m.GetShadow()->GetShadowSize());
         EXPECT_EQ(0, m.GetShadow()->GetShadowPosition().y);
       }},
      {L"<Window><Font id=\"1\" strike=\"true\" /><Font id=\"2\" Strike=\"true\" /><Font id=\"3\" "
       L"strike=\"TRUE\" />"
       L"<Font id=\"-1\" size=\"30\" /></Window>",
       [](CPaintManagerUI& m) {
         EXPECT_EQ(3, m.GetFontCount());
         EXPECT_TRUE(m.GetFontRecord(1)->strikeOut);
         EXPECT_FALSE(m.GetFontRecord(2)->strikeOut);
         EXPECT_FALSE(m.GetFontRecord(3)->strikeOut);
       }},
  };
  for (const auto& c : cases) {
    ManagedWindow window(100, 100);
    Build(c.skin, &window.manager());
    c.check(window.manager());
  }
}

TEST_F(SkinBuilderTest, ChildLayoutsBuildTheirSkinFilesThroughTheBuilder) {
  ManagedWindow window(100, 100);
  CPaintManagerUI& manager = window.manager();
  manager.SetRoot(
      Build(L"<Window><VerticalLayout><ChildLayout name=\"child\" xmlfile=\"MessageBox.xml\" />"
            L"</VerticalLayout></Window>",
            &manager));
  const auto* child = static_cast<CContainerUI*>(manager.FindControlByName(L"child"));
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(1, child->GetCount());
  EXPECT_NE(nullptr, manager.FindControlByName(L"lab_des1"));
}

std::wstring Repeat(const wchar_t* text, int times) {
  std::wstring repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST_F(SkinBuilderTest, HostileSkinsBuildPaintAndLeaveNothingBehind) {
  const struct {
    const char* what;
    std::wstring skin;
    int created;
  } cases[] = {
      {"unknown attributes",
       L"<Window frobnicate=\"1\"><Counted foo=\"\" inset=\"x,y\" childalign=\"nowhere\" vscrollbar=\"true\">"
       L"<Label align=\"sideways\" font=\"abc\" /></Counted></Window>",
       1},
      {"absurd numbers",
       L"<Window size=\"99999999999,-5\" caption=\"-1,-1,-1,-1\" shadowsize=\"2147483647\" opacity=\"-9\">"
       L"<Counted width=\"2147483647\" height=\"-2147483648\" padding=\"99999999,0,-99999999,0\">"
       L"<Label pos=\"-2147483648,0,2147483647,5\" font=\"99999\" textpadding=\"-9,-9,99999,99999\" />"
       L"</Counted></Window>",
       1},
      {"missing images",
       L"<Window><Counted bkimage=\"missing.png\" foreimage=\"file='nothere.png' corner='1,1,1,1'\">"
       L"<Label bkimage=\"nowhere.png\" text=\"x\" /></Counted></Window>",
       1},
      {"a control under a control that is no container",
       L"<Window><Counted><Label name=\"holder\"><Counted /></Label></Counted></Window>", 2},
      {"10,000 siblings", L"<Window><Counted>" + Repeat(L"<Counted />", 10000) + L"</Counted></Window>",
       10001},
      {"depth 5,000", L"<Window>" + Repeat(L"<Counted>", 5000) + Repeat(L"</Counted>", 5000) + L"</Window>",
       CSkinBuilder::kMaxNesting},
  };
  for (const auto& c : cases) {
    census = Census();
    {
      ManagedWindow window(200, 100);
      TestCallback callback;
      window.manager().SetRoot(Build(c.skin.c_str(), &window.manager(), nullptr, &callback));
      ASSERT_NE(nullptr, window.manager().GetRoot()) << c.what;
      window.Show();
    }
    EXPECT_EQ(c.created, census.created) << c.what;
    EXPECT_EQ(census.created, census.destroyed) << c.what;
  }
}

}  // namespace
}  // namespace veneer::test
