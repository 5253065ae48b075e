// The paint manager's control tree: the root and the name map, focus and Tab navigation, timers,
// notifications and listeners, delayed destruction and forgetting controls.

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

CControlUI* EnterName(CControlUI* control, void* context) {
  const CUIString name = control->GetName();
  if (!name.IsEmpty()) static_cast<CStringKeyedMap*>(context)->Set(name, control);
  return nullptr;
}

// The tab stops of a tree in visiting order, and where an anchor control lies among them.
struct TabStops {
  const CControlUI* anchor;
  std::vector<CControlUI*> stops;
  bool anchor_found = false;
  size_t before_anchor = 0;  // Stops visited before the anchor.
  size_t after_anchor = 0;   // Index of the first stop visited after the anchor.

  CControlUI* Next(bool forward) const {
    if (stops.empty()) return nullptr;
    if (forward) return anchor_found && after_anchor < stops.size() ? stops[after_anchor] : stops.front();
    return anchor_found && before_anchor > 0 ? stops[before_anchor - 1] : stops.back();
  }
};

CControlUI* CollectTabStop(CControlUI* control, void* context) {
  auto* tab = static_cast<TabStops*>(context);
  const bool is_stop = (control->GetBehaviourFlags() & kBehaviourTabStop) && control->IsKeyboardEnabled();
  if (control == tab->anchor) {
    tab->anchor_found = true;
    tab->before_anchor = tab->stops.size();
    tab->after_anchor = tab->stops.size() + (is_stop ? 1 : 0);
  }
  if (is_stop) tab->stops.push_back(control);
  return nullptr;
}

}  // namespace

// The tree ------------------------------------------------------------------------------------------

void CPaintManagerUI::SetRoot(CControlUI* root) {
  if (root && root == root_.get()) return;
  if (!CreateShadowWindow()) return;
  if (focus_ && !MoveFocus(nullptr)) return;
  key_target_ = nullptr;
  hover_ = nullptr;
  click_ = nullptr;
  if (captured_) {
    CallOut call(this);  // WM_CAPTURECHANGED arrives before ReleaseCapture returns.
    ReleaseMouse();
    if (call.ManagerGone()) return;
  }
  if (root_) {
    paint_after_children_.RemoveAll();
    names_.RemoveAll();
    AddDelayedCleanup(root_.release());
  }
  root_.reset(root);
  layout_needed_ = true;
  first_layout_pending_ = true;
  focus_needed_ = true;
  AdoptControls(root, nullptr);
}

CControlUI* CPaintManagerUI::GetRoot() const { return root_.get(); }

void CPaintManagerUI::AdoptControls(CControlUI* control, CControlUI* parent) {
  if (!control) return;
  {
    // Initialisation runs the controls' init listeners.
    CallOut call(this, control);
    control->AttachManager(this, parent ? parent : control->GetParentControl(), true);
    if (call.ManagerGone() || !call.control()) return;
  }
  control->FindMatching(EnterName, &names_, 0);
}

CControlUI* CPaintManagerUI::FindControlByName(const wchar_t* name) {
  return static_cast<CControlUI*>(names_.Find(name));
}

CControlUI* CPaintManagerUI::FindControlAt(POINT point) {
  if (!root_) return nullptr;
  return root_->FindMatching([](CControlUI* control, void*) { return control; }, &point,
                             kFindVisible | kFindHitTest | kFindLastToFirst);
}

void CPaintManagerUI::RemoveNamesOf(const CControlUI* control) {
  std::vector<CUIString> names;
  names_.VisitEntries([control, &names](const wchar_t* name, void* data) {
    if (data == control) names.emplace_back(name);
    return true;
  });
  for (const CUIString& name : names) names_.Remove(name);
}

bool CPaintManagerUI::AddPaintAfterChildren(CControlUI* control) {
  return paint_after_children_.Add(control);
}

bool CPaintManagerUI::RemovePaintAfterChildren(CControlUI* control) {
  return paint_after_children_.Remove(control);
}

// Life cycle ----------------------------------------------------------------------------------------

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
  // The root is replaced through SetRoot; a control handed over twice is destroyed once.
  const auto already_waiting = [control](const std::unique_ptr<CControlUI>& waiting) {
    return waiting.get() == control;
  };
  if (!control || control == root_.get() ||
      std::any_of(delayed_cleanup_.begin(), delayed_cleanup_.end(), already_waiting)) {
    return;
  }
  control->AttachManager(this, nullptr, false);
  delayed_cleanup_.push_back(std::unique_ptr<CControlUI>(control));
  if (!call_outs_) PostDeliveryMessage();  // Otherwise posted when the last call out closes.
}

