// The ActiveX host and the web browser control with the test ActiveX control standing in for the
// browser component (the real one is switched off in the test prefix): creation and its timing, the
// host window, the release order, and what the site answers the browser.
#include "ui/controls/web_browser.h"

#include <gtest/gtest.h>

#include <mshtmhst.h>
#include <urlmon.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/controls/test_activex/test_activex.h"
#include "tests/runtime/managed_window.h"
#include "ui/controls/control_factory.h"
#include "ui/core/com_ptr.h"
#include "ui/runtime/stack_layout.h"

namespace veneer {
namespace {

using Calls = std::vector<std::wstring>;
using test::ManagedWindow;
using test::TestActiveX;

constexpr int kWidth = 240;
constexpr int kHeight = 120;

// A window whose root holds a vertical layout holding one web browser control named through the test
// control's module, filling the window.
class BrowserWindow {
 public:
  BrowserWindow(const TestActiveX& module, const wchar_t* class_id, const wchar_t* delay_create)
      : window_(kWidth, kHeight), browser_(new CWebBrowserUI), page_(new CVerticalLayoutUI) {
    browser_->ApplyAttribute(L"modulename", module.path().c_str());
    browser_->ApplyAttribute(L"clsid", class_id);
    browser_->ApplyAttribute(L"delaycreate", delay_create);
    page_->Add(browser_);
    window_.SetStackRoot({page_});
  }
  CWebBrowserUI* browser() { return browser_; }
  CVerticalLayoutUI* page() { return page_; }
  ManagedWindow& window() { return window_; }

 private:
  ManagedWindow window_;
  CWebBrowserUI* browser_;   // Owned by page_.
  CVerticalLayoutUI* page_;  // Owned by the window's root.
};

class WebBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.IsLoaded()) << "TESSARO_TEST_ACTIVEX is not set";
    module_.ClearCalls();
  }
  // The browser's site as the test control holds it, as interface `Interface`.
  template <typename Interface>
  ComPtr<Interface> Site(REFIID riid) {
    ComPtr<Interface> result;
    if (IOleClientSite* site = module_.ClientSite()) site->QueryInterface(riid, result.receive());
    return result;
  }

  TestActiveX module_;
};

TEST_F(WebBrowserTest, CreationWaitsForTheWindowAndFollowsDelayCreate) {
  const Calls created_at_once = {L"CreateInstance", L"SetClientSite", L"InitNew", L"DoVerb -5 0,0,0,0",
                                 L"Advise"};
  const std::wstring placed = L"0,0," + std::to_wstring(kWidth) + L"," + std::to_wstring(kHeight);
  // 240 x 120 pixels at 96 pixels per inch.
  const Calls placement = {L"SetExtent 1 6350x3175", L"SetObjectRects " + placed};
  Calls created_when_placed = {L"CreateInstance", L"SetClientSite", L"InitNew", L"DoVerb -5 " + placed,
                               L"Advise"};
  created_when_placed.insert(created_when_placed.end(), placement.begin(), placement.end());
  Calls at_once_then_placed = created_at_once;
  at_once_then_placed.insert(at_once_then_placed.end(), placement.begin(), placement.end());

  const struct {
    const wchar_t* delay_create;
    Calls before_layout;
    Calls after_layout;
  } cases[] = {
      {L"false", created_at_once, at_once_then_placed},
      {L"true", {}, created_when_placed},
      {L"TRUE", created_at_once, at_once_then_placed},  // Only "true" itself delays.
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "delaycreate "
                                    << std::string(c.delay_create, c.delay_create + wcslen(c.delay_create)));
    module_.ClearCalls();
    BrowserWindow window(module_, test::kSiteFirstClassText, c.delay_create);
    EXPECT_EQ(module_.Calls(), c.before_layout);
    window.window().Show();
    EXPECT_EQ(module_.Calls(), c.after_layout);
    EXPECT_TRUE(window.browser()->HasBrowser());
  }
}

TEST_F(WebBrowserTest, TheClientSiteComesWhenTheObjectAsksForIt) {
  BrowserWindow window(module_, test::kInitFirstClassText, L"false");
  const Calls expected = {L"CreateInstance", L"InitNew", L"SetClientSite", L"DoVerb -5 0,0,0,0", L"Advise"};
  EXPECT_EQ(module_.Calls(), expected);
}

