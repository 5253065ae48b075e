#ifndef UI_RENDER_FONT_RECORD_H_
#define UI_RENDER_FONT_RECORD_H_

#include <windows.h>

#include "ui/core/ui_string.h"
#include "ui/core/win_handles.h"
#include "ui/render/font_style.h"

namespace veneer {

// A registered font: the platform font and what it was registered with. It does not create fonts (the
// paint manager's font tables do). Owned by the font table or default-font slot that holds it; the font
// handle belongs to the record and is deleted with it.
struct FontRecord {
  FontRecord() = default;
  FontRecord(const FontRecord&) = delete;
  FontRecord& operator=(const FontRecord&) = delete;

  // Metrics are measured lazily; a zero height means not measured yet.
  bool HasMetrics() const { return metrics.tmHeight != 0; }
  void ClearMetrics() { metrics = TEXTMETRICW{}; }
  // The four flags as one style.
  FontStyle Style() const {
    FontStyle style = FontStyle::kRegular;
    if (bold) style |= FontStyle::kBold;
    if (underline) style |= FontStyle::kUnderline;
    if (italic) style |= FontStyle::kItalic;
    if (strikeOut) style |= FontStyle::kStrikeOut;
    return style;
  }

  ScopedFont handle;   // Owned.
  CUIString faceName;  // Face name actually used (at most 31 characters).
  int size = 0;        // Size as registered, before display scaling.
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool strikeOut = false;
  int id = 0;                // The registered id.
  TEXTMETRICW metrics = {};  // Filled on first use.
};

}  // namespace veneer

#endif  // UI_RENDER_FONT_RECORD_H_
