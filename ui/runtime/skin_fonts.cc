#include "ui/runtime/skin_fonts.h"

#include <cwchar>
#include <utility>

#include "ui/core/win_handles.h"
#include "ui/render/display_scale.h"

namespace veneer {
namespace {

LOGFONTW DefaultGuiLogFont() {
  LOGFONTW log_font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(log_font), &log_font);
  log_font.lfCharSet = DEFAULT_CHARSET;
  return log_font;
}

}  // namespace

std::unique_ptr<FontRecord> CreateFontRecord(int id, const wchar_t* face, int size, FontStyle style,
                                             int scale_percent) {
  const bool bold = HasStyle(style, FontStyle::kBold);
  const bool underline = HasStyle(style, FontStyle::kUnderline);
  const bool italic = HasStyle(style, FontStyle::kItalic);
  const bool strike_out = HasStyle(style, FontStyle::kStrikeOut);
  LOGFONTW log_font = DefaultGuiLogFont();
  if (face && *face) {
    const size_t length = wcsnlen(face, kMaxFaceNameLength);
    wmemcpy(log_font.lfFaceName, face, length);
    log_font.lfFaceName[length] = L'\0';
  }
  log_font.lfHeight = -ScaleByPercent(size, scale_percent);
  if (bold) log_font.lfWeight = FW_BOLD;
  log_font.lfUnderline = underline ? TRUE : FALSE;
  log_font.lfItalic = italic ? TRUE : FALSE;
  log_font.lfStrikeOut = strike_out ? TRUE : FALSE;
  ScopedFont font(CreateFontIndirectW(&log_font));
  if (!font) return nullptr;

  auto record = std::make_unique<FontRecord>();
  record->handle = std::move(font);
  record->faceName = log_font.lfFaceName;
  record->size = size;
  record->bold = bold;
  record->underline = underline;
  record->italic = italic;
  record->strikeOut = strike_out;
  record->id = id;
  return record;
}

std::unique_ptr<FontRecord> CreateDefaultGuiFontRecord() {
  const LOGFONTW log_font = DefaultGuiLogFont();
  ScopedFont font(CreateFontIndirectW(&log_font));
  if (!font) return nullptr;

  auto record = std::make_unique<FontRecord>();
  record->handle = std::move(font);
  record->faceName = log_font.lfFaceName;
  record->size = -log_font.lfHeight;
  record->bold = log_font.lfWeight >= FW_BOLD;
  record->underline = log_font.lfUnderline != 0;
  record->italic = log_font.lfItalic != 0;
  record->strikeOut = log_font.lfStrikeOut != 0;
  return record;
}

void MeasureFontMetrics(FontRecord* record, HDC dc) {
  if (!record->handle) return;
  const ScopedMemoryDC memory_dc(dc ? nullptr : CreateCompatibleDC(nullptr));
  HDC target = dc ? dc : memory_dc.get();
  if (!target) return;
  const ScopedSelection font_selection(target, record->handle.get());
  GetTextMetricsW(target, &record->metrics);
}

}  // namespace veneer
