#ifndef UI_CONTROLS_OPTION_H_
#define UI_CONTROLS_OPTION_H_

#include <windows.h>

#include <cstdint>

#include "ui/controls/button.h"
#include "ui/core/ui_string.h"

namespace veneer {

// The notification an option sends when its selection changed (sent by the option that changed; in a
// group, only by the newly selected one).
constexpr wchar_t kNotifySelectChanged[] = L"selectchanged";

// A button with a selected state. Without a group a click toggles the selection; options that share a
// group name in one window are exclusive: a click selects the option and deselects the others. While
// selected it paints with its selected background colour, images (single or cut from a strip), text
// colour and font.
//
// It does not keep at least one member of a group selected, nor check that a group has only one
// selected member when it joins. The group table of the paint manager holds it (not owned) while it is
// attached and named in a group; it leaves that table when it is destroyed or moves to another manager.
// Owned like any control; UI thread only.
class COptionUI : public CButtonUI {
 public:
  COptionUI();
  ~COptionUI() override;

  const wchar_t* GetClassName() const override;       // "OptionUI".
  void* FindInterface(const wchar_t* name) override;  // "Option", then the button.
  // Leaves the group of a manager it no longer belongs to; joins its group when initialised.
  void AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) override;
  // The button's activation ("click"), then selected (in a group) or toggled (without), with
  // notification. False when a listener destroyed the option.
  bool TryActivate() override;
  // Disabling keeps only the selected bit.
  void SetEnabled(bool enabled) override;
  // "group", "selected", "selectedimage", "selectedhotimage", "selectedpushedimage",
  // "selectedforeimage", "selectedstateimage", "selectedstatecount", "selectedbkcolor",
  // "selectedtextcolor", "selectedfont"; others go to the button.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  void DrawBackColour(HDC dc) override;
  void DrawStateImage(HDC dc) override;
  void DrawForeImage(HDC dc) override;
  void DrawTextContent(HDC dc) override;

  // Setting the selected state image also empties the selected image, so that the strip is cut again.
  virtual void SetSelectedStateImage(const wchar_t* image);
  // Selecting an option of a group deselects the other members (without notifying them). With `notify`
  // the option sends "selectchanged" at once, except when it is deselected inside a group. An unchanged
  // value does nothing. The option may be destroyed by the notification's listeners.
  virtual void SetSelected(bool selected, bool notify = true);

  bool IsSelected() const { return selected_; }
  const CUIString& GetGroup() const { return group_; }
  // Leaves the old group and joins the new one (an empty name: none) in the paint manager's table.
  void SetGroup(const wchar_t* group);

  void SetSelectedImage(const wchar_t* image);
  void SetSelectedHotImage(const wchar_t* image);
  void SetSelectedPushedImage(const wchar_t* image);
  void SetSelectedForeImage(const wchar_t* image);
  void SetSelectedStateCount(int count);
  void SetSelectedBkColor(uint32_t colour);    // 0: no background while selected.
  void SetSelectedTextColor(uint32_t colour);  // 0: the label's text colour.
  void SetSelectedFont(int font_id);           // -1: the label's font.

 private:
  void JoinGroup();
  void LeaveGroup();
  // Deselects every other member of the option's group.
  void DeselectOtherMembers(bool notify);

  bool selected_ = false;
  CUIString group_;
  CUIString selected_image_;
  CUIString selected_hot_image_;
  CUIString selected_pushed_image_;
  CUIString selected_fore_image_;
  CUIString selected_state_image_;
  int selected_state_count_ = 0;
  uint32_t selected_bk_colour_ = 0;
  uint32_t selected_text_colour_ = 0;
  int selected_font_ = -1;
};

}  // namespace veneer

#endif  // UI_CONTROLS_OPTION_H_