TEST_F(WebBrowserTest, TheHostWindowCoversTheBoundsAndFollowsVisibility) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  window.window().Show();
  HWND host = window.browser()->GetHostWindow();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(module_.HostWindow(), host);  // Where the object was activated.
  EXPECT_EQ(GetParent(host), window.window().hwnd());
  RECT rect;
  GetWindowRect(host, &rect);
  MapWindowPoints(nullptr, window.window().hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_TRUE(EqualRect(&rect, &window.browser()->GetBounds()));
  EXPECT_EQ(window.browser()->GetBounds().GetWidth(), kWidth);
  EXPECT_TRUE(IsWindowVisible(host));

  window.browser()->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(host));
  window.browser()->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(host));
  window.page()->SetVisible(false);  // Hidden with its page.
  EXPECT_FALSE(IsWindowVisible(host));
  window.browser()->SetVisible(true);  // Still under a hidden page.
  EXPECT_FALSE(IsWindowVisible(host));
  window.page()->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(host));
}

TEST_F(WebBrowserTest, ReleaseGoesInOrderAndNothingReachesTheObjectAfterwards) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  window.window().Show();
  HWND host = window.browser()->GetHostWindow();
  module_.ClearCalls();
  window.browser()->ReleaseControl();
  const Calls expected = {L"Unadvise 7",          L"get_Document", L"SetUIHandler(null)",
                          L"SetClientSite(null)", L"Close",        L"Released"};
  EXPECT_EQ(module_.Calls(), expected);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_EQ(module_.ClientSite(), nullptr);
  EXPECT_EQ(module_.EventSink(), nullptr);

  module_.ClearCalls();
  window.browser()->Navigate(L"http://example.com/");
  window.browser()->SetVisible(false);
  MSG key = {window.window().hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_EQ(window.browser()->TranslateKeyMessage(key), E_NOTIMPL);
  EXPECT_EQ(module_.Calls(), Calls());
}

TEST_F(WebBrowserTest, ASiteKeptByTheObjectOutlivesTheControlHarmlessly) {
  ComPtr<IDispatch> sink;
  ComPtr<IOleInPlaceSite> in_place;
  {
    BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
    window.window().Show();
    ASSERT_NE(module_.EventSink(), nullptr);
    module_.EventSink()->QueryInterface(IID_IDispatch, sink.receive());
    in_place = Site<IOleInPlaceSite>(IID_IOleInPlaceSite);
    ASSERT_TRUE(in_place);
  }  // The window, its controls and their objects are gone.
  VARIANT arguments[2] = {};
  DISPPARAMS params = {arguments, nullptr, 2, 0};
  EXPECT_EQ(sink->Invoke(252, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(in_place->GetWindow(&window), E_UNEXPECTED);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(in_place->CanInPlaceActivate(), S_FALSE);
  for (const std::wstring& call : module_.Calls()) EXPECT_NE(call[0], L'!') << "after release: " << call;
}

TEST_F(WebBrowserTest, AFailedCreationLeavesNoObjectAndLaterCallsDoNothing) {
  const wchar_t* unregistered = L"{0B1E6C55-3A9D-4F2E-9C61-7D2A5E8F4B30}";
  const wchar_t* browser_component = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";  // Switched off here.
  for (const wchar_t* class_id : {unregistered, browser_component}) {
    module_.ClearCalls();
    BrowserWindow window(module_, class_id, L"true");
    window.window().Show();
    EXPECT_TRUE(window.browser()->IsCreationAttempted());
    EXPECT_FALSE(window.browser()->HasObject());
    EXPECT_EQ(window.browser()->GetHostWindow(), nullptr);
    window.browser()->Navigate(L"http://example.com/");
    window.browser()->Place(CUIRect(0, 0, 10, 10), true);
    EXPECT_EQ(module_.Calls(), Calls());
  }
}

TEST_F(WebBrowserTest, NavigationWaitsForTheBrowser) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"true");
  window.browser()->Navigate(L"http://before.example/");
  window.window().Show();
  module_.ClearCalls();
  window.browser()->Navigate(L"");
  window.browser()->Navigate(nullptr);
  window.browser()->Navigate(L"http://after.example/");
  EXPECT_EQ(module_.Calls(), Calls{L"Navigate2 http://after.example/"});
}

TEST_F(WebBrowserTest, AutoNavigateOpensTheHomePageOnCreation) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"true");
  window.browser()->ApplyAttribute(L"homepage", L"http://home.example/");
  window.browser()->ApplyAttribute(L"autonavi", L"True");
  window.window().Show();
  const Calls calls = module_.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), L"Navigate2 http://home.example/"), 1);
}

TEST_F(WebBrowserTest, AMalformedClassIdIsIgnored) {
  CActiveXUI control;
  EXPECT_FALSE(control.SetClassIdText(L"not a class id"));
  EXPECT_FALSE(control.SetClassIdText(L"WebBrowser.Application"));  // No program id lookups.
  EXPECT_EQ(control.GetClassId(), CLSID{});
  CWebBrowserUI browser;
  browser.ApplyAttribute(L"clsid", L"{12345");
  EXPECT_EQ(browser.GetClassId(), CWebBrowserUI::kBrowserClassId);
}

