#ifndef UI_RUNTIME_RESOURCE_TABLES_H_
#define UI_RUNTIME_RESOURCE_TABLES_H_

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/core/ui_string.h"
#include "ui/render/font_record.h"
#include "ui/render/image_record.h"
#include "ui/runtime/owned_value_map.h"

namespace veneer {

// The five default colours (0xAARRGGBB) that every window and the process keep.
enum DefaultColour {
  kDisabledTextColour,
  kTextColour,
  kLinkTextColour,
  kLinkHoverTextColour,
  kSelectedBackgroundColour,
  kDefaultColourCount
};

// One set of named skin resources: fonts by decimal id, images by name, default attribute lists by
// element name, styles by name, plus a default font and the default colours. The paint manager keeps one
// set per window and one process-wide shared set, and decides which set a registration goes to and in
// which order lookups try them; this class only stores. It owns every record and text it holds and
// releases their platform handles when they are removed.
struct CResourceTables {
  CResourceTables();
  CResourceTables(const CResourceTables&) = delete;
  CResourceTables& operator=(const CResourceTables&) = delete;

  // The first font record with that handle, or null.
  FontRecord* FindFontByHandle(HFONT handle);
  // The first font record whose face name equals `face` exactly (both cut to the platform's face length,
  // as records store it) and whose size and bold, underline and italic flags are equal (strike-out is
  // not compared).
  FontRecord* FindFontByFace(const wchar_t* face, int size, FontStyle style);

  COwnedValueMap<FontRecord> fonts;
  COwnedValueMap<ImageRecord> images;
  COwnedValueMap<CUIString> default_attributes;
  COwnedValueMap<CUIString> styles;
  std::unique_ptr<FontRecord> default_font;  // Never null; an empty face name means "not set".
  uint32_t colours[kDefaultColourCount] = {};
};

// The key of a font id in the font tables: the id in decimal ("0", "12", "-3").
CUIString FontKey(int id);

}  // namespace veneer

#endif  // UI_RUNTIME_RESOURCE_TABLES_H_
