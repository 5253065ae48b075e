#ifndef UI_RUNTIME_TAB_LAYOUT_H_
#define UI_RUNTIME_TAB_LAYOUT_H_

#include <windows.h>

#include "ui/runtime/container.h"

namespace veneer {

// The notification a tab layout sends when its selection changed: wParam the new index, lParam the old
// one (-1 for none).
constexpr wchar_t kNotifyTabSelect[] = L"tabselect";

// A container that shows exactly one of its children (pages) at a time: the selected one, placed over
// the content area less its padding; every other page is hidden. The first page added while it is
// visible becomes the selection; later pages are added hidden, wherever they are inserted. Removing the
// selected page selects and shows the first one. Owned like any control; UI thread only.
class CTabLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetClassName() const override;       // "TabLayoutUI".
  void* FindInterface(const wchar_t* name) override;  // "TabLayout", then the container.
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control) override;
  void RemoveAll() override;
  bool SetItemIndex(CControlUI* control, int new_index) override;  // The selection moves with its page.
  // Places the selected page (with invalidation) and the floating children.
  void Place(const RECT& rect, bool invalidate) override;
  // "selectedid" selects that index and is also kept as a custom attribute; then the container's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

  // 128-129. Selecting shows the page, gives it the focus, hides the others, lays the layout out again
  // and sends kNotifyTabSelect; false for a control that is not a child or an index out of range; an
  // unchanged selection answers true and sends nothing.
  virtual bool SelectChild(CControlUI* control);
  virtual bool SelectIndex(int index);

  int GetSelectedIndex() const { return selected_; }

 private:
  // The new child's visibility and the selection after it was inserted at `index`.
  void TakeInsertedPage(CControlUI* control, int index);

  int selected_ = -1;
};

}  // namespace veneer

#endif  // UI_RUNTIME_TAB_LAYOUT_H_
