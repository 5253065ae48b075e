#include "ui/controls/skin_builder.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "ui/controls/control_factory.h"
#include "ui/controls/dialog_builder_callback.h"
#include "ui/core/attribute_values.h"
#include "ui/core/ui_string.h"
#include "ui/markup/skin_source.h"
#include "ui/render/font_style.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/container.h"
#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

namespace {

bool NameIs(const wchar_t* name, const wchar_t* expected) {
  return CUIString(name).CompareNoCase(expected) == 0;
}

// Applies each attribute of `element`, in document order, through the first row that names it.
template <typename Target, size_t N>
void ApplyElementAttributes(const CMarkupCursor& element, const AttributeRow<Target> (&rows)[N],
                            Target* target) {
  const int count = element.AttributeCount();
  for (int i = 0; i < count; ++i) {
    ApplyAttributeRow(rows, target, element.AttributeNameAt(i), element.AttributeValueAt(i));
  }
}

// The value of the element's first attribute of that name (letter case ignored), or null.
const wchar_t* FindAttribute(const CMarkupCursor& element, const wchar_t* name) {
  const int count = element.AttributeCount();
  for (int i = 0; i < count; ++i) {
    if (NameIs(element.AttributeNameAt(i), name)) return element.AttributeValueAt(i);
  }
  return nullptr;
}

// Two skins given to builders are the same: the same resource id, or texts equal but for letter case
// (archive entries and file names ignore it).
bool SameSkin(const wchar_t* a, const wchar_t* b) {
  if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b)) return a == b;
  return CUIString(a).CompareNoCase(b) == 0;
}

// Resource elements -----------------------------------------------------------------------------------

void SetStyleFlag(FontStyle* style, FontStyle flag, bool on) {
  const unsigned bits = static_cast<unsigned>(*style) & ~static_cast<unsigned>(flag);
  *style = static_cast<FontStyle>(bits) | (on ? flag : FontStyle::kRegular);
}

struct ImageElement {
  const wchar_t* name = nullptr;
  const wchar_t* resource_type = nullptr;
  uint32_t mask = 0;
  bool shared = false;
};

const AttributeRow<ImageElement> kImageAttributes[] = {
    {L"name", [](ImageElement* e, const wchar_t* v) { e->name = v; }},
    {L"restype", [](ImageElement* e, const wchar_t* v) { e->resource_type = v; }},
    {L"mask", [](ImageElement* e, const wchar_t* v) { e->mask = ParseColorValue(v); }},
    {L"shared", [](ImageElement* e, const wchar_t* v) { e->shared = ParseBoolValue(v); }},
};

struct FontElement {
  int id = -1;
  const wchar_t* face = nullptr;
  int size = 12;
  FontStyle style = FontStyle::kRegular;
  bool is_default = false;
  bool shared = false;
};

const AttributeRow<FontElement> kFontAttributes[] = {
    {L"id", [](FontElement* e, const wchar_t* v) { e->id = ParseIntValue(v); }},
    {L"name", [](FontElement* e, const wchar_t* v) { e->face = v; }},
    {L"size", [](FontElement* e, const wchar_t* v) { e->size = ParseIntValue(v); }},
    {L"bold",
     [](FontElement* e, const wchar_t* v) { SetStyleFlag(&e->style, FontStyle::kBold, ParseBoolValue(v)); }},
    {L"underline",
     [](FontElement* e, const wchar_t* v) {
       SetStyleFlag(&e->style, FontStyle::kUnderline, ParseBoolValue(v));
     }},
    {L"italic", [](FontElement* e,
                   const wchar_t* v) { SetStyleFlag(&e->style, FontStyle::kItalic, ParseBoolValue(v)); }},
    // Both the name and the value "true" are compared exactly.
    {L"strike",
     [](FontElement* e, const wchar_t* v) {
       SetStyleFlag(&e->style, FontStyle::kStrikeOut, ParseBoolValue(v, true));
     },
     true},
    {L"default", [](FontElement* e, const wchar_t* v) { e->is_default = ParseBoolValue(v); }},
    {L"shared", [](FontElement* e, const wchar_t* v) { e->shared = ParseBoolValue(v); }},
};

// A Default or Style element.
struct NamedListElement {
  const wchar_t* name = nullptr;
  const wchar_t* value = L"";
  bool shared = false;
};

