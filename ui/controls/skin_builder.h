#ifndef UI_CONTROLS_SKIN_BUILDER_H_
#define UI_CONTROLS_SKIN_BUILDER_H_

#include "ui/markup/markup_cursor.h"
#include "ui/markup/markup_document.h"

namespace veneer {

class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;

// Turns one skin file into a window's user interface. For the window's paint manager it registers the
// resource elements that are direct children of the root (Image, Font, Default, Style, Import) and, when
// the root is a Window element, applies the window's settings from the root's attributes (size, caption,
// shadow, ...). Then it creates the control tree through the control factory (or the callback, for
// element names no class answers to), each control getting the window's default attribute list for
// its element name first and its own attributes after, in document order. Include elements build other
// skin files into the same place, each with a builder of its own.
//
// Limits that keep hostile skins finite: nothing is built more than kMaxNesting levels below the root
// (element levels and include levels counted together; deeper elements are skipped with their
// children, deeper includes fail); a skin that is already being built further out is not included
// again; one build includes at most kMaxIncludes skins, repeats and nested includes together.
//
// A builder serves one build and owns the loaded document. It does not own the controls: the first
// top-level control belongs to the caller; with a parent every built control belongs to the parent's
// container. UI thread only.
class CSkinBuilder {
 public:
  static constexpr int kMaxNesting = 64;
  static constexpr int kMaxIncludes = 256;

  CSkinBuilder();
  CSkinBuilder(const CSkinBuilder&) = delete;
  CSkinBuilder& operator=(const CSkinBuilder&) = delete;

  // `skin` is a skin markup text (starting with '<'), a skin file name, or a resource id given as
  // MAKEINTRESOURCEW (of `resource_type`, in the skin resource module; its includes are then read as
  // resource ids of that type too). `manager` may be null: nothing is registered, no window setting is
  // applied and the controls are built unbound. With a `parent`, which must be a container, the
  // top-level controls are added to it and stay bound to its manager; without one, the first top-level
  // control is returned unbound and the others are destroyed. Returns the first top-level control, or
  // null when the skin cannot be loaded, holds no element or creates no control at the top level.
  CControlUI* BuildFromSkin(const wchar_t* skin, const wchar_t* resource_type,
                            IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent);
  // The second half of BuildFromSkin, on the document as GetDocument's loads left it.
  CControlUI* BuildFromLoadedDocument(IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                      CControlUI* parent);
  // The builder's document: to be loaded before BuildFromLoadedDocument; its error texts say why a load
  // failed.
  CMarkupDocument& GetDocument() { return document_; }

  // The content of a child layout's skin file for `manager`, owned by the caller; null when none. Child
  // layouts build their files through it (CChildLayoutUI::SetSkinBuilder).
  static CControlUI* BuildChildSkin(const wchar_t* skin_file, CPaintManagerUI* manager);

 private:
  // The builder of an Include element of `outer`'s skin, whose root children lie `nesting` levels deep.
  CSkinBuilder(CSkinBuilder* outer, int nesting);

  bool LoadSkin(const wchar_t* skin, const wchar_t* resource_type);
  // Whether `skin` is being built by this builder or one further out.
  bool IsBeingBuilt(const wchar_t* skin) const;
  // Takes one include from the whole build's allowance; false when it is used up.
  bool TakeInclude();
  // The control elements among the children of `element`, built at `nesting` levels below the root.
  CControlUI* BuildChildren(const CMarkupCursor& element, CControlUI* parent, CPaintManagerUI* manager,
                            int nesting);
  void BuildInclude(const CMarkupCursor& include, CControlUI* parent, CPaintManagerUI* manager, int nesting);
  // A control for the element name from the factory, else from the callback; null when neither has one.
  CControlUI* CreateControl(const wchar_t* element_name) const;
  // The element name's default list and the element's attributes, the control bound to `manager` (when
  // given) while they are applied.
  static void ApplyControlAttributes(const CMarkupCursor& element, CControlUI* control,
                                     CPaintManagerUI* manager);

  CMarkupDocument document_;
  IDialogBuilderCallback* callback_ = nullptr;
  // The resource type includes are read as; null unless the skin came from a resource.
  const wchar_t* resource_type_ = nullptr;
  // What BuildFromSkin was given (a text, a file name or a resource id); not owned, valid for the build.
  const wchar_t* skin_ = nullptr;
  CSkinBuilder* const outer_;  // The builder whose Include made this one; null for the outermost.
  const int nesting_;
  int includes_left_ = kMaxIncludes;  // Used in the outermost builder only.
};

}  // namespace veneer

#endif  // UI_CONTROLS_SKIN_BUILDER_H_
