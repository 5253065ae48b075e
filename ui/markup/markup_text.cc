#include "ui/markup/markup_text.h"

#include <cwctype>

namespace veneer {
namespace {

struct Entity {
  const wchar_t* name;  // Without the '&', with the ';'.
  wchar_t character;
};

const Entity kEntities[] = {
    {L"amp;", L'&'}, {L"lt;", L'<'}, {L"gt;", L'>'}, {L"quot;", L'"'}, {L"apos;", L'\''},
};

// The length of the known entity whose name follows `pos` (just after an '&'), or 0; stores its
// character. Compares up to the first difference, so it stops at the terminator.
int MatchEntity(const wchar_t* pos, wchar_t* character) {
  for (const Entity& entity : kEntities) {
    int i = 0;
    while (entity.name[i] != L'\0' && pos[i] == entity.name[i]) ++i;
    if (entity.name[i] == L'\0') {
      *character = entity.character;
      return i;
    }
  }
  return 0;
}

// Name characters below 0x80 as a table: names are most of what the parser scans.
struct AsciiNameTable {
  bool is_name[0x80];
  constexpr AsciiNameTable() : is_name() {
    for (int ch = 0; ch < 0x80; ++ch) {
      is_name[ch] = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                    ch == '_' || ch == ':';
    }
  }
};
constexpr AsciiNameTable kAsciiNames;

}  // namespace

bool IsMarkupNameChar(wchar_t ch) {
  if (ch < 0x80) return kAsciiNames.is_name[ch];
  return iswalnum(ch) != 0;
}

wchar_t* SkipMarkupName(wchar_t* pos) {
  while (IsMarkupNameChar(*pos)) ++pos;
  return pos;
}

wchar_t* SkipPastMarker(wchar_t* pos, wchar_t marker) {
  for (; *pos != L'\0'; ++pos) {
    if (pos[0] == marker && pos[1] == L'>') return pos + 2;
  }
  return pos;
}

wchar_t* DecodeMarkupText(wchar_t* pos, wchar_t delimiter, wchar_t** stop) {
  // Most texts hold no entity: scan without writing until the first '&'.
  while (*pos != L'\0' && *pos != delimiter && *pos != L'&') ++pos;
  wchar_t* out = pos;
  while (*pos != L'\0' && *pos != delimiter) {
    wchar_t character;
    int length;
    if (*pos == L'&' && (length = MatchEntity(pos + 1, &character)) > 0) {
      *out++ = character;
      pos += length + 1;
    } else {
      *out++ = *pos++;
    }
  }
  for (wchar_t* freed = out; freed != pos; ++freed) *freed = L' ';
  *stop = pos;
  return out;
}

}  // namespace veneer