const AttributeRow<NamedListElement> kNamedListAttributes[] = {
    {L"name", [](NamedListElement* e, const wchar_t* v) { e->name = v; }},
    {L"value", [](NamedListElement* e, const wchar_t* v) { e->value = v; }},
    {L"shared", [](NamedListElement* e, const wchar_t* v) { e->shared = ParseBoolValue(v); }},
};

bool HasText(const wchar_t* text) { return text && text[0]; }

void RegisterImageElement(const CMarkupCursor& element, CPaintManagerUI* manager) {
  ImageElement image;
  ApplyElementAttributes(element, kImageAttributes, &image);
  if (!HasText(image.name)) return;
  manager->RegisterSkinImage(image.name, image.resource_type, image.mask, false, image.shared, nullptr);
}

void RegisterFontElement(const CMarkupCursor& element, CPaintManagerUI* manager) {
  FontElement font;
  ApplyElementAttributes(element, kFontAttributes, &font);
  if (font.id < 0) return;
  manager->RegisterFont(font.id, font.face, font.size, font.style, font.shared);
  if (font.is_default) manager->MakeDefaultFont(font.id, font.face, font.size, font.style, font.shared);
}

void RegisterDefaultElement(const CMarkupCursor& element, CPaintManagerUI* manager) {
  NamedListElement list;
  ApplyElementAttributes(element, kNamedListAttributes, &list);
  if (HasText(list.name)) manager->RegisterDefaultAttributes(list.name, list.value, list.shared);
}

void RegisterStyleElement(const CMarkupCursor& element, CPaintManagerUI* manager) {
  NamedListElement list;
  ApplyElementAttributes(element, kNamedListAttributes, &list);
  if (HasText(list.name)) manager->RegisterStyle(list.name, list.value, list.shared);
}

void ImportFontElement(const CMarkupCursor& element, CPaintManagerUI* manager) {
  const wchar_t* file = FindAttribute(element, L"fontfile");
  if (HasText(file)) manager->ImportFontFile(file);
}

struct ResourceElement {
  const wchar_t* name;
  void (*register_with)(const CMarkupCursor& element, CPaintManagerUI* manager);
};

const ResourceElement kResourceElements[] = {
    {L"Image", &RegisterImageElement}, {L"Font", &RegisterFontElement}, {L"Default", &RegisterDefaultElement},
    {L"Style", &RegisterStyleElement}, {L"Import", &ImportFontElement},
};

const ResourceElement* FindResourceElement(const wchar_t* element_name) {
  for (const ResourceElement& element : kResourceElements) {
    if (NameIs(element_name, element.name)) return &element;
  }
  return nullptr;
}

// Window attributes -----------------------------------------------------------------------------------

