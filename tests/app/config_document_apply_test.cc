#include "app/config_document_apply.h"

#include <gtest/gtest.h>
#include <json/json.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/utf8_text.h"
#include "tests/app/test_documents.h"
#include "tests/runtime/managed_window.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/skin_builder.h"
#include "ui/runtime/container.h"

// The configuration documents applied to the real main window skin, with a recorder standing in for
// what the main window itself does (pages, close dialog settings, picture downloads).

namespace tessaro::test {
namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class WindowRecorder : public IConfigDocumentWindow {
 public:
  void ShowErrorPage(bool show) override { calls.push_back(show ? L"error page" : L"main page"); }
  void KeepCloseDialogSettings(const CloseDialogSettings& settings) override {
    calls.push_back(std::wstring(L"close dialog ") + (settings.open ? L"open " : L"closed ") +
                    settings.image + L" " + settings.url);
  }
  void FetchImage(const std::wstring& url, const wchar_t* slot, const std::wstring& extra) override {
    calls.push_back(std::wstring(L"fetch ") + slot + L" " + url + (extra.empty() ? L"" : L" " + extra));
  }
  std::vector<std::wstring> calls;
};

Json::Value Parse(const std::string& text) {
  Json::Value value;
  std::istringstream(text) >> value;
  return value;
}

std::string Write(const Json::Value& value) { return value.toStyledString(); }

// `document` with the member at `path` (object keys, or array indices as digits) set to `value`.
std::string WithMember(const std::string& document, const std::vector<std::string>& path,
                       const Json::Value& value) {
  Json::Value root = Parse(document);
  Json::Value* member = &root;
  for (const std::string& key : path) {
    member = member->isArray() ? &(*member)[static_cast<Json::ArrayIndex>(std::stoi(key))] : &(*member)[key];
  }
  *member = value;
  return Write(root);
}

std::string Nested(int depth) {
  return R"({"code": 0, "extra": )" + std::string(depth - 1, '[') + std::string(depth - 1, ']') + "}";
}

class DocumentApplyTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(UseEmbeddedSkinArchive()); }

  void SetUp() override {
    global_ = ReadServedDocument("tessaro_test", "global");
    goods_ = ReadServedDocument("tessaro_test", "goods");
    ASSERT_FALSE(global_.empty()) << "TESSARO_CONFIG_DOCUMENTS is not set";
    veneer::CSkinBuilder builder;
    manager().SetRoot(builder.BuildFromSkin(L"MainWnd.xml", nullptr, nullptr, &manager(), nullptr));
    ASSERT_NE(manager().FindControlByName(L"hor_tile"), nullptr);
    SetWindowTextW(window_.hwnd(), L"before");
  }

  veneer::CPaintManagerUI& manager() { return window_.manager(); }
  veneer::CControlUI* Named(const wchar_t* name) { return manager().FindControlByName(name); }
  veneer::IContainerUI* Bar() {
    return static_cast<veneer::IContainerUI*>(Named(L"hor_tile")->FindInterface(L"IContainer"));
  }
  std::wstring Text(const wchar_t* name) { return Named(name)->GetText().GetData(); }
  std::wstring UserData(const wchar_t* name) { return Named(name)->GetUserData().GetData(); }

  // Everything the documents may change in the window, as text.
  std::vector<std::wstring> Snapshot() {
    std::vector<std::wstring> state;
    for (const wchar_t* label : {L"lab_tile", L"lab_soft_name", L"lab_card1_tile", L"lab_card1_text",
                                 L"lab_card2_tile", L"lab_card3_tile", L"lab_card4_tile", L"btn_install"}) {
      state.push_back(Text(label));
    }
    for (const wchar_t* button : {L"btn_card1", L"btn_card2", L"btn_card3", L"btn_card4", L"btn_install"}) {
      state.push_back(UserData(button));
    }
    state.push_back(Named(L"btn_install")->IsEnabled() ? L"install enabled" : L"install disabled");
    state.push_back(L"bar " + std::to_wstring(Bar()->GetCount()));
    wchar_t title[64] = {};
    GetWindowTextW(window_.hwnd(), title, 64);
    state.push_back(title);
    return state;
  }

  veneer::test::ManagedWindow window_{960, 720};
  WindowRecorder recorder_;
  std::string global_;
  std::string goods_;
};

