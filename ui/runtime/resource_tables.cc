#include "ui/runtime/resource_tables.h"

namespace veneer {

CResourceTables::CResourceTables() : default_font(std::make_unique<FontRecord>()) {}

FontRecord* CResourceTables::FindFontByHandle(HFONT handle) {
  for (int index = 0; index < fonts.GetSize(); ++index) {
    FontRecord* record = fonts.ValueAt(index);
    if (record->handle.get() == handle) return record;
  }
  return nullptr;
}

FontRecord* CResourceTables::FindFontByFace(const wchar_t* face, int size, FontStyle style) {
  for (int index = 0; index < fonts.GetSize(); ++index) {
    FontRecord* record = fonts.ValueAt(index);
    if (record->faceName == face && record->size == size &&
        (record->Style() & kVariantStyles) == (style & kVariantStyles)) {
      return record;
    }
  }
  return nullptr;
}

CUIString FontKey(int id) {
  CUIString key;
  key.FormatShort(L"%d", id);
  return key;
}

}  // namespace veneer