TEST_F(WebBrowserTest, KeysGoToTheObjectOnlyWhileTheFocusIsInsideTheHostWindow) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  window.window().Show();
  SetForegroundWindow(window.window().hwnd());
  CWebBrowserUI* browser = window.browser();
  HWND host = browser->GetHostWindow();
  const struct {
    UINT message;
    HWND focus;
    HRESULT expected;
    bool offered;
  } cases[] = {
      {WM_KEYDOWN, host, S_OK, true},
      {WM_CHAR, host, S_OK, true},
      {265, host, S_OK, true},  // The last key message.
      {WM_MOUSEMOVE, host, S_FALSE, false},
      {WM_KEYFIRST - 1, host, S_FALSE, false},
      {266, host, S_FALSE, false},
      {WM_KEYDOWN, window.window().hwnd(), S_FALSE, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "message " << c.message);
    SetFocus(c.focus);
    ASSERT_EQ(GetFocus(), c.focus);
    module_.ClearCalls();
    MSG message = {c.focus, c.message, 'A', 0, 0, {0, 0}};
    EXPECT_EQ(browser->TranslateKeyMessage(message), c.expected);
    EXPECT_EQ(browser->TranslateAcceleratorMessage(message), c.expected == S_OK);
    const Calls offered = {L"TranslateAccelerator " + std::to_wstring(c.message),
                           L"TranslateAccelerator " + std::to_wstring(c.message)};
    EXPECT_EQ(module_.Calls(), c.offered ? offered : Calls());
  }
  CWebBrowserUI without_object;
  MSG key = {host, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_EQ(without_object.TranslateKeyMessage(key), E_NOTIMPL);
}

TEST_F(WebBrowserTest, ScriptErrorsAreAnsweredWithoutADialog) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  ComPtr<IOleCommandTarget> target = Site<IOleCommandTarget>(IID_IOleCommandTarget);
  ASSERT_TRUE(target);
  const GUID doc_host = {0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
  const GUID other = {0x1, 0x2, 0x3, {0, 0, 0, 0, 0, 0, 0, 4}};
  VARIANT not_a_document;
  VariantInit(&not_a_document);
  not_a_document.vt = VT_UNKNOWN;
  not_a_document.punkVal = module_.ClientSite();  // An interface, but no document.
  const struct {
    const GUID* group;
    DWORD command;
    VARIANT* in;
    HRESULT expected;
  } cases[] = {
      {&doc_host, 40, nullptr, S_OK},
      {&doc_host, 40, &not_a_document, S_OK},
      {&doc_host, 41, nullptr, static_cast<HRESULT>(0x80040100)},
      {&other, 40, nullptr, static_cast<HRESULT>(0x80040104)},
      {nullptr, 40, nullptr, static_cast<HRESULT>(0x80040104)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.command);
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(target->Exec(c.group, c.command, 0, c.in, &out), c.expected);
    if (c.expected == S_OK) {
      EXPECT_EQ(out.vt, VT_BOOL);
      EXPECT_EQ(out.boolVal, VARIANT_TRUE);
    } else {
      EXPECT_EQ(out.vt, VT_EMPTY);
    }
  }
  EXPECT_EQ(target->Exec(&doc_host, 40, 0, nullptr, nullptr), S_OK);  // No output wanted.
  OLECMD command = {40, 0};
  EXPECT_EQ(target->QueryStatus(&doc_host, 1, &command, nullptr), static_cast<HRESULT>(0x80040100));
}

TEST_F(WebBrowserTest, QueryServiceHandsOutOnlyTheSecurityManager) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  ComPtr<IServiceProvider> services = Site<IServiceProvider>(IID_IServiceProvider);
  ASSERT_TRUE(services);
  const GUID download_manager = {
      0x988934a4, 0x064b, 0x11d3, {0xbb, 0x80, 0x00, 0x10, 0x4b, 0x35, 0xe7, 0xf9}};
  const GUID security = IID_IInternetSecurityManager;
  const struct {
    GUID service;
    GUID riid;
    HRESULT expected;
  } cases[] = {
      {security, security, S_OK},
      {download_manager, download_manager, E_NOINTERFACE},  // None offered.
      {security, IID_IUnknown, E_NOINTERFACE},
      {IID_IUnknown, security, E_NOINTERFACE},
      {IID_IOleClientSite, IID_IOleClientSite, E_NOINTERFACE},
  };
  services->AddRef();
  const ULONG references = services->Release();
  for (const auto& c : cases) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(services->QueryService(c.service, c.riid, &out), c.expected);
    if (c.expected != S_OK) {
      EXPECT_EQ(out, nullptr);
      continue;
    }
    // A reference of its own: usable after the provider is let go of.
    auto* manager = static_cast<IInternetSecurityManager*>(out);
    DWORD policy = 0xABCD;
    BYTE* policy_bytes = reinterpret_cast<BYTE*>(&policy);
    EXPECT_EQ(manager->ProcessUrlAction(L"http://example.com/", 0x1200, policy_bytes, sizeof(policy), nullptr,
                                        0, 0, 0),
              INET_E_DEFAULT_ACTION);
    EXPECT_EQ(policy, 0xABCDu);
    DWORD zone = 77;
    EXPECT_EQ(manager->MapUrlToZone(L"http://example.com/", &zone, 0), INET_E_DEFAULT_ACTION);
    EXPECT_EQ(zone, 77u);
    EXPECT_EQ(manager->Release(), references);  // It came with one reference of its own.
  }
  EXPECT_EQ(services->QueryService(security, security, nullptr), E_POINTER);
}