TEST_F(DocumentApplyTest, RefusedDocumentsShowTheErrorPageOrChangeNothing) {
  const std::string html = "<html><head><title>404 Not Found</title></head><body></body></html>\n";
  const struct {
    const char* what;
    std::string global;
    std::string goods;
  } cases[] = {
      {"empty body", "", ""},
      {"HTML error page", html, html},
      {"root is an array", "[1, 2]", "[]"},
      {"root is null", "null", "null"},
      {"truncated", global_.substr(0, global_.size() / 2), goods_.substr(0, goods_.size() / 2)},
      {"text after the document", global_ + "garbage", goods_ + "{}"},
      {"nesting depth 1001", Nested(1001), Nested(1001)},
      {"code 1", WithMember(global_, {"code"}, 1), WithMember(goods_, {"code"}, 1)},
      {"code as text", WithMember(global_, {"code"}, "0"), WithMember(goods_, {"code"}, "0")},
      {"code not integral", WithMember(global_, {"code"}, 0.5), WithMember(goods_, {"code"}, false)},
      {"data is an array", WithMember(global_, {"data"}, Json::arrayValue),
       WithMember(goods_, {"data"}, Json::arrayValue)},
      {"object member is text", WithMember(global_, {"data", "main"}, "main"),
       WithMember(goods_, {"data", "goodsInfo"}, "info")},
      {"card is a number", WithMember(global_, {"data", "main", "card2"}, 7),
       WithMember(goods_, {"data", "installInfo"}, 7)},
      {"text is an object", WithMember(global_, {"data", "main", "card1", "title"}, Json::objectValue),
       WithMember(goods_, {"data", "goodsInfo", "name"}, Json::objectValue)},
      {"URL is an array", WithMember(global_, {"data", "main", "card3", "url"}, Json::arrayValue),
       WithMember(goods_, {"data", "installInfo", "downloadUrl"}, Json::arrayValue)},
      {"array is an object", WithMember(global_, {"data", "navBar"}, Json::objectValue),
       WithMember(goods_, {"data", "displayName"}, Json::arrayValue)},
      {"array element is text", WithMember(global_, {"data", "navBar", "1"}, "link"),
       WithMember(goods_, {"data", "installInfo", "dialogTitle"}, Json::arrayValue)},
      {"boolean is text", WithMember(global_, {"data", "dialog", "open"}, "true"),
       WithMember(goods_, {"data", "installInfo", "dialogOpen"}, "yes")},
      {"boolean is a number", WithMember(global_, {"data", "dialog", "open"}, 1),
       WithMember(goods_, {"data", "installInfo", "dialogOpen"}, 1)},
  };
  for (const auto& c : cases) {
    const std::vector<std::wstring> before = Snapshot();
    recorder_.calls.clear();
    ApplyGlobalConfig(c.global, manager(), recorder_);
    EXPECT_EQ(recorder_.calls, std::vector<std::wstring>{L"error page"}) << c.what;
    recorder_.calls.clear();
    ApplyGoodsConfig(c.goods, manager(), recorder_);
    EXPECT_TRUE(recorder_.calls.empty()) << c.what;
    EXPECT_EQ(Snapshot(), before) << c.what;
  }
  EXPECT_FALSE(Named(L"btn_install")->IsEnabled());
  EXPECT_EQ(Bar()->GetCount(), 2);
}

TEST_F(DocumentApplyTest, GoodDocumentsFillTheMainPage) {
  ApplyGlobalConfig(global_, manager(), recorder_);
  ApplyGoodsConfig(goods_, manager(), recorder_);
  const std::wstring files = L"https://localhost/files/";
  EXPECT_EQ(recorder_.calls,
            (std::vector<std::wstring>{
                L"main page",
                L"fetch wholeBackgroundImage " + files + L"background.png",
                L"fetch backgroundImage " + files + L"card_main.png",
                L"fetch card1 " + files + L"card1.png",
                L"fetch card2 " + files + L"card2.png",
                L"fetch card3 " + files + L"card3.png",
                L"fetch card4 " + files + L"card4.png",
                L"close dialog open " + files + L"close.png https://localhost/pages/close.html",
                L"fetch closeImageUrl " + files + L"close.png",
                L"fetch logo " + files + L"logo.png Tessaro Test",
                L"fetch icon " + files + L"icon.ico Tessaro \u6d4b\u8bd5\u7248",
            }));
  EXPECT_EQ(Text(L"lab_card1_tile"), L"\u5feb\u901f\u4e0a\u624b");
  EXPECT_EQ(Text(L"lab_card1_text"),
            L"\u4e09\u6b65\u5b8c\u6210\u5b89\u88c5\uff0c\u9a6c\u4e0a\u5f00\u59cb\u4f7f\u7528\u3002");
  EXPECT_EQ(Text(L"lab_card4_tile"), L"\u5e2e\u52a9\u4e2d\u5fc3");
  EXPECT_EQ(UserData(L"btn_card1"), L"https://localhost/pages/start.html");
  EXPECT_EQ(UserData(L"btn_card3"), L"https://localhost/pages/tips.html");
  EXPECT_EQ(Text(L"lab_tile"), L"Tessaro \u6d4b\u8bd5\u7248");
  EXPECT_EQ(Text(L"lab_soft_name"), L"Tessaro Test");
  wchar_t title[64] = {};
  GetWindowTextW(window_.hwnd(), title, 64);
  EXPECT_STREQ(title, L"Tessaro Test");

  // Three link buttons after the bar's own two controls, in order, each 100 by 28 with a blue border.
  ASSERT_EQ(Bar()->GetCount(), 5);
  const struct {
    const wchar_t* text;
    const wchar_t* url;
  } links[] = {{L"\u5b98\u7f51", L"https://localhost/pages/home.html"},
               {L"\u8bba\u575b", L"https://localhost/pages/forum.html"},
               {L"\u53cd\u9988", L"https://localhost/pages/feedback.html"}};
  for (int index = 0; index < 3; ++index) {
    auto* button = static_cast<veneer::CButtonUI*>(Bar()->GetItemAt(2 + index)->FindInterface(L"Button"));
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(button->GetName().GetData(), L"btn_open_url");
    EXPECT_STREQ(button->GetText().GetData(), links[index].text);
    EXPECT_STREQ(button->GetUserData().GetData(), links[index].url);
    EXPECT_EQ(button->GetFixedWidth(), 100);
    EXPECT_EQ(button->GetFixedHeight(), 28);
    const veneer::CUIRect padding = button->GetPadding();
    EXPECT_EQ(padding.left, 12);
    EXPECT_EQ(padding.top, 14);
    EXPECT_EQ(padding.right, 12);
    EXPECT_EQ(padding.bottom, 0);
    EXPECT_EQ(button->GetTextColor(), 0xFF2196F3u);
    EXPECT_EQ(button->GetBorderColour(), 0xFF2196F3u);
    EXPECT_EQ(button->GetBorderSize(), 1);
    EXPECT_EQ(button->GetBorderRound().cx, 2);
    EXPECT_EQ(button->GetFont(), 3);
  }

  // The install button carries the install information whole, as one line of JSON.
  auto* install = Named(L"btn_install");
  EXPECT_TRUE(install->IsEnabled());
  EXPECT_EQ(Text(L"btn_install"), L"\u4e0b\u8f7d\u5b89\u88c5");
  const std::wstring info = UserData(L"btn_install");
  ASSERT_FALSE(info.empty());
  EXPECT_EQ(info.find(L'\n'), info.size() - 1);
  EXPECT_EQ(Parse(Utf8FromWide(info)), Parse(goods_)["data"]["installInfo"]);
}

