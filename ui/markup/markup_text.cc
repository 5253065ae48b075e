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

}  // namespace

bool IsNonAsciiNameChar(wchar_t ch) { return iswalnum(ch) != 0; }

wchar_t* SkipPastMarker(wchar_t* pos, wchar_t marker) {
  for (; *pos != L'\0'; ++pos) {
    if (pos[0] == marker && pos[1] == L'>') return pos + 2;
  }
  return pos;
}

// Continues DecodeMarkupText from the first ampersand.
wchar_t* DecodeMarkupEntities(wchar_t* pos, wchar_t delimiter, wchar_t** stop) {
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
