#ifndef UI_CONTROLS_DIALOG_BUILDER_CALLBACK_H_
#define UI_CONTROLS_DIALOG_BUILDER_CALLBACK_H_

namespace veneer {

class CControlUI;

// Creates the controls of skin elements that no registered control class answers to. The skin builder
// asks it once per such element, with the element name as written ("WebBrowser"); a null answer skips
// the element together with its children. Implemented by windows that bring controls of their own; not
// owned by the builder. UI thread only.
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  // A new control that the builder then owns, or null.
  virtual CControlUI* CreateCustomControl(const wchar_t* element_name) = 0;
};

}  // namespace veneer

#endif  // UI_CONTROLS_DIALOG_BUILDER_CALLBACK_H_
