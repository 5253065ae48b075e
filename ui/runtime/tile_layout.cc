#include "ui/runtime/tile_layout.h"

#include <vector>

#include "ui/core/attribute_values.h"
#include "ui/runtime/tile_arithmetic.h"

namespace veneer {

const wchar_t* CTileLayoutUI::GetClassName() const { return L"TileLayoutUI"; }

void* CTileLayoutUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"TileLayout") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void CTileLayoutUI::Place(const RECT& rect, bool invalidate) {
  if (!PlaceBounds(rect, invalidate)) return;
  const TileFrame frame = MakeTileFrame({item_size_, columns_, GetRawChildPadding()}, GetBounds(),
                                        GetRawInset(), GetScrollBarStates());
  columns_ = frame.columns;
  std::vector<LayoutChild> children = DescribeChildren();
  MeasureFlowChildren(TileMeasureOffers(frame, children), &children);
  const LayoutResult result = LayoutTile(frame, children);
  PlaceChildren(result, children, true);
  UpdateScrollBars(result.content, result.needed.cx, result.needed.cy);
}

void CTileLayoutUI::SetItemSize(const SIZE& size) {
  if (item_size_.cx == size.cx && item_size_.cy == size.cy) return;
  item_size_ = size;
  MarkLayoutDirty();
}

void CTileLayoutUI::SetColumns(int columns) {
  if (columns < 1) return;
  columns_ = columns;
  MarkLayoutDirty();
}

void CTileLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  const CUIString key(name);
  if (key.CompareNoCase(L"itemsize") == 0) {
    SetItemSize(ParseSizeValue(value));
  } else if (key.CompareNoCase(L"columns") == 0) {
    SetColumns(ParseIntValue(value));
  } else {
    CContainerUI::ApplyAttribute(name, value);
  }
}

}  // namespace veneer
