#ifndef TESTS_RUNTIME_CONTAINER_FIXTURES_H_
#define TESTS_RUNTIME_CONTAINER_FIXTURES_H_

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "ui/runtime/container.h"

namespace veneer::test {

// A control with a fixed size (0 lets the layout stretch it), handed over to `container`.
inline CControlUI* AddSized(CContainerUI* container, int width, int height) {
  auto* child = new CControlUI;
  child->SetFixedWidth(width);
  child->SetFixedHeight(height);
  EXPECT_TRUE(container->Add(child));
  return child;
}

inline ::testing::AssertionResult ChildrenAt(const std::vector<RECT>& expected,
                                             const CContainerUI& container) {
  if (static_cast<int>(expected.size()) != container.GetCount()) {
    return ::testing::AssertionFailure()
           << expected.size() << " children expected, got " << container.GetCount();
  }
  for (size_t i = 0; i < expected.size(); ++i) {
    const ::testing::AssertionResult same =
        RectEq(expected[i], container.GetItemAt(static_cast<int>(i))->GetBounds());
    if (!same) return ::testing::AssertionFailure() << "child " << i << ": " << same.message();
  }
  return ::testing::AssertionSuccess();
}

// The notifications sent about one control.
struct NotifyLog {
  struct Entry {
    std::wstring type;
    WPARAM wParam;
    LPARAM lParam;
  };
  explicit NotifyLog(CControlUI* control) {
    control->NotifyListeners().Add(MakeDelegate<NotifyLog, NotifyRecord, &NotifyLog::OnNotify>(this));
  }
  bool OnNotify(NotifyRecord* record) {
    entries.push_back({record->type.GetData(), record->wParam, record->lParam});
    return true;
  }
  std::vector<Entry> entries;
};

// Records, when a child is destroyed, whether its container still listed it.
struct DestroyLog {
  void Watch(CControlUI* child) {
    child->DestroyListeners().Add(MakeDelegate<DestroyLog, CControlUI, &DestroyLog::OnDestroy>(this));
  }
  bool OnDestroy(CControlUI* child) {
    ++destroyed;
    if (container && container->GetItemIndex(child) >= 0) ++destroyed_while_listed;
    return true;
  }
  const CContainerUI* container = nullptr;
  int destroyed = 0;
  int destroyed_while_listed = 0;
};

}  // namespace veneer::test

#endif  // TESTS_RUNTIME_CONTAINER_FIXTURES_H_