TEST_F(WebBrowserTest, EventsCheckTheirInterfaceIdAndArguments) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  IDispatch* sink = module_.EventSink();
  ASSERT_NE(sink, nullptr);
  VARIANT arguments[7] = {};
  const GUID not_null = {0x1, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
  const struct {
    DISPID event;
    const GUID* riid;
    UINT count;
    HRESULT expected;
  } cases[] = {
      {252, &IID_NULL, 2, S_OK},
      {250, &IID_NULL, 7, S_OK},
      {102, &IID_NULL, 1, S_OK},
      {252, &not_null, 2, E_INVALIDARG},
      {999, &IID_NULL, 0, DISP_E_MEMBERNOTFOUND},
      {252, &IID_NULL, 1, DISP_E_BADPARAMCOUNT},
      {250, &IID_NULL, 2, DISP_E_BADPARAMCOUNT},
      {271, &IID_NULL, 0, DISP_E_BADPARAMCOUNT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "event " << c.event << ", " << c.count << " arguments");
    module_.ClearCalls();
    DISPPARAMS params = {arguments, nullptr, c.count, 0};
    EXPECT_EQ(sink->Invoke(c.event, *c.riid, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              c.expected);
    // A navigation that completed gives its document the UI handler.
    const bool handled = c.event == 252 && c.expected == S_OK;
    const Calls handed_over = {L"get_Document", L"SetUIHandler"};
    EXPECT_EQ(module_.Calls(), handled ? handed_over : Calls());
  }
  EXPECT_EQ(sink->Invoke(252, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
}

TEST_F(WebBrowserTest, TheDocumentHostKeepsItsBordersOffAndLeavesTheRestToTheBrowser) {
  BrowserWindow window(module_, test::kSiteFirstClassText, L"false");
  ComPtr<IDocHostUIHandler> handler = Site<IDocHostUIHandler>(IID_IDocHostUIHandler);
  ASSERT_TRUE(handler);
  DOCHOSTUIINFO info = {};
  info.dwFlags = 0x10;
  EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, 0x200014u);
  EXPECT_EQ(handler->ShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
  IDispatch* external = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(handler->GetExternal(&external), S_FALSE);
  EXPECT_EQ(external, nullptr);
  wchar_t original[] = L"http://example.com/";
  LPWSTR translated = original;
  EXPECT_EQ(handler->TranslateUrl(0, original, &translated), E_NOTIMPL);
  EXPECT_EQ(translated, nullptr);
}

TEST(HimetricTest, PixelsBecomeHundredthsOfAMillimetre) {
  const struct {
    int pixels;
    int pixels_per_inch;
    int himetric;
  } cases[] = {{96, 96, 2540}, {1, 96, 26}, {240, 96, 6350}, {120, 120, 2540},
               {0, 96, 0},     {100, 0, 0}, {-96, 96, -2540}};
  for (const auto& c : cases)
    EXPECT_EQ(PixelsToHimetric(c.pixels, c.pixels_per_inch), c.himetric) << c.pixels;
}

TEST(ActiveXFactoryTest, BothClassesAreMadeByName) {
  for (const wchar_t* name : {L"CActiveXUI", L"CWebBrowserUI"}) {
    CControlUI* control = CControlFactory::Instance().CreateByClassName(name);
    ASSERT_NE(control, nullptr);
    EXPECT_NE(control->FindInterface(L"ActiveX"), nullptr);
    delete control;
  }
  CControlUI* browser = CControlFactory::Instance().CreateByClassName(L"CWebBrowserUI");
  EXPECT_STREQ(browser->GetClassName(), L"WebBrowserUI");
  EXPECT_EQ(browser->FindInterface(L"WebBrowser"), browser);
  delete browser;
}

}  // namespace
}  // namespace veneer
