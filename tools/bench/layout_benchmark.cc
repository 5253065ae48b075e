// Prints the cost of laying out trees of 2,000 controls, one pass at a time.
//
// The arithmetic alone, as the containers run it: describe the children, compute the offers, measure
// each child once (here: its fixed size, as the control base measures), lay out, update the scroll bars.
// Three shapes: one vertical layout of 2,000 children, a vertical layout of 40 horizontal layouts of 49
// children each, and a tile layout of 2,000 children.
//
// Then the real container classes: a window's vertical layout holding 20 horizontal layouts of 49
// controls and a tile layout of 998 controls (2,000 controls in all), attached to a paint manager and
// placed as the manager places its root. Figures only; nothing is asserted.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "tests/support/benchmark_timer.h"
#include "ui/runtime/paint_manager.h"
#include "ui/runtime/stack_layout.h"
#include "ui/runtime/tile_layout.h"
#include "ui/runtime/scroll_arithmetic.h"
#include "ui/runtime/stack_arithmetic.h"
#include "ui/runtime/tile_arithmetic.h"

namespace veneer::test {
namespace {

constexpr int kControls = 2000;

// Children of every kind: fixed, stretchable with limits, padded, and every 50th one floating.
std::vector<LayoutChild> MixedChildren(size_t count) {
  std::vector<LayoutChild> children(count);
  for (size_t i = 0; i < count; ++i) {
    LayoutChild& child = children[i];
    if (i % 3 == 0) child.fixed = CUISize(40, 24);
    if (i % 7 == 0) child.min_size = CUISize(10, 10);
    if (i % 5 == 0) child.padding = CUIRect(2, 1, 2, 1);
    if (i % 50 == 49) {
      child.role = LayoutRole::kFloating;
      child.fixed = CUISize(28, 28);
      child.anchor.offset = CUISize(4, 4);
    }
  }
  return children;
}

// Sums of the offers and placed rectangles, so that the compiler cannot drop any part of a pass.
long long g_checksum = 0;

// Measures each flow child as the control base does: its fixed size, whatever it is offered.
void Measure(std::vector<LayoutChild>& children, const std::vector<CUISize>& offers) {
  for (size_t i = 0; i < children.size(); ++i) {
    if (children[i].role != LayoutRole::kFlow) continue;
    children[i].desired = children[i].fixed;
    g_checksum += offers[i].cx;
  }
}

void Consume(const LayoutResult& result) {
  for (const PlacedChild& child : result.children) g_checksum += child.rect.left + child.rect.bottom;
  g_checksum += UpdateScrollBar(LayoutAxis::kVertical, {ScrollBarPresence::kHidden, 12, 0, 0}, result.content,
                                result.needed.cy)
                    .bar.range;
}

LayoutResult StackPass(LayoutAxis axis, const RECT& bounds, const std::vector<LayoutChild>& described) {
  std::vector<LayoutChild> children = described;
  const StackFrame frame = MakeStackFrame(axis, {4, CrossAlign::kCenter}, bounds, {2, 2, 2, 2}, {});
  Measure(children, StackMeasureOffers(frame, children));
  return LayoutStack(frame, children);
}

void ReportOneVerticalLayout() {
  const std::vector<LayoutChild> children = MixedChildren(kControls);
  ReportMicrosecondsPerCall("vertical layout of 2,000 children", 200, [&] {
    Consume(StackPass(LayoutAxis::kVertical, {0, 0, 960, 720}, children));
  });
}

void ReportRowsOfHorizontalLayouts() {
  constexpr int kRows = 40;
  const std::vector<LayoutChild> rows = MixedChildren(kRows);
  const std::vector<LayoutChild> cells = MixedChildren(kControls / kRows - 1);
  ReportMicrosecondsPerCall("vertical layout of 40 rows of 49 (2,000 controls)", 200, [&] {
    const LayoutResult outer = StackPass(LayoutAxis::kVertical, {0, 0, 960, 720}, rows);
    Consume(outer);
    for (const PlacedChild& row : outer.children) {
      if (row.placed) Consume(StackPass(LayoutAxis::kHorizontal, row.rect, cells));
    }
  });
}

void ReportTileLayout() {
  const std::vector<LayoutChild> described = MixedChildren(kControls);
  ReportMicrosecondsPerCall("tile layout of 2,000 children, item 96 x 96", 200, [&] {
    std::vector<LayoutChild> children = described;
    const TileFrame frame = MakeTileFrame({{96, 96}, 1, 6}, {0, 0, 960, 720}, {2, 2, 2, 2}, {});
    Measure(children, TileMeasureOffers(frame, children));
    Consume(LayoutTile(frame, children));
  });
}

// Gives `container` `count` controls of every kind, as MixedChildren describes them.
void AddMixedControls(CContainerUI* container, int count) {
  for (int i = 0; i < count; ++i) {
    auto* control = new CControlUI;
    if (i % 3 == 0) {
      control->SetFixedWidth(40);
      control->SetFixedHeight(24);
    }
    if (i % 7 == 0) {
      control->SetMinWidth(10);
      control->SetMinHeight(10);
    }
    if (i % 5 == 0) control->SetPadding({2, 1, 2, 1});
    if (i % 50 == 49) {
      control->ApplyAttribute(L"pos", L"4,4,32,32");
      control->SetFloat(true);
    }
    container->Add(control);
  }
}

void ReportContainerClasses() {
  constexpr int kRows = 20;
  constexpr int kCells = 49;
  constexpr int kTiles = kControls - 1 - kRows * (kCells + 1) - 1;
  CPaintManagerUI manager;
  auto root = std::make_unique<CVerticalLayoutUI>();
  root->SetInset({2, 2, 2, 2});
  root->SetChildPadding(4);
  for (int row = 0; row < kRows; ++row) {
    auto* horizontal = new CHorizontalLayoutUI;
    horizontal->SetFixedHeight(24);
    horizontal->SetChildVAlign(4);
    AddMixedControls(horizontal, kCells);
    root->Add(horizontal);
  }
  auto* tile = new CTileLayoutUI;
  tile->SetItemSize({96, 96});
  tile->SetChildPadding(6);
  tile->EnableScrollBars(true, false);
  AddMixedControls(tile, kTiles);
  root->Add(tile);
  manager.AdoptControls(root.get(), nullptr);
  const CUIRect client(0, 0, 960, 720);
  ReportMicrosecondsPerCall("container classes, 20 rows of 49 and a tile of 998", 200, [&] {
    root->Place(client, true);
    g_checksum += tile->GetItemAt(kTiles - 1)->GetBounds().bottom;
  });
  root->AttachManager(nullptr, nullptr, false);
}

void Run() {
  ReportOneVerticalLayout();
  ReportRowsOfHorizontalLayouts();
  ReportTileLayout();
  ReportContainerClasses();
  std::printf("(checksum %lld)\n", g_checksum);
}

}  // namespace
}  // namespace veneer::test

int main() {
  veneer::test::Run();
  return 0;
}
