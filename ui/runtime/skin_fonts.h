#ifndef UI_RUNTIME_SKIN_FONTS_H_
#define UI_RUNTIME_SKIN_FONTS_H_

#include <windows.h>

#include <memory>

#include "ui/render/font_record.h"

namespace veneer {

// Font creation for the resource tables. These functions create and measure fonts; they store nothing.

// The longest face name the platform takes (LF_FACESIZE less the terminator).
constexpr int kMaxFaceNameLength = LF_FACESIZE - 1;

// A new record with a new font: the platform's default GUI font changed to `face` (its first 31
// characters; an empty face keeps the default face), DEFAULT_CHARSET, a character height of `size`
// pixels at 100 % scaled by `scale_percent`, weight 700 when bold, and the given flags. The record keeps
// the face actually used, the unscaled size, the flags and the id; its metrics are empty. Null when the
// platform refuses the font.
std::unique_ptr<FontRecord> CreateFontRecord(int id, const wchar_t* face, int size, FontStyle style,
                                             int scale_percent);

// A new record for the platform's default GUI font itself, with DEFAULT_CHARSET: its face, its size (the
// negated logical height), bold (weight 700 or more), underline and italic; id 0, metrics empty. Null
// when the platform refuses the font.
std::unique_ptr<FontRecord> CreateDefaultGuiFontRecord();

// Fills the record's metrics by selecting its font into `dc` (restoring the previous font). With a null
// `dc`, a temporary screen-compatible memory context is used. Records without a font are left empty.
void MeasureFontMetrics(FontRecord* record, HDC dc);

}  // namespace veneer

#endif  // UI_RUNTIME_SKIN_FONTS_H_
