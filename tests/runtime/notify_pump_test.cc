#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/runtime/control.h"
#include "ui/runtime/notify_pump.h"

namespace veneer::test {
namespace {

// A pump whose rows log which handler took a notification.
class BasePump : public CNotifyPump {
 public:
  static const NotifyTable& ClassNotifyTable() {
    static const NotifyTable table(&CNotifyPump::ClassNotifyTable(),
                                   {OnNotify(L"click", L"", &BasePump::BaseAnyClick),
                                    OnNotify(L"select", L"", &BasePump::BaseAnySelect)});
    return table;
  }
  const NotifyTable& GetNotifyTable() const override { return ClassNotifyTable(); }

  std::vector<std::string> log;

 private:
  void BaseAnyClick(NotifyRecord&) { log.push_back("base any click"); }
  void BaseAnySelect(WPARAM wparam, LPARAM lparam) {
    log.push_back("base select " + std::to_string(wparam) + "," + std::to_string(lparam));
  }
};

class DerivedPump : public BasePump {
 public:
  static const NotifyTable& ClassNotifyTable() {
    static const NotifyTable table(
        &BasePump::ClassNotifyTable(),
        {OnNotify(L"click", L"", &DerivedPump::FirstAnyClick),
         OnNotify(L"click", L"btn_ok", &DerivedPump::OkClick),
         OnNotify(L"click", L"", &DerivedPump::LastAnyClick), OnNotify(L"open", L"", &DerivedPump::AnyOpen)});
    return table;
  }
  const NotifyTable& GetNotifyTable() const override { return ClassNotifyTable(); }

 private:
  void FirstAnyClick(NotifyRecord&) { log.push_back("first any click"); }
  void OkClick(NotifyRecord&) { log.push_back("ok click"); }
  void LastAnyClick(NotifyRecord&) { log.push_back("last any click"); }
  void AnyOpen(NotifyRecord&) { log.push_back("any open"); }
};

struct RouteCase {
  const char* what;
  const wchar_t* type;
  const wchar_t* sender;  // Null: the sender was destroyed before delivery.
  const wchar_t* virtual_window;
  bool handled;
  const char* main_log;  // What the main pump's handlers logged ("" for nothing).
  const char* sub_log;   // What the sub-pump registered as "Pane" logged.
};

class NotifyPumpRouteTest : public ::testing::TestWithParam<RouteCase> {};

TEST_P(NotifyPumpRouteTest, TakesTheRowThatTheRulesChoose) {
  const RouteCase& c = GetParam();
  DerivedPump pump;
  BasePump sub_pump;
  ASSERT_TRUE(pump.AddVirtualWindow(L"Pane", &sub_pump));
  CControlUI sender;
  if (c.sender) sender.SetName(c.sender);
  NotifyRecord record;
  record.type = c.type;
  record.sender = c.sender ? &sender : nullptr;
  record.virtualWindow = c.virtual_window;
  record.wParam = 3;
  record.lParam = -4;
  EXPECT_EQ(c.handled, pump.RouteNotification(record)) << c.what;
  EXPECT_EQ(c.main_log, pump.log.empty() ? "" : pump.log.back()) << c.what;
  EXPECT_LE(pump.log.size(), 1u) << c.what;
  EXPECT_EQ(c.sub_log, sub_pump.log.empty() ? "" : sub_pump.log.back()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NotifyPumpRouteTest,
    ::testing::Values(
        RouteCase{"the named row is taken at once", L"click", L"btn_ok", L"", true, "ok click", ""},
        RouteCase{"else the last row for any control", L"click", L"btn_other", L"", true, "last any click",
                  ""},
        RouteCase{"a null sender has no name", L"click", nullptr, L"", true, "last any click", ""},
        RouteCase{"names compare exactly", L"click", L"BTN_OK", L"", true, "last any click", ""},
        RouteCase{"the base table when the own has no row", L"select", L"x", L"", true, "base select 3,-4",
                  ""},
        RouteCase{"types compare exactly", L"Click", L"btn_ok", L"", false, "", ""},
        RouteCase{"no row at all", L"timer", L"x", L"", false, "", ""},
        RouteCase{"the virtual window's pump first, its name ignoring case", L"click", L"btn_ok", L"PANE",
                  true, "", "base any click"},
        RouteCase{"back to the own tables when the sub-pump has no row", L"open", L"x", L"pane", true,
                  "any open", ""},
        RouteCase{"an unknown virtual window goes to the own tables", L"click", L"btn_ok", L"Other", true,
                  "ok click", ""}));

}  // namespace
}  // namespace veneer::test