TEST_F(DocumentApplyTest, OnlyCodeZeroShowsAnEmptyMainPage) {
  ApplyGlobalConfig(R"({"code": 0})", manager(), recorder_);
  EXPECT_EQ(recorder_.calls.front(), L"main page");
  EXPECT_EQ(Text(L"lab_card2_tile"), L"");
  EXPECT_EQ(Bar()->GetCount(), 2);
}

TEST_F(DocumentApplyTest, HugeNavigationBarGivesAsManyButtonsAsFit) {
  Json::Value bar(Json::arrayValue);
  for (int index = 0; index < 20000; ++index) {
    bar.append(index < 10 ? Parse(R"({"name": "n", "url": "https://localhost/pages/home.html"})")
                          : Json::Value("x"));
  }
  ApplyGlobalConfig(WithMember(global_, {"data", "navBar"}, bar), manager(), recorder_);
  EXPECT_EQ(recorder_.calls.front(), L"main page");
  EXPECT_EQ(Bar()->GetCount(), 2 + static_cast<int>(kMaxNavigationLinks));
}

// Only web URLs are kept: nothing the window could open, navigate to or download remains.
TEST_F(DocumentApplyTest, HostileUrlsAreDropped) {
  const Json::Value hostile[] = {"file:///C:/Windows/System32/calc.exe", "\\\\evil\\share\\x.exe",
                                 "C:\\Windows\\notepad.exe", "javascript:alert(1)"};
  for (const Json::Value& url : hostile) {
    std::string global = global_;
    for (const char* card : {"card1", "card2", "card3", "card4"}) {
      global = WithMember(global, {"data", "main", card, "url"}, url);
      global = WithMember(global, {"data", "main", card, "image"}, url);
    }
    for (const char* image : {"wholeBackgroundImage", "backgroundImage"}) {
      global = WithMember(global, {"data", "main", image}, url);
    }
    for (const char* link : {"0", "1", "2"})
      global = WithMember(global, {"data", "navBar", link, "url"}, url);
    global = WithMember(global, {"data", "dialog", "image"}, url);
    global = WithMember(global, {"data", "dialog", "url"}, url);
    std::string goods = WithMember(goods_, {"data", "installInfo", "downloadUrl"}, url);
    goods = WithMember(goods, {"data", "goodsInfo", "logo"}, url);
    goods = WithMember(goods, {"data", "goodsInfo", "icon"}, url);

    recorder_.calls.clear();
    ApplyGlobalConfig(global, manager(), recorder_);
    ApplyGoodsConfig(goods, manager(), recorder_);
    for (const std::wstring& call : recorder_.calls) {
      EXPECT_EQ(call.find(Wide(url.asString())), std::wstring::npos) << call;
    }
    for (const wchar_t* button : {L"btn_card1", L"btn_card2", L"btn_card3", L"btn_card4", L"btn_install"}) {
      EXPECT_EQ(UserData(button), L"") << button;
    }
    EXPECT_EQ(Bar()->GetCount(), 2);
    EXPECT_FALSE(Named(L"btn_install")->IsEnabled());
  }
}

}  // namespace
}  // namespace tessaro::test
