#ifndef UI_CONTROLS_BUTTON_H_
#define UI_CONTROLS_BUTTON_H_

#include <windows.h>

#include <cstdint>
#include <initializer_list>

#include "ui/controls/label.h"
#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"

namespace veneer {

// Button state bits.
constexpr uint32_t kButtonFocused = 0x01;
constexpr uint32_t kButtonSelected = 0x02;  // Options only.
constexpr uint32_t kButtonDisabled = 0x04;
constexpr uint32_t kButtonHot = 0x08;       // The mouse is over the button.
constexpr uint32_t kButtonPushed = 0x10;    // Pressed, with the mouse inside.
constexpr uint32_t kButtonCaptured = 0x40;  // A press started on the button and has not ended.

// The notification a button sends when it is activated (clicked, or Space or Enter while focused).
constexpr wchar_t kNotifyClick[] = L"click";

// The state bits a button paints with: focus and enabled state as they are now, and while its window
// is disabled (under a modal dialog) nothing but the disabled bit. The stored bits are left alone, so
// that hover, press and selection show again when the window comes back.
uint32_t ButtonPaintState(uint32_t stored, bool focused, bool enabled, bool window_enabled);

// Which cell of a state image strip with `count` equal cells each state shows; -1 for none. Normal is
// cell 0; hot is cell 1; pushed is cell 2, or cell 1 in a two-cell strip; disabled is cell 3.
struct StateStripCells {
  int normal;
  int hot;
  int pushed;
  int disabled;
};
StateStripCells CellsOfStateStrip(int count);
// The source rectangle of cell `cell` in a strip image of the given size cut into `count` cells side
// by side (each image width / count wide, integer division). `count` must be above 0.
CUIRect StateStripCellSource(int image_width, int image_height, int count, int cell);

// A label that reacts to the mouse and keyboard: a press and release inside it, or Space or Enter
// while it has the focus, sends "click" at once and may then select a page of a tab layout named in
// the skin. It shows a background colour, image, foreground image, text colour and font per state
// (disabled, pushed, hot, focused), taken from single images or cut from one state image strip.
//
// It does not repeat while held, and does not keep the mouse captured itself (the paint manager sends
// it the moves of a press that started on it). Owned like any control; UI thread only.
class CButtonUI : public CLabelUI {
 public:
  // DT_CENTER | DT_VCENTER | DT_SINGLELINE.
  static constexpr UINT kDefaultButtonTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

  CButtonUI();

  const wchar_t* GetClassName() const override;       // "ButtonUI".
  void* FindInterface(const wchar_t* name) override;  // "Button", then the label.
  // A tab stop while keyboard-enabled; cursor requests while enabled.
  uint32_t GetBehaviourFlags() const override;
  // When visible and enabled: sends "click" at once, then selects the bound tab layout's page. False
  // also when a "click" listener destroyed the button: the caller must not touch it then.
  bool TryActivate() override;
  // Disabling clears the state bits.
  void SetEnabled(bool enabled) override;
  void HandleEvent(EventRecord& event) override;
  // "normalimage", "hotimage", "pushedimage", "focusedimage", "disabledimage", "hotforeimage",
  // "stateimage", "statecount", "bindtabindex", "bindtablayoutname", "hotbkcolor", "pushedbkcolor",
  // "disabledbkcolor", "hottextcolor", "pushedtextcolor", "focusedtextcolor", "hotfont", "pushedfont",
  // "focuedfont" (the only name of the focused font); others go to the label.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  void DrawBackColour(HDC dc) override;
  void DrawStateImage(HDC dc) override;
  void DrawForeImage(HDC dc) override;
  void DrawTextContent(HDC dc) override;

