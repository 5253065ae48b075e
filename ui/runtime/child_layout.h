#ifndef UI_RUNTIME_CHILD_LAYOUT_H_
#define UI_RUNTIME_CHILD_LAYOUT_H_

#include "ui/core/ui_string.h"
#include "ui/runtime/container.h"

namespace veneer {

// A container whose content is another skin file ("xmlfile"), built when the layout is initialised
// (adopted by a window) and added as its one child. The building itself belongs to the dialog builder,
// which registers itself with SetSkinBuilder; until one is registered the layout stays empty.
//
// The content is built once: adopting the layout again does not build it again. A skin file that
// includes itself, directly or through other skin files, stops at the inner layout naming a file that
// is already being built (that layout stays empty), as does nesting deeper than kMaxNesting.
// Unlike the other layouts it answers neither "Container" nor "IContainer". Owned like any control;
// UI thread only.
class CChildLayoutUI : public CContainerUI {
 public:
  // Builds the control tree of a skin file for a window's manager and hands it over; null when the file
  // cannot be built.
  using SkinBuilder = CControlUI* (*)(const wchar_t* skin_file, CPaintManagerUI* manager);
  // Child layouts built inside one another's content at most this deep.
  static constexpr int kMaxNesting = 16;

  // The process-wide builder of child skins (null: none); set by the dialog builder on the UI thread.
  static void SetSkinBuilder(SkinBuilder builder);

  const wchar_t* GetClassName() const override;       // "ChildLayoutUI".
  void* FindInterface(const wchar_t* name) override;  // "ChildLayout", then only the control base.
  // Builds the skin file's content and adds it, the first time only; a file that cannot be built leaves
  // the layout empty. The initialisation listeners do not fire.
  void Initialize() override;
  // "xmlfile", then the container's attributes.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

  const CUIString& GetChildSkinFile() const { return child_skin_file_; }
  void SetChildSkinFile(const wchar_t* file) { child_skin_file_ = file; }

 private:
  // The skin files whose content is being built, innermost first; each entry lives on Initialize's stack.
  struct BuildFrame {
    const CUIString* file;
    const BuildFrame* outer;
  };
  static const BuildFrame* building_;
  static SkinBuilder builder_;

  // Whether the content may be built here: not nested too deep and not inside its own file's content.
  bool MayBuild() const;

  CUIString child_skin_file_;
  bool content_built_ = false;
};

}  // namespace veneer

#endif  // UI_RUNTIME_CHILD_LAYOUT_H_
