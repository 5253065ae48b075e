#ifndef UI_RUNTIME_TILE_LAYOUT_H_
#define UI_RUNTIME_TILE_LAYOUT_H_

#include <windows.h>

#include "ui/core/geometry.h"
#include "ui/runtime/container.h"

namespace veneer {

// A container that puts its children in a grid of equal columns, row by row, each child centred in its
// tile and each row as tall as its tallest child (tile_arithmetic.h). The column count comes from
// "columns", or from the content width and "itemsize" when an item width is given. Owned like any
// control; UI thread only.
class CTileLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetClassName() const override;       // "TileLayoutUI".
  void* FindInterface(const wchar_t* name) override;  // "TileLayout", then the container.
  // Describes, measures once and places the children (with invalidation), then fits the scroll bars.
  void Place(const RECT& rect, bool invalidate) override;
  // "itemsize" and "columns", then the container's attributes.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

  CUISize GetItemSize() const { return item_size_; }
  void SetItemSize(const SIZE& size);  // An unchanged size changes nothing.
  // The column count; an item width sets it anew at every placing.
  int GetColumns() const { return columns_; }
  void SetColumns(int columns);  // Values below 1 are ignored.

 private:
  CUISize item_size_;
  int columns_ = 1;
};

}  // namespace veneer

#endif  // UI_RUNTIME_TILE_LAYOUT_H_
