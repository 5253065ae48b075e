#include "ui/render/image_descriptor.h"

#include <cwchar>

#include "ui/core/attribute_values.h"
#include "ui/render/display_scale.h"

namespace veneer {
namespace {

bool KeyIs(const wchar_t* key, int key_length, const wchar_t* name) {
  return static_cast<int>(wcslen(name)) == key_length && wcsncmp(key, name, key_length) == 0;
}

// Applies one non-empty item; unknown keys change nothing.
void ApplyItem(ImageDescriptor* record, const wchar_t* key, int key_length, const CUIString& value,
               int scale_percent) {
  if (KeyIs(key, key_length, L"file") || KeyIs(key, key_length, L"res")) {
    record->image_name = value;
  } else if (KeyIs(key, key_length, L"restype")) {
    record->resource_type = value;
  } else if (KeyIs(key, key_length, L"dest")) {
    record->dest = ScaleRectByPercent(ParseRectValue(value), scale_percent);
  } else if (KeyIs(key, key_length, L"source")) {
    record->source = ScaleRectByPercent(ParseRectValue(value), scale_percent);
  } else if (KeyIs(key, key_length, L"corner")) {
    record->corner = ScaleRectByPercent(ParseRectValue(value), scale_percent);
  } else if (KeyIs(key, key_length, L"mask")) {
    record->mask = ParseColorValue(value);
  } else if (KeyIs(key, key_length, L"fade")) {
    record->fade = static_cast<uint8_t>(ParseIntValue(value) & 0xFF);
  } else if (KeyIs(key, key_length, L"hole")) {
    record->hole = ParseBoolValue(value);
  } else if (KeyIs(key, key_length, L"xtiled")) {
    record->xtiled = ParseBoolValue(value);
  } else if (KeyIs(key, key_length, L"ytiled")) {
    record->ytiled = ParseBoolValue(value);
  } else if (KeyIs(key, key_length, L"hsl")) {
    record->hsl = ParseBoolValue(value);
  }
}

const wchar_t* SkipBlanks(const wchar_t* cursor) {
  while (*cursor == L' ') ++cursor;
  return cursor;
}

// Scans key='value' items separated by single blanks until the text ends or an item is malformed.
void ScanItems(ImageDescriptor* record, const wchar_t* text, int scale_percent) {
  const wchar_t* cursor = text;
  for (;;) {
    while (*cursor != L'\0' && *cursor <= L' ') ++cursor;
    const wchar_t* key = cursor;
    while (*cursor != L'\0' && *cursor != L'=' && *cursor > L' ') ++cursor;
    const int key_length = static_cast<int>(cursor - key);

    cursor = SkipBlanks(cursor);
    if (*cursor != L'=') return;
    cursor = SkipBlanks(cursor + 1);
    if (*cursor != L'\'') return;
    const wchar_t* value = ++cursor;
    while (*cursor != L'\0' && *cursor != L'\'') ++cursor;
    if (*cursor == L'\0') return;  // Unterminated value: the item is dropped.

    if (cursor > value) {
      ApplyItem(record, key, key_length, CUIString(value, static_cast<int>(cursor - value)), scale_percent);
    }
    ++cursor;
    if (*cursor != L' ') return;
    ++cursor;
  }
}

}  // namespace

NineGridMiddle ImageDescriptor::Middle() const {
  if (hole) return NineGridMiddle::kHole;
  if (xtiled && ytiled) return NineGridMiddle::kTileXY;
  if (xtiled) return NineGridMiddle::kTileX;
  return ytiled ? NineGridMiddle::kTileY : NineGridMiddle::kStretch;
}

void ClearImageDescriptor(ImageDescriptor* record) { *record = ImageDescriptor(); }

void ParseImageDescriptor(ImageDescriptor* record, const wchar_t* descriptor, const wchar_t* modifier,
                          int scale_percent) {
  ClearImageDescriptor(record);
  record->descriptor_text = descriptor;
  record->modifier_text = modifier;
  record->image_name = descriptor;
  ScanItems(record, record->descriptor_text, scale_percent);
  ScanItems(record, record->modifier_text, scale_percent);
}

}  // namespace veneer