void CPaintManagerUI::ForgetControl(CControlUI* control) {
  if (!control) return;
  if (focus_ == control) focus_ = nullptr;
  if (focus_candidate_ == control) focus_candidate_ = nullptr;
  if (hover_ == control) hover_ = nullptr;
  if (key_target_ == control) key_target_ = nullptr;
  if (tab_anchor_ == control) tab_anchor_ = nullptr;
  paint_after_children_.Remove(control);
  RemoveNamesOf(control);
  timers_.RemoveControl(control);
  std::replace(layout_queue_.begin(), layout_queue_.end(), control, static_cast<CControlUI*>(nullptr));
  for (NotifyRecord& record : queued_notifications_) {
    if (record.sender == control) record.sender = nullptr;
  }
  for (CallOut* call = call_outs_; call; call = call->outer_) {
    if (call->watched_ == control) call->watched_ = nullptr;
    if (call->delivering_ && call->delivering_->sender == control) call->delivering_->sender = nullptr;
  }
  if (click_ == control) {
    click_ = nullptr;
    ReleaseMouse();  // Last: WM_CAPTURECHANGED arrives before it returns.
  }
}

void CPaintManagerUI::PostDeliveryMessage() {
  if (async_posted_ || !window_) return;
  async_posted_ = PostMessageW(window_, kDeliveryMessage, 0, 0) != FALSE;
}

void CPaintManagerUI::OnCallOutsEnded() {
  if (!delayed_cleanup_.empty()) PostDeliveryMessage();
}

bool CPaintManagerUI::DestroyDelayedControls() {
  // Destructors may hand further controls over: they wait for the next delivery message.
  std::vector<std::unique_ptr<CControlUI>> doomed;
  doomed.swap(delayed_cleanup_);
  CallOut call(this);  // Destroy listeners run.
  doomed.clear();
  return !call.ManagerGone();
}

bool CPaintManagerUI::OnDeliveryMessage() {
  async_posted_ = false;
  // While a handler is still running (a nested message loop delivered this message), the controls it
  // may use stay alive; the last call out to close posts the message again.
  if (!call_outs_ && !delayed_cleanup_.empty() && !DestroyDelayedControls()) return true;
  // Notifications queued while these are delivered wait for the next delivery message.
  for (size_t count = queued_notifications_.size(); count > 0 && !queued_notifications_.empty(); --count) {
    NotifyRecord record = std::move(queued_notifications_.front());
    queued_notifications_.pop_front();
    if (!Deliver(record)) return true;
  }
  if (!queued_notifications_.empty()) PostDeliveryMessage();
  return true;
}

// Notifications -------------------------------------------------------------------------------------

void CPaintManagerUI::SendNotify(CControlUI* control, const wchar_t* type, WPARAM wparam, LPARAM lparam,
                                 bool queued) {
  NotifyRecord record;
  record.type = type;
  record.sender = control;
  record.wParam = wparam;
  record.lParam = lparam;
  SendNotify(record, queued);
}

void CPaintManagerUI::Stamp(NotifyRecord* record) const {
  record->timestamp = GetTickCount();
  record->mousePoint = last_mouse_point_;
  if (uses_virtual_windows_ && record->sender) record->virtualWindow = record->sender->GetVirtualWindowName();
}

void CPaintManagerUI::SendNotify(const NotifyRecord& record, bool queued) {
  NotifyRecord stamped = record;
  Stamp(&stamped);
  if (!queued) {
    Deliver(stamped);
    return;
  }
  queued_notifications_.push_back(std::move(stamped));
  PostDeliveryMessage();
}

bool CPaintManagerUI::Deliver(NotifyRecord& record) {
  CallOut call(this, nullptr, &record);
  if (record.sender) record.sender->NotifyListeners().Fire(&record);
  if (call.ManagerGone()) return false;
  notifiers_.Walk([&record, &call](INotifyUI* notifier) {
    notifier->ReceiveNotification(record);
    return !call.ManagerGone();
  });
  return !call.ManagerGone();
}