const AttributeRow<CPaintManagerUI> kWindowAttributes[] = {
    {L"size",
     [](CPaintManagerUI* m, const wchar_t* v) {
       const CUISize size = ParseSizeValue(v);
       m->SetInitialSize(m->ScaleForDpi(size.cx), m->ScaleForDpi(size.cy));
     }},
    {L"sizebox", [](CPaintManagerUI* m, const wchar_t* v) { m->SetResizeBorder(ParseRectValue(v)); }},
    {L"caption", [](CPaintManagerUI* m, const wchar_t* v) { m->SetCaptionArea(ParseRectValue(v)); }},
    {L"roundcorner",
     [](CPaintManagerUI* m, const wchar_t* v) {
       const CUISize size = ParseSizeValue(v);
       m->SetRoundCorner(size.cx, size.cy);
     }},
    {L"mininfo",
     [](CPaintManagerUI* m, const wchar_t* v) {
       const CUISize size = ParseSizeValue(v);
       m->SetMinTrackSize(size.cx, size.cy);
     }},
    {L"maxinfo",
     [](CPaintManagerUI* m, const wchar_t* v) {
       const CUISize size = ParseSizeValue(v);
       m->SetMaxTrackSize(size.cx, size.cy);
     }},
    {L"showdirty", [](CPaintManagerUI* m, const wchar_t* v) { m->SetShowDirtyRects(ParseBoolValue(v)); }},
    // The manager clamps opacities to 0..255.
    {L"opacity", [](CPaintManagerUI* m, const wchar_t* v) { m->SetWindowOpacity(ParseIntValue(v)); }},
    {L"alpha", [](CPaintManagerUI* m, const wchar_t* v) { m->SetWindowOpacity(ParseIntValue(v)); }},
    {L"layeredopacity", [](CPaintManagerUI* m, const wchar_t* v) { m->SetLayeredOpacity(ParseIntValue(v)); },
     true},
    {L"layered", [](CPaintManagerUI* m, const wchar_t* v) { m->SetLayered(ParseBoolValue(v)); }, true},
    {L"bktrans", [](CPaintManagerUI* m, const wchar_t* v) { m->SetLayered(ParseBoolValue(v)); }, true},
    {L"layeredimage",
     [](CPaintManagerUI* m, const wchar_t* v) {
       m->SetLayered(true);
       m->SetLayeredImage(v);
     },
     true},
    {L"noactivate", [](CPaintManagerUI* m, const wchar_t* v) { m->SetNoActivate(ParseBoolValue(v)); }, true},
    {L"disabledfontcolor",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetDefaultDisabledColour(ParseColorValue(v), false); }},
    {L"defaultfontcolor",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetDefaultFontColour(ParseColorValue(v), false); }},
    {L"linkfontcolor",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetDefaultLinkColour(ParseColorValue(v), false); }},
    {L"linkhoverfontcolor",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetDefaultLinkHoverColour(ParseColorValue(v), false); }},
    {L"selectedcolor",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetDefaultSelectedColour(ParseColorValue(v), false); }},
    {L"shadowsize",
     [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->SetShadowSize(ParseIntValue(v)); }},
    {L"shadowsharpness",
     [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->SetShadowSharpness(ParseIntValue(v)); }},
    {L"shadowdarkness",
     [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->SetShadowDarkness(ParseIntValue(v)); }},
    {L"shadowposition",
     [](CPaintManagerUI* m, const wchar_t* v) {
       const CUIPoint position = ParsePointValue(v);
       m->GetShadow()->SetShadowPosition(position.x, position.y);
     }},
    {L"shadowcolor",
     [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->SetShadowColour(ParseColorValue(v)); }},
    {L"shadowcorner",
     [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->SetShadowCorner(ParseRectValue(v)); }},
    {L"shadowimage", [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->SetShadowImage(v); }},
    {L"showshadow",
     [](CPaintManagerUI* m, const wchar_t* v) { m->GetShadow()->ShowShadow(ParseBoolValue(v)); }},
    {L"gdiplustext", [](CPaintManagerUI* m, const wchar_t* v) { m->SetUseGdiplusText(ParseBoolValue(v)); }},
    {L"textrenderinghint",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetTextRenderingHint(ParseIntValue(v)); }},
    {L"tooltiphovertime",
     [](CPaintManagerUI* m, const wchar_t* v) { m->SetTooltipHoverTime(ParseIntValue(v)); }},
};

}  // namespace

// Building ---------------------------------------------------------------------------------------------

CSkinBuilder::CSkinBuilder() : outer_(nullptr), nesting_(0) {}

CSkinBuilder::CSkinBuilder(CSkinBuilder* outer, int nesting) : outer_(outer), nesting_(nesting) {}

CControlUI* CSkinBuilder::BuildChildSkin(const wchar_t* skin_file, CPaintManagerUI* manager) {
  CSkinBuilder builder;
  return builder.BuildFromSkin(skin_file, nullptr, nullptr, manager, nullptr);
}

CControlUI* CSkinBuilder::BuildFromSkin(const wchar_t* skin, const wchar_t* resource_type,
                                        IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                        CControlUI* parent) {
  callback_ = callback;
  skin_ = skin;
  if (!LoadSkin(skin, resource_type)) return nullptr;
  return BuildFromLoadedDocument(callback, manager, parent);
}

bool CSkinBuilder::LoadSkin(const wchar_t* skin, const wchar_t* resource_type) {
  if (IS_INTRESOURCE(skin)) {
    // Resource id 0 is the null text: no skin.
    if (!skin || !resource_type) return false;
    std::vector<unsigned char> bytes;
    if (!ReadSkinResource(GetSkinResourceModule(), skin, resource_type, &bytes)) return false;
    resource_type_ = resource_type;
    return document_.LoadFromBytes(bytes.data(), bytes.size(), MarkupEncoding::Utf8);
  }
  if (skin[0] == L'<') return document_.LoadFromText(skin);
  return document_.LoadFromSkinFile(skin, MarkupEncoding::Utf8);
}

CControlUI* CSkinBuilder::BuildFromLoadedDocument(IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                                  CControlUI* parent) {
  callback_ = callback;
  const CMarkupCursor root = document_.RootElement();
  if (!root.IsValid()) return nullptr;
  if (manager) {
    for (CMarkupCursor node = root.FirstChild(); node.IsValid(); node = node.NextSibling()) {
      if (const ResourceElement* resource = FindResourceElement(node.ElementName())) {
        resource->register_with(node, manager);
      }
    }
    if (manager->GetWindowHandle() && NameIs(root.ElementName(), L"Window")) {
      ApplyElementAttributes(root, kWindowAttributes, manager);
    }
  }
  return BuildChildren(root, parent, manager, nesting_);
}

