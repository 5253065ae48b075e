#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/runtime/managed_window.h"
#include "tests/support/access_violation_watch.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_window.h"
#include "ui/controls/window_impl_base.h"
#include "ui/core/win_handles.h"
#include "ui/runtime/container.h"
#include "ui/runtime/control.h"

namespace veneer::test {
namespace {

// Size box and caption over a label (left half) and a button (right half).
constexpr wchar_t kHitTestSkin[] =
    LR"(<Window size="100,100" sizebox="4,4,4,4" caption="0,0,0,36"><HorizontalLayout>)"
    LR"(<Label name="lab" width="50" /><Button name="btn" /></HorizontalLayout></Window>)";
// The default buttons and round corners.
constexpr wchar_t kButtonsSkin[] =
    LR"(<Window roundcorner="20,20" size="100,100"><HorizontalLayout>)"
    LR"(<Button name="closebtn" width="40" /><Button name="maxbtn" width="30" />)"
    LR"(<Button name="restorebtn" visible="false" /></HorizontalLayout></Window>)";

// A skinned popup window built from markup text, at (40, 40).
class SkinWindow : public WindowImplBase {
 public:
  explicit SkinWindow(const wchar_t* skin) : skin_(skin) {}
  HWND Create(HWND owner = nullptr) { return CreateNativeWindow(owner, L"", WS_POPUP, 0, 40, 40, 100, 100); }
  // Shows the window without activating it and lays it out.
  void ShowAndPaint() {
    ShowNative(true, false);
    UpdateWindow(GetHWND());
  }
  LRESULT HitTest(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(GetHWND(), &point);
    return SendToWindow(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  }
  bool IsControlVisible(const wchar_t* name) {
    CControlUI* control = GetPaintManager().FindControlByName(name);
    return control && control->IsVisible();
  }
  int clicks_without_sender = 0;

 protected:
  const wchar_t* WindowClassName() const override { return L"VeneerSkinWindowTest"; }
  const wchar_t* SkinFile() const override { return skin_; }
  void OnDefaultClick(NotifyRecord& record) override {
    if (!record.sender) ++clicks_without_sender;
    WindowImplBase::OnDefaultClick(record);
  }

 private:
  const wchar_t* skin_;
};

struct HitCase {
  POINT point;
  LRESULT code;
};

TEST(WindowImplBaseTest, HitTestingFindsResizeZonesThenTheCaptionOverPassiveControls) {
  SkinWindow window(kHitTestSkin);
  ASSERT_NE(nullptr, window.Create());
  window.ShowAndPaint();
  const HitCase zones[] = {{{2, 2}, HTTOPLEFT},     {{50, 2}, HTTOP},         {{97, 2}, HTTOPRIGHT},
                           {{2, 50}, HTLEFT},       {{97, 50}, HTRIGHT},      {{50, 97}, HTBOTTOM},
                           {{2, 97}, HTBOTTOMLEFT}, {{97, 97}, HTBOTTOMRIGHT}};
  const HitCase caption[] = {{{20, 20}, HTCAPTION}, {{70, 20}, HTCLIENT}, {{20, 36}, HTCLIENT}};
  for (const HitCase& c : zones)
    EXPECT_EQ(c.code, window.HitTest(c.point.x, c.point.y)) << c.point.x << "," << c.point.y;
  for (const HitCase& c : caption) {
    EXPECT_EQ(c.code, window.HitTest(c.point.x, c.point.y)) << c.point.x << "," << c.point.y;
  }

  ShowWindow(window.GetHWND(), SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(window.GetHWND()));
  for (const HitCase& c : zones) {
    const LRESULT code = window.HitTest(c.point.x, c.point.y);
    EXPECT_TRUE(code == HTCLIENT || code == HTCAPTION)
        << "maximised " << c.point.x << "," << c.point.y << ": " << code;
  }
}

TEST(WindowImplBaseTest, RegionHasTheSkinsRoundCorners) {
  SkinWindow window(kButtonsSkin);
  ASSERT_NE(nullptr, window.Create());
  window.ShowAndPaint();
  ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(ERROR, GetWindowRgn(window.GetHWND(), region.get()));
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.get(), 99, 99));
  EXPECT_TRUE(PtInRegion(region.get(), 50, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 99, 50));
}

TEST(WindowImplBaseTest, MaximiseAndRestoreButtonsSwapWithTheState) {
  SkinWindow window(kButtonsSkin);
  ASSERT_NE(nullptr, window.Create());
  window.ShowAndPaint();
  CPaintManagerUI& manager = window.GetPaintManager();
  manager.SendNotify(manager.FindControlByName(L"maxbtn"), L"click");
  EXPECT_TRUE(IsZoomed(window.GetHWND()));
  EXPECT_FALSE(window.IsControlVisible(L"maxbtn"));
  EXPECT_TRUE(window.IsControlVisible(L"restorebtn"));
  manager.SendNotify(manager.FindControlByName(L"restorebtn"), L"click");
  EXPECT_FALSE(IsZoomed(window.GetHWND()));
  EXPECT_TRUE(window.IsControlVisible(L"maxbtn"));
  EXPECT_FALSE(window.IsControlVisible(L"restorebtn"));
}

struct ShadowSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK TakeOwnedShadow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ShadowSearch*>(context);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (GetWindow(window, GW_OWNER) != search->owner || wcscmp(name, L"UmbraShadowWnd") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The shadow window a skinned window owns, or null.
HWND FindOwnedShadow(HWND owner) {
  ShadowSearch search = {owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), TakeOwnedShadow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(WindowImplBaseTest, SkinWithShowShadowGetsAShadowAroundTheWindow) {
  SkinWindow window(
      LR"(<Window size="100,100" showshadow="true" shadowsize="10" shadowcolor="#ff000000">)"
      LR"(<Control /></Window>)");
  ASSERT_NE(nullptr, window.Create());
  window.ShowAndPaint();
  const HWND shadow = FindOwnedShadow(window.GetHWND());
  ASSERT_NE(nullptr, shadow);
  RECT frame = {};
  RECT around = {};
  GetWindowRect(window.GetHWND(), &frame);
  GetWindowRect(shadow, &around);
  EXPECT_PRED2(RectEq, CUIRect(frame.left - 10, frame.top - 10, frame.right + 10, frame.bottom + 10), around);

  SkinWindow plain(kButtonsSkin);
  ASSERT_NE(nullptr, plain.Create());
  plain.ShowAndPaint();
  EXPECT_EQ(nullptr, FindOwnedShadow(plain.GetHWND()));
}

TEST(WindowImplBaseTest, QueuedClickWhoseSenderWasDestroyedArrivesWithoutOne) {
  AccessViolationWatch faults;
  SkinWindow window(kButtonsSkin);
  ASSERT_NE(nullptr, window.Create());
  CPaintManagerUI& manager = window.GetPaintManager();
  CControlUI* close = manager.FindControlByName(L"closebtn");
  ASSERT_NE(nullptr, close);
  manager.SendNotify(close, L"click", 0, 0, /*queued=*/true);
  auto* layout = static_cast<IContainerUI*>(close->GetParentControl()->FindInterface(L"IContainer"));
  ASSERT_TRUE(layout->Remove(close));
  EXPECT_TRUE(PumpMessagesUntil([&] { return window.clicks_without_sender == 1; }, 2000));
  PumpMessagesFor(50);
  EXPECT_TRUE(IsWindow(window.GetHWND())) << "a click without a sender closes nothing";
  EXPECT_EQ(0, faults.count());
}

// The owner of modal dialogs notes whether it was enabled when kOwnerProbe reached it.
constexpr UINT kOwnerProbe = WM_APP + 7;
struct OwnerState {
  int probes = 0;
  bool enabled_at_probe = true;
};
bool RecordOwnerState(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*, void* context) {
  if (message != kOwnerProbe) return false;
  auto* state = static_cast<OwnerState*>(context);
  ++state->probes;
  state->enabled_at_probe = IsWindowEnabled(hwnd) != FALSE;
  return true;
}

struct ModalCase {
  const char* what;
  void (*act)(SkinWindow& dialog);
  WPARAM result;
};

TEST(WindowImplBaseTest, RunModalReturnsTheCloseResultAndGivesTheOwnerBack) {
  const ModalCase cases[] = {
      {"PostClose", [](SkinWindow& dialog) { dialog.PostClose(7); }, 7},
      {"close button",
       [](SkinWindow& dialog) {
         dialog.PostToWindow(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
         dialog.PostToWindow(WM_LBUTTONUP, 0, At(20, 20));
       },
       1},
      {"system close", [](SkinWindow& dialog) { dialog.PostToWindow(WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
      {"Escape closes nothing",
       [](SkinWindow& dialog) {
         dialog.PostToWindow(WM_KEYDOWN, VK_ESCAPE, 1);
         dialog.PostClose(5);
       },
       5},
  };
  for (const ModalCase& c : cases) {
    OwnerState state;
    TestWindow owner = TestWindow::Hidden(50, 50, RecordOwnerState, &state);
    SkinWindow dialog(kButtonsSkin);
    const HWND dialog_window = dialog.Create(owner.hwnd());
    ASSERT_NE(nullptr, dialog_window) << c.what;
    dialog.ShowAndPaint();  // Laid out, so that clicks find their buttons.
    PostMessageW(owner.hwnd(), kOwnerProbe, 0, 0);
    c.act(dialog);
    EXPECT_EQ(c.result, dialog.RunModal()) << c.what;
    EXPECT_EQ(1, state.probes) << c.what;
    EXPECT_FALSE(state.enabled_at_probe) << c.what;
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd())) << c.what;
    EXPECT_FALSE(IsWindow(dialog_window)) << c.what;
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.what;
  }
}

TEST(WindowImplBaseTest, QuitWhileModalPassesTheQuitOnAndTheDialogTakesItsWindowAlong) {
  AccessViolationWatch faults;
  TestWindow owner = TestWindow::Hidden(50, 50);
  HWND dialog_window = nullptr;
  {
    SkinWindow dialog(kButtonsSkin);  // On the stack, as dialogs are.
    dialog_window = dialog.Create(owner.hwnd());
    ASSERT_NE(nullptr, dialog_window);
    PostQuitMessage(3);  // Quit from the tray while the dialog is open.
    EXPECT_EQ(0u, dialog.RunModal());
    EXPECT_TRUE(IsWindow(dialog_window));
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  }
  EXPECT_FALSE(IsWindow(dialog_window));
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, quit.wParam);
  PumpMessagesFor(50);
  EXPECT_EQ(0, faults.count());
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

bool HasClass(HWND window, const wchar_t* class_name) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return CompareStringOrdinal(name, -1, class_name, -1, TRUE) == CSTR_EQUAL;
}

// Collects the dialog windows (class "#32770") of one process.
struct DialogSearch {
  DWORD process_id;
  std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id == search->process_id && HasClass(window, L"#32770")) search->dialogs.push_back(window);
  return TRUE;
}

std::vector<HWND> DialogsOf(DWORD process_id) {
  DialogSearch search{process_id, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.dialogs;
}

BOOL CALLBACK AppendStaticText(HWND child, LPARAM texts) {
  if (HasClass(child, L"Static")) *reinterpret_cast<std::wstring*>(texts) += TextOf(child);
  return TRUE;
}

// The texts of a dialog's static controls: a message box's message (its icon has no text).
std::wstring StaticTextsOf(HWND dialog) {
  std::wstring texts;
  EnumChildWindows(dialog, AppendStaticText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

std::wstring ProgramBesideThisOne(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  return program.substr(0, program.find_last_of(L"\\/") + 1) + name;
}

TEST(WindowImplBaseTest, SkinThatCannotBeLoadedEndsTheProcessWithCode1AfterOneMessageBox) {
  std::wstring command = L"\"" + ProgramBesideThisOne(L"skin_failure_window.exe") + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION child = {};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &child));
  ScopedKernelHandle process(child.hProcess);
  ScopedKernelHandle thread(child.hThread);
  // The box counts once it is filled in: its texts are set after its window appears.
  std::vector<HWND> boxes;
  const bool box_shown = PumpMessagesUntil(
      [&] {
        boxes = DialogsOf(child.dwProcessId);
        return (!boxes.empty() && !StaticTextsOf(boxes[0]).empty()) ||
               WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
      },
      30000);
  if (!box_shown || boxes.size() != 1) TerminateProcess(process.get(), 99);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(L"Veneer", TextOf(boxes[0]));
  EXPECT_EQ(L"加载资源文件失败：no_such_skin.xml", StaticTextsOf(boxes[0]));
  PostMessageW(boxes[0], WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 99);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.get(), &exit_code);
  EXPECT_EQ(1u, exit_code);
}

}  // namespace
}  // namespace veneer::test
