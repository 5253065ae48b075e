#include "ui/runtime/control_attribute_values.h"

#include "ui/core/attribute_values.h"
#include "ui/core/ui_string.h"

namespace veneer {
namespace {

struct FloatAlignWord {
  const wchar_t* word;
  uint32_t clear;
  uint32_t set;
};

constexpr FloatAlignWord kFloatAlignWords[] = {
    {L"null", kFloatAlignAny, 0},
    {L"left", kFloatAlignCenter | kFloatAlignRight, 0},
    {L"center", kFloatAlignRight, kFloatAlignCenter},
    {L"right", kFloatAlignCenter, kFloatAlignRight},
    {L"top", kFloatAlignVCenter | kFloatAlignBottom, 0},
    {L"vcenter", kFloatAlignBottom, kFloatAlignVCenter},
    {L"bottom", kFloatAlignVCenter, kFloatAlignBottom},
};

struct CursorWord {
  const wchar_t* word;
  WORD id;
};

constexpr CursorWord kCursorWords[] = {
    {L"arrow", 32512},  {L"ibeam", 32513},   {L"wait", 32514},     {L"cross", 32515},    {L"uparrow", 32516},
    {L"size", 32640},   {L"icon", 32641},    {L"sizenwse", 32642}, {L"sizenesw", 32643}, {L"sizewe", 32644},
    {L"sizens", 32645}, {L"sizeall", 32646}, {L"no", 32648},       {L"hand", 32649},
};

bool IsFloatAlignSeparator(wchar_t ch) { return ch == L',' || ch == L' '; }

}  // namespace

uint32_t ApplyFloatAlignWords(uint32_t current, const wchar_t* words) {
  const wchar_t* p = words ? words : L"";
  while (*p) {
    while (IsFloatAlignSeparator(*p)) ++p;
    const wchar_t* start = p;
    while (*p && !IsFloatAlignSeparator(*p)) ++p;
    const CUIString word(start, static_cast<int>(p - start));
    for (const FloatAlignWord& entry : kFloatAlignWords) {
      if (word.CompareNoCase(entry.word) == 0) {
        current = (current & ~entry.clear) | entry.set;
        break;
      }
    }
  }
  return current;
}

WORD CursorIdFromWord(const wchar_t* word) {
  const CUIString text(word);
  for (const CursorWord& entry : kCursorWords) {
    if (text.CompareNoCase(entry.word) == 0) return entry.id;
  }
  return 0;
}

uint32_t ParseColorAfterBlanks(const wchar_t* text) {
  const wchar_t* p = text ? text : L"";
  while (*p && *p <= L' ') ++p;
  return ParseColorValue(p);
}

}  // namespace veneer
