#ifndef TESTS_RUNTIME_TEST_STACK_H_
#define TESTS_RUNTIME_TEST_STACK_H_

#include <vector>

#include "ui/runtime/control.h"

namespace veneer::test {

// A minimal container for the paint manager's tests, which stay independent of the containers proper:
// it owns its children, stacks them top to bottom at full width (each as tall as its fixed height, or
// taking the rest when that is 0), paints them clipped to itself after its own layers, and passes
// AttachManager and FindMatching on to them. UI thread only.
class TestStack : public CControlUI {
 public:
  TestStack() = default;
  ~TestStack() override;

  const wchar_t* GetClassName() const override { return L"TestStackUI"; }
  // Appends an owned child; attached to the manager with the stack when the stack has one.
  void Add(CControlUI* child);
  // Removes the child and hands it to the manager's delayed destruction.
  void RemoveLater(CControlUI* child);
  // Removes the child and gives it back to the caller, still attached to the manager.
  void Release(CControlUI* child);
  CControlUI* At(size_t index) const { return children_[index]; }

  void AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) override;
  CControlUI* FindMatching(FindVisitor visitor, void* context, uint32_t flags) override;
  void Place(const RECT& rect, bool invalidate) override;
  bool PaintLayers(HDC dc, const RECT& paint_area, CControlUI* stop_control) override;

 private:
  bool Unlink(CControlUI* child);

  std::vector<CControlUI*> children_;  // Owned.
};

}  // namespace veneer::test

#endif  // TESTS_RUNTIME_TEST_STACK_H_
