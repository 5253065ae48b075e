#include "ui/runtime/resource_tables.h"

namespace veneer {

CResourceTables::CResourceTables() : default_font(new FontRecord) {}

FontRecord* CResourceTables::FindFontByHandle(HFONT handle) {
  return fonts.FindValueIf([handle](const FontRecord* record) { return record->handle == handle; });
}

FontRecord* CResourceTables::FindFontByFace(const wchar_t* face, int size, bool bold, bool underline,
                                            bool italic) {
  return fonts.FindValueIf([&](const FontRecord* record) {
    return record->faceName == face && record->size == size && record->bold == bold &&
           record->underline == underline && record->italic == italic;
  });
}

CUIString FontKey(int id) {
  CUIString key;
  key.FormatShort(L"%d", id);
  return key;
}

}  // namespace veneer
