#ifndef UI_CONTROLS_TEXT_H_
#define UI_CONTROLS_TEXT_H_

#include <windows.h>

#include <cstdint>

#include "ui/controls/label.h"
#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"

namespace veneer {

// A label for longer text: it wraps by default (top-left, multi-line) and, with showhtml, shows links
// ({a target}...{/a}) that it hit-tests against the rectangles of its last paint. Over a link the mouse
// gets the hand cursor and a release of the left button sends the notification "link" with the index of
// the link rectangle (wParam). With auto width the text's unwrapped width becomes the fixed width.
//
// It does not scroll, select text or keep more than kMaxLinks link rectangles (a link that wraps takes
// one per line). Owned like any control; UI thread only.
class CTextUI : public CLabelUI {
 public:
  static constexpr int kMaxLinks = 8;
  // DT_WORDBREAK alone: multi-line, from the top-left.
  static constexpr UINT kDefaultTextFormat = DT_WORDBREAK;

  CTextUI();

  const wchar_t* GetClassName() const override;       // "TextUI".
  void* FindInterface(const wchar_t* name) override;  // "Text", then the label.
  // Cursor requests while enabled with at least one link.
  uint32_t GetBehaviourFlags() const override;
  // The hand cursor over links, repaints on pressing a link and on the hovered link changing, and
  // "link" on releasing the button over one; other events as for a label.
  void HandleEvent(EventRecord& event) override;
  // "valign": a value containing "center" centres the text vertically, keeping it multi-line; others
  // change nothing. The rest as for a label.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // With auto width the fixed width first follows the text's width (changed only when it differs, so
  // that measuring an unchanged text never asks for another layout); then as for a label.
  CUISize MeasureDesiredSize(SIZE available) override;
  // As a label draws, but inside the unscaled padding, plain text always through GDI+, and with
  // showhtml keeping the links laid out.
  void DrawTextContent(HDC dc) override;

  // The links of the last paint, in text order; the index is that of the "link" notification.
  int GetLinkCount() const { return link_count_; }
  CUIRect GetLinkRect(int index) const;                 // Empty when out of range.
  CUIString GetLinkText(int index) const;               // The link's target; empty when out of range.
  int GetHoveredLink() const { return hovered_link_; }  // -1 for none.

 private:
  // The link rectangle holding the point, or -1.
  int LinkAt(const POINT& point) const;
  // Handles the event when it concerns the links; false to pass it on.
  bool HandleLinkEvent(const EventRecord& event);
  // Sets the fixed width to the unwrapped text's width plus the padding, when that differs.
  void FitFixedWidthToText();
  void ForgetLinks();

  RECT link_rects_[kMaxLinks] = {};
  CUIString link_texts_[kMaxLinks];
  int link_count_ = 0;
  int hovered_link_ = -1;
};

// The format for a text's "valign" value: "center" anywhere in it centres vertically and drops word
// breaking without making the text single-line; anything else leaves `format` as it is.
UINT ApplyTextVerticalAlign(UINT format, const wchar_t* value);

}  // namespace veneer

#endif  // UI_CONTROLS_TEXT_H_
