#ifndef UI_CONTROLS_LABEL_H_
#define UI_CONTROLS_LABEL_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/runtime/control.h"

namespace veneer {

// How a label draws text without tags.
enum class PlainTextRendering {
  kWindowChoice,   // GDI, unless the window is layered or asks for GDI+ text.
  kAlwaysGdiplus,  // GDI+ whatever the window asks.
};

// The settings a label class starts with.
struct LabelDefaults {
  UINT text_format;
  CUIRect text_padding;  // Unscaled.
  PlainTextRendering plain_text;
};

// A control that shows one text in its own font, colours, alignment and inner padding: every caption and
// status line of a skin. Plain text goes through the render engine, text with tags (showhtml) through the
// formatted-text renderer. It can size itself to its text: single-line labels take the font's height
// when they have no fixed height and, with auto width, the text's width; multi-line labels with auto
// height take the height of the wrapped text.
//
// It does not react to the mouse (buttons and texts derive from it for that) and does not scroll or clip
// long texts beyond what the format flags ask for. Owned like any control; UI thread only.
//
//   bounds ┌──────────────────────────────┐
//          │   padding.top                │
//          │ ┌──────────────────────────┐ │  text rectangle = bounds less the scaled padding,
//          │ │      the text, aligned   │ │  where the format flags place the text
//          │ └──────────────────────────┘ │
//          └──────────────────────────────┘
class CLabelUI : public CControlUI {
 public:
  // DT_VCENTER | DT_SINGLELINE: one line, centred vertically, left-aligned.
  static constexpr UINT kDefaultTextFormat = DT_VCENTER | DT_SINGLELINE;

  CLabelUI();

  const wchar_t* GetClassName() const override;       // "LabelUI".
  void* FindInterface(const wchar_t* name) override;  // "Label", then the control base.
  uint32_t GetBehaviourFlags() const override;        // Cursor requests while enabled.
  // The control base's SetText; when the text changed, a label that sizes itself to its text asks its
  // parent to lay out again.
  void SetText(const wchar_t* text) override;
  // Focus events only set or clear the focused flag: a label's look does not show the focus.
  void HandleEvent(EventRecord& event) override;
  // "align", "valign", "wordbreak", "endellipsis", "noprefix", "font", "textcolor",
  // "disabledtextcolor", "textpadding", "showhtml", "autocalcwidth", "autocalcheight"; others go to the
  // control base.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The fixed size when both sides are fixed; otherwise the estimate for this offered size, measured
  // again when the offered size, the fixed size, the text, the font, the padding or the format changed.
  CUISize MeasureDesiredSize(SIZE available) override;
  void DrawTextContent(HDC dc) override;

  // Whether the label takes its width (single line) or height (multi-line) from its text. A change asks
  // the parent to lay out again.
  virtual bool GetAutoWidth() const;
  virtual void SetAutoWidth(bool auto_width);
  virtual bool GetAutoHeight() const;
  virtual void SetAutoHeight(bool auto_height);

  // Colours are 0xAARRGGBB; 0 takes the window's default (or default disabled) text colour at the next
  // paint and keeps it.
  uint32_t GetTextColor() const { return text_colour_; }
  void SetTextColor(uint32_t colour);
  uint32_t GetDisabledTextColor() const { return disabled_text_colour_; }
  void SetDisabledTextColor(uint32_t colour);
  // The font, format, padding and show-html setters change what the label measures: a changed value
  // repaints and, unless both sides of the label are fixed, asks the parent to lay out again. An
  // unchanged value does nothing.
  // A font id of the window's font table; -1 or an unknown id is the default font.
  int GetFont() const { return font_id_; }
  void SetFont(int font_id);
  // DrawTextW flags (DT_*).
  UINT GetTextFormat() const { return text_format_; }
  void SetTextFormat(UINT format);
  // The inner margin, scaled for the display; set unscaled.
  CUIRect GetTextPadding() const;
  void SetTextPadding(int left, int top, int right, int bottom);
  bool IsShowHtml() const { return show_html_; }
  void SetShowHtml(bool show_html);

 protected:
  // The extent that measuring lets a text grow into.
  static constexpr LONG kMeasureLimit = 9999;

  explicit CLabelUI(const LabelDefaults& defaults);

  // The padding as set, before display scaling.
  const CUIRect& GetUnscaledTextPadding() const { return text_padding_; }
  // Replaces colours of 0 by the window's defaults (kept from then on); nothing while detached.
  void TakeDefaultTextColours();
  // The text colour, or the disabled one while disabled.
  uint32_t GetPaintTextColour() const { return IsEnabled() ? text_colour_ : disabled_text_colour_; }
  // The bounds less `padding`.
  RECT TextArea(const CUIRect& padding) const;
  // The width and height of the label's text laid out in `area` with `format` (DT_CENTER and DT_RIGHT
  // dropped, DT_CALCRECT added), by the renderer that painting uses. 0, 0 while detached, without text
  // or when `area` has no width: nothing to measure.
  CUISize MeasureText(const RECT& area, UINT format);
  // Draws (or with DT_CALCRECT measures) text without tags as the label's class draws it.
  void DrawPlainTextInto(HDC dc, RECT& area, const wchar_t* text, uint32_t colour, int font_id, UINT format);
  // Draws the text in `colour` and font `font_id` into the bounds less the scaled padding, with the
  // label's format and renderer; nothing for an empty text. For classes whose colour and font follow a
  // state.
  void DrawTextWith(HDC dc, uint32_t colour, int font_id);

 private:
  // What the cached estimate was measured for.
  struct EstimateKey {
    CUISize available;
    CUISize fixed;  // Scaled fixed width and height.
    bool operator==(const EstimateKey& other) const;
  };

  // The estimate is measured again at the next MeasureDesiredSize; unless both sides are fixed (the text
  // then cannot change the size) the parent lays out again.
  void EstimateInputsChanged();
  // The parts of the estimate that the text supplies, for the label's format.
  void EstimateSingleLine();
  void EstimateMultiLine(SIZE available);

  uint32_t text_colour_ = 0;
  uint32_t disabled_text_colour_ = 0;
  int font_id_ = -1;
  UINT text_format_;
  CUIRect text_padding_;
  PlainTextRendering plain_text_;
  bool show_html_ = false;
  bool auto_width_ = false;
  bool auto_height_ = false;
  bool estimate_stale_ = true;
  EstimateKey measured_for_;
  CUISize estimate_;
};

// Applies the words of an "align" value ("left", "center", "right", in that order) to a DT_* format.
UINT ApplyHorizontalAlignWords(UINT format, const wchar_t* words);
// Applies the words of a "valign" value ("top", "vcenter", "bottom", in that order) to a DT_* format.
// Each chosen alignment makes the text single-line; "center" alone matches none of them.
UINT ApplyVerticalAlignWords(UINT format, const wchar_t* words);
// The format for "wordbreak": multi-line with edit-control breaking, or single-line.
UINT ApplyWordBreak(UINT format, bool word_break);

}  // namespace veneer

#endif  // UI_CONTROLS_LABEL_H_
