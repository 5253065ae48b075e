#include "ui/runtime/resource_tables.h"

#include <cwchar>

#include "ui/runtime/skin_fonts.h"

namespace veneer {

CResourceTables::CResourceTables() : default_font(std::make_unique<FontRecord>()) {}

FontRecord* CResourceTables::FindFontByHandle(HFONT handle) {
  return fonts.FindValueIf([handle](const FontRecord* record) { return record->handle.get() == handle; });
}

FontRecord* CResourceTables::FindFontByFace(const wchar_t* face, int size, FontStyle style) {
  // Records keep the face cut to the platform's length; a longer face asked for is cut the same way.
  const CUIString stored_face(face, face ? static_cast<int>(wcsnlen(face, kMaxFaceNameLength)) : 0);
  return fonts.FindValueIf([&](const FontRecord* record) {
    return record->faceName == stored_face.GetData() && record->size == size &&
           (record->Style() & kVariantStyles) == (style & kVariantStyles);
  });
}

CUIString FontKey(int id) {
  CUIString key;
  key.FormatShort(L"%d", id);
  return key;
}

}  // namespace veneer