bool CPaintManagerUI::Notify(CControlUI* control, const wchar_t* type) {
  NotifyRecord record;
  record.type = type;
  record.sender = control;
  Stamp(&record);
  return Deliver(record);
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) { return notifiers_.Add(notifier); }
bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { return notifiers_.Remove(notifier); }
bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) { return message_filters_.Add(filter); }
bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
  return message_filters_.Remove(filter);
}
bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) {
  return pre_message_filters_.Add(filter);
}
bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) {
  return pre_message_filters_.Remove(filter);
}
bool CPaintManagerUI::AddTranslateAccelerator(ITranslateAccelerator* translator) {
  return translators_.Add(translator);
}
bool CPaintManagerUI::RemoveTranslateAccelerator(ITranslateAccelerator* translator) {
  return translators_.Remove(translator);
}

// Events and focus ----------------------------------------------------------------------------------

bool CPaintManagerUI::DispatchTo(CControlUI* control, EventRecord& event) {
  CallOut call(this);
  control->DispatchEvent(event);
  return !call.ManagerGone();
}

bool CPaintManagerUI::TakeNativeFocus(CControlUI** control) {
  // WM_SETFOCUS (and WM_KILLFOCUS of the window losing it) arrive before SetFocus returns.
  CallOut call(this, *control);
  SetFocus(window_);
  *control = call.control();
  return !call.ManagerGone();
}

void CPaintManagerUI::FocusControl(CControlUI* control) { MoveFocus(control); }

bool CPaintManagerUI::MoveFocus(CControlUI* control) {
  if (window_ && control != focus_ && GetFocus() != window_) {
    const bool clearing = control == nullptr;
    if (!TakeNativeFocus(&control)) return false;
    if (!control && !clearing) return true;  // Destroyed meanwhile: nothing to focus.
  }
  if (control == focus_) return true;
  // The handlers of the events below may destroy either control or move the focus themselves, in which
  // case the latest request wins: focus_candidate_ is what this call will focus.
  focus_candidate_ = control;
  if (CControlUI* losing = focus_) {
    focus_ = nullptr;
    EventRecord lost = MakeEvent(EventKind::FocusLost, control);
    CallOut call(this, losing);
    losing->DispatchEvent(lost);
    if (call.ManagerGone()) return false;
    if (call.control() && !Notify(losing, kNotifyKillFocus)) return false;
  }
  CControlUI* gaining = focus_candidate_;
  focus_candidate_ = nullptr;
  if (!gaining || gaining->GetPaintManager() != this || !gaining->IsVisible() || !gaining->IsEnabled())
    return true;
  focus_ = gaining;
  EventRecord gained = MakeEvent(EventKind::FocusGained, gaining);
  CallOut call(this, gaining);
  gaining->DispatchEvent(gained);
  if (call.ManagerGone()) return false;
  return !call.control() || focus_ != gaining || Notify(gaining, kNotifySetFocus);
}

void CPaintManagerUI::SetFocusNeeded(CControlUI* control) {
  if (window_ && !TakeNativeFocus(&control)) return;
  if (!MoveFocus(nullptr)) return;
  tab_anchor_ = control;
  focus_needed_ = true;
  if (root_) root_->MarkLayoutDirty();
  MarkLayoutNeeded();
}

void CPaintManagerUI::SetNextTabControl(bool forward) { MoveFocusToTabStop(forward); }

bool CPaintManagerUI::MoveFocusToTabStop(bool forward) {
  if (forward && layout_needed_) {
    focus_needed_ = true;
    InvalidateAll();
    return true;
  }
  focus_needed_ = false;
  TabStops tab{focus_ ? focus_ : tab_anchor_, {}};
  tab_anchor_ = nullptr;
  if (root_) root_->FindMatching(CollectTabStop, &tab, kFindVisible | kFindEnabled | kFindSelfFirst);
  CControlUI* next = tab.Next(forward);
  return !next || MoveFocus(next);
}

// Timers --------------------------------------------------------------------------------------------

bool CPaintManagerUI::SetControlTimer(CControlUI* control, UINT_PTR id, UINT elapse_ms) {
  return timers_.Set(control, id, elapse_ms);
}

bool CPaintManagerUI::KillControlTimer(CControlUI* control, UINT_PTR id) { return timers_.Kill(control, id); }

void CPaintManagerUI::KillControlTimers(CControlUI* control) { timers_.RemoveControl(control); }

void CPaintManagerUI::RemoveAllTimers() { timers_.RemoveAll(); }

const CControlTimers::Record* CPaintManagerUI::FindControlTimer(const CControlUI* control,
                                                                UINT_PTR id) const {
  return timers_.Find(control, id);
}

}  // namespace veneer