CControlUI* CSkinBuilder::BuildChildren(const CMarkupCursor& element, CControlUI* parent,
                                        CPaintManagerUI* manager, int nesting) {
  IContainerUI* container = nullptr;  // The parent's, looked up at its first control.
  CControlUI* first = nullptr;
  for (CMarkupCursor node = element.FirstChild(); node.IsValid(); node = node.NextSibling()) {
    const wchar_t* name = node.ElementName();
    if (FindResourceElement(name)) continue;
    if (NameIs(name, L"Include")) {
      BuildInclude(node, parent, manager, nesting);
      continue;
    }
    if (nesting >= kMaxNesting) continue;
    std::unique_ptr<CControlUI> control(CreateControl(name));
    if (!control) continue;
    // The children first, so that the control is complete before anything else sees it.
    if (node.HasChildElements()) BuildChildren(node, control.get(), manager, nesting + 1);
    if (parent && !container) {
      container = static_cast<IContainerUI*>(parent->FindInterface(L"IContainer"));
      if (!container) return nullptr;
    }
    // The attributes are applied before the control joins its parent: a parent bound to a manager then
    // binds the finished control, initialises it and enters its name.
    ApplyControlAttributes(node, control.get(), manager);
    CControlUI* built = control.get();
    if (container) {
      if (!container->Add(built)) continue;
      control.release();
    } else if (!first) {
      control.release();  // The caller's.
    }
    // Without a parent, later top-level controls are destroyed with `control`.
    if (!first) first = built;
  }
  return first;
}

void CSkinBuilder::BuildInclude(const CMarkupCursor& include, CControlUI* parent, CPaintManagerUI* manager,
                                int nesting) {
  const wchar_t* source = FindAttribute(include, L"source");
  if (!source || nesting >= kMaxNesting) return;
  const wchar_t* count_text = FindAttribute(include, L"count");
  const int count = count_text ? ParseIntValue(count_text) : 1;
  // Resource ids keep the number's low 16 bits; 0 names no skin.
  const wchar_t* skin = resource_type_ ? MAKEINTRESOURCEW(ParseIntValue(source) & 0xFFFF) : source;
  if (!skin || IsBeingBuilt(skin)) return;
  for (int i = 0; i < count && TakeInclude(); ++i) {
    CSkinBuilder nested(this, nesting + 1);
    std::unique_ptr<CControlUI> first(nested.BuildFromSkin(skin, resource_type_, callback_, manager, parent));
    // With a parent, the included controls are its children; without one nothing takes them.
    if (parent) first.release();
  }
}

bool CSkinBuilder::IsBeingBuilt(const wchar_t* skin) const {
  for (const CSkinBuilder* builder = this; builder; builder = builder->outer_) {
    if (builder->skin_ && SameSkin(builder->skin_, skin)) return true;
  }
  return false;
}

bool CSkinBuilder::TakeInclude() {
  CSkinBuilder* outermost = this;
  while (outermost->outer_) outermost = outermost->outer_;
  if (outermost->includes_left_ <= 0) return false;
  --outermost->includes_left_;
  return true;
}

CControlUI* CSkinBuilder::CreateControl(const wchar_t* element_name) const {
  CUIString class_name;
  class_name.Format(L"C%sUI", element_name);
  CControlUI* control = CControlFactory::Instance().CreateByClassName(class_name);
  if (!control && callback_) control = callback_->CreateCustomControl(element_name);
  return control;
}

void CSkinBuilder::ApplyControlAttributes(const CMarkupCursor& element, CControlUI* control,
                                          CPaintManagerUI* manager) {
  if (manager) {
    control->AttachManager(manager, nullptr, false);
    // The list registered under the element name exactly as written.
    if (const wchar_t* defaults = manager->FindDefaultAttributes(element.ElementName())) {
      control->ApplyAttributeText(defaults);
    }
  }
  const int count = element.AttributeCount();
  for (int i = 0; i < count; ++i)
    control->ApplyAttribute(element.AttributeNameAt(i), element.AttributeValueAt(i));
  // Unbound again: the finished tree is bound when a window adopts it, or by its parent's manager.
  if (manager) control->AttachManager(nullptr, nullptr, false);
}

}  // namespace veneer