  // Image descriptors per state; each setter repaints. Setting the state image also empties the normal
  // image, so that the strip is cut again at the next paint.
  virtual const CUIString& GetNormalImage() const;
  virtual void SetNormalImage(const wchar_t* image);
  virtual const CUIString& GetHotImage() const;
  virtual void SetHotImage(const wchar_t* image);
  virtual const CUIString& GetPushedImage() const;
  virtual void SetPushedImage(const wchar_t* image);
  virtual const CUIString& GetFocusedImage() const;
  virtual void SetFocusedImage(const wchar_t* image);
  virtual const CUIString& GetDisabledImage() const;
  virtual void SetDisabledImage(const wchar_t* image);
  virtual const CUIString& GetHotForeImage() const;
  virtual void SetHotForeImage(const wchar_t* image);
  virtual const CUIString& GetStateImage() const;
  virtual void SetStateImage(const wchar_t* image);

  const CUIString& GetPushedForeImage() const { return pushed_fore_image_; }
  void SetPushedForeImage(const wchar_t* image);
  int GetStateCount() const { return state_count_; }
  void SetStateCount(int count);

  // The stored state bits (kButton*). Focus and the enabled state are read afresh when painting.
  uint32_t GetButtonState() const { return state_; }

  // State colours (0xAARRGGBB; 0 uses the plain background or text colour) and fonts (-1 uses the
  // label's font).
  void SetHotBkColor(uint32_t colour);
  void SetPushedBkColor(uint32_t colour);
  void SetDisabledBkColor(uint32_t colour);
  void SetHotTextColor(uint32_t colour);
  void SetPushedTextColor(uint32_t colour);
  void SetFocusedTextColor(uint32_t colour);
  void SetHotFont(int font_id);
  void SetPushedFont(int font_id);
  void SetFocusedFont(int font_id);

  // The tab layout (found by name through the paint manager) whose page `index` a click selects; an
  // index of -1 selects nothing, other negative indexes are ignored.
  void SetBindTabLayoutName(const wchar_t* name);
  void SetBindTabIndex(int index);

 protected:
  // Where a state image is drawn when its state applies.
  struct StateImageChoice {
    bool applies;
    const CUIString* image;
  };
  // Draws the first image whose state applies and that is set and draws; false when none did.
  bool DrawFirstStateImage(HDC dc, std::initializer_list<StateImageChoice> choices);
  // ButtonPaintState for this button and its window.
  uint32_t PaintState() const;
  // Cuts a strip into cell descriptors (normal, hot, pushed, disabled; null targets are skipped) when
  // `*first_cell` is empty and the strip's image exists. Nothing while detached.
  void CutStateStrip(const CUIString& strip, int count, CUIString* const (&cells)[4]);
  // Stores a value that shows and repaints.
  template <typename T>
  void StoreAndRepaint(T* field, T value) {
    *field = value;
    RequestRepaint();
  }
  void StoreAndRepaint(CUIString* field, const wchar_t* text) {
    *field = text;
    RequestRepaint();
  }
  // Sets or clears stored state bits.
  void SetStateBits(uint32_t bits, bool on) { state_ = on ? (state_ | bits) : (state_ & ~bits); }

 private:
  void OnButtonDown(const EventRecord& event);
  void OnMouseMove(const EventRecord& event);
  void OnButtonUp(const EventRecord& event);
  void SelectBoundTab();

  uint32_t state_ = 0;
  int hot_font_ = -1;
  int pushed_font_ = -1;
  int focused_font_ = -1;
  uint32_t hot_bk_colour_ = 0;
  uint32_t pushed_bk_colour_ = 0;
  uint32_t disabled_bk_colour_ = 0;
  uint32_t hot_text_colour_ = 0;
  uint32_t pushed_text_colour_ = 0;
  uint32_t focused_text_colour_ = 0;
  CUIString normal_image_;
  CUIString hot_image_;
  CUIString pushed_image_;
  CUIString focused_image_;
  CUIString disabled_image_;
  CUIString hot_fore_image_;
  CUIString pushed_fore_image_;
  CUIString state_image_;
  int state_count_ = 0;
  CUIString bind_tab_layout_name_;
  int bind_tab_index_ = -1;
};

}  // namespace veneer

#endif  // UI_CONTROLS_BUTTON_H_
