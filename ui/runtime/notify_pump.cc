#include "ui/runtime/notify_pump.h"

#include <cwchar>

#include "ui/runtime/control.h"

namespace veneer {
namespace {

// The row of one table for the notification: a row naming the sender at once, else the last row for any
// control; null when none.
const NotifyTableEntry* FindEntry(const NotifyTable& table, const NotifyRecord& record,
                                  const CUIString& sender_name) {
  const NotifyTableEntry* any_control = nullptr;
  for (const NotifyTableEntry& entry : table.entries) {
    if (!(record.type == entry.type)) continue;
    if (!entry.control_name || entry.control_name[0] == L'\0') {
      any_control = &entry;
    } else if (sender_name == entry.control_name) {
      return &entry;
    }
  }
  return any_control;
}

}  // namespace

CUIString SenderName(const NotifyRecord& record) {
  return record.sender ? record.sender->GetName() : CUIString();
}

const NotifyTable& CNotifyPump::ClassNotifyTable() {
  static const NotifyTable table(nullptr, {});
  return table;
}

const NotifyTable& CNotifyPump::GetNotifyTable() const { return ClassNotifyTable(); }

bool CNotifyPump::AddVirtualWindow(const wchar_t* name, CNotifyPump* pump) {
  if (!name || name[0] == L'\0' || !pump) return false;
  return virtual_windows_.Insert(name, pump);
}

bool CNotifyPump::RemoveVirtualWindow(const wchar_t* name) { return name && virtual_windows_.Remove(name); }

bool CNotifyPump::RouteNotification(NotifyRecord& record) {
  if (!record.virtualWindow.IsEmpty()) {
    bool handled = false;
    virtual_windows_.VisitEntries([&record, &handled](const wchar_t* name, void* data) {
      if (record.virtualWindow.CompareNoCase(name) == 0) {
        handled = static_cast<CNotifyPump*>(data)->DispatchThroughTables(record);
      }
      return !handled;
    });
    if (handled) return true;
  }
  return DispatchThroughTables(record);
}

bool CNotifyPump::DispatchThroughTables(NotifyRecord& record) {
  const CUIString sender_name = SenderName(record);
  for (const NotifyTable* table = &GetNotifyTable(); table; table = table->base) {
    const NotifyTableEntry* entry = FindEntry(*table, record, sender_name);
    if (!entry) continue;
    if (entry->handler) entry->handler(*this, record);
    return true;
  }
  return false;
}

}  // namespace veneer
