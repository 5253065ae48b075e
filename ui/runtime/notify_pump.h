#ifndef UI_RUNTIME_NOTIFY_PUMP_H_
#define UI_RUNTIME_NOTIFY_PUMP_H_

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "ui/core/string_keyed_map.h"
#include "ui/runtime/notify_record.h"

namespace veneer {

class CNotifyPump;

// The name of a notification's sender; empty when the sender was destroyed before delivery (null).
CUIString SenderName(const NotifyRecord& record);

// One row of a window's notification table: notifications of `type` from the control named
// `control_name` (empty: any control) go to `handler`. Rows are made with OnNotify, which binds a member
// function of the window in one of the two call forms (the notification, or its wParam and lParam).
struct NotifyTableEntry {
  using Handler = std::function<void(CNotifyPump& pump, NotifyRecord& record)>;
  const wchar_t* type;
  const wchar_t* control_name;
  Handler handler;
};

// A class's notification table and the table of its base class, so that the tables of a class
// hierarchy form a chain that is searched from the most derived class upwards. Tables are static
// objects of their classes.
struct NotifyTable {
  NotifyTable(const NotifyTable* base_table, std::initializer_list<NotifyTableEntry> rows)
      : base(base_table), entries(rows) {}
  const NotifyTable* base;
  std::vector<NotifyTableEntry> entries;
};

// A row whose handler takes the notification: `Window` is the class that declares the table.
template <typename Window>
NotifyTableEntry OnNotify(const wchar_t* type, const wchar_t* control_name,
                          void (Window::*handler)(NotifyRecord&)) {
  return {type, control_name, [handler](CNotifyPump& pump, NotifyRecord& record) {
            (static_cast<Window&>(pump).*handler)(record);
          }};
}

// A row whose handler takes the notification's wParam and lParam.
template <typename Window>
NotifyTableEntry OnNotify(const wchar_t* type, const wchar_t* control_name,
                          void (Window::*handler)(WPARAM, LPARAM)) {
  return {type, control_name, [handler](CNotifyPump& pump, NotifyRecord& record) {
            (static_cast<Window&>(pump).*handler)(record.wParam, record.lParam);
          }};
}

// Routes notifications to member functions through notification tables. A derived class declares a
// static NotifyTable whose base is its base class's table and returns it from GetNotifyTable. For a
// notification, the tables are searched from the object's own upwards; in each, among the rows of the
// notification's type, a row naming the sender is taken at once, else the last row for any control.
// The first table that yields a row calls it. A notification from a virtual window goes first to the
// sub-pumps registered under that window's name (ignoring case).
//
// The pump does not own its sub-pumps; whoever registers one removes it before destroying it. A
// notification whose sender was destroyed (null sender) counts as coming from a control without a name.
// UI thread only.
class CNotifyPump {
 public:
  CNotifyPump() = default;
  CNotifyPump(const CNotifyPump&) = delete;
  CNotifyPump& operator=(const CNotifyPump&) = delete;
  virtual ~CNotifyPump() = default;

  // The most derived class's table (each class's own is its static ClassNotifyTable). The pump's own
  // table has no rows and no base.
  virtual const NotifyTable& GetNotifyTable() const;
  static const NotifyTable& ClassNotifyTable();

  // Registers `pump` for notifications of the virtual window `name`; false when the name is taken, empty
  // or the pump is null.
  bool AddVirtualWindow(const wchar_t* name, CNotifyPump* pump);
  // False when no pump is registered under exactly that name.
  bool RemoveVirtualWindow(const wchar_t* name);

  // Hands the notification to the sub-pumps of its virtual window, then to this pump's tables. True when
  // a table row took it.
  bool RouteNotification(NotifyRecord& record);

 private:
  // This pump's tables only.
  bool DispatchThroughTables(NotifyRecord& record);

  CStringKeyedMap virtual_windows_;  // Name to sub-pump (not owned).
};

}  // namespace veneer

#endif  // UI_RUNTIME_NOTIFY_PUMP_H_
