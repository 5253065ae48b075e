#include "ui/render/msimg32_functions.h"

#include <cmath>

#include "ui/core/system_library.h"
#include "ui/core/win_handles.h"
#include "ui/render/dib_section.h"

namespace veneer {
namespace {

template <typename Function>
Function LookUp(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through void* so that the compiler accepts the change of function type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// AlphaBlend's source-over for one premultiplied pixel, all four bytes mixed alike, rounded.
uint32_t MixPixel(uint32_t source, uint32_t dest, int constant_alpha, bool source_has_alpha) {
  const double source_alpha = source_has_alpha ? static_cast<double>(source >> 24) : 255.0;
  const double keep = 1.0 - source_alpha * constant_alpha / 255.0 / 255.0;
  uint32_t mixed = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double value =
        ((source >> shift) & 0xFF) * constant_alpha / 255.0 + ((dest >> shift) & 0xFF) * keep;
    const uint32_t channel = static_cast<uint32_t>(std::lround(value > 255.0 ? 255.0 : value));
    mixed |= channel << shift;
  }
  return mixed;
}

}  // namespace

const Msimg32Functions& GetMsimg32Functions() {
  static const Msimg32Functions functions = [] {
    // The system folder's msimg32.dll, which then stays loaded for the process's life.
    HMODULE module = LoadSystemLibrary(L"msimg32.dll");
    Msimg32Functions found;
    found.alpha_blend = LookUp<AlphaBlendFunction>(module, "AlphaBlend");
    if (!found.alpha_blend) found.alpha_blend = BuiltInAlphaBlend;
    found.gradient_fill = LookUp<GradientFillFunction>(module, "GradientFill");
    return found;
  }();
  return functions;
}

BOOL WINAPI BuiltInAlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                              int source_y, int source_width, int source_height, BLENDFUNCTION blend) {
  if (!dest || !source || width <= 0 || height <= 0 || source_width <= 0 || source_height <= 0) return FALSE;
  const ScopedMemoryDC memory(CreateCompatibleDC(dest));
  if (!memory) return FALSE;
  uint32_t* source_pixels = nullptr;
  uint32_t* dest_pixels = nullptr;
  // Both copies have the same row order, so the pixels pair up whatever that order is.
  const ScopedBitmap source_copy = CreateDibSection32(memory.get(), width, height, false, &source_pixels);
  const ScopedBitmap dest_copy = CreateDibSection32(memory.get(), width, height, false, &dest_pixels);
  if (!source_copy || !dest_copy) return FALSE;
  {
    const ScopedSelection source_selection(memory.get(), source_copy.get());
    SetStretchBltMode(memory.get(), COLORONCOLOR);
    StretchBlt(memory.get(), 0, 0, width, height, source, source_x, source_y, source_width, source_height,
               SRCCOPY);
  }
  const ScopedSelection dest_selection(memory.get(), dest_copy.get());
  BitBlt(memory.get(), 0, 0, width, height, dest, x, y, SRCCOPY);
  GdiFlush();
  const bool source_has_alpha = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
  const int count = width * height;
  for (int i = 0; i < count; ++i) {
    dest_pixels[i] = MixPixel(source_pixels[i], dest_pixels[i], blend.SourceConstantAlpha, source_has_alpha);
  }
  return BitBlt(dest, x, y, width, height, memory.get(), 0, 0, SRCCOPY);
}

void FillGradientBands(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical, int steps) {
  const int shift = steps >= 64 ? 6 : steps >= 32 ? 5 : steps >= 16 ? 4 : steps > 7 ? 3 : steps > 3 ? 2 : 1;
  const int bands = 1 << shift;
  const int64_t extent =
      vertical ? static_cast<int64_t>(rect.bottom) - rect.top : static_cast<int64_t>(rect.right) - rect.left;
  if (extent <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
  for (int i = 0; i < bands; ++i) {
    auto mix = [&](int bit) {
      const int from = (first >> bit) & 0xFF;
      const int to = (second >> bit) & 0xFF;
      return static_cast<BYTE>((to * (bands - i) + from * i) >> shift);
    };
    RECT band = rect;
    const LONG near_edge = static_cast<LONG>((extent * (i + 1)) >> shift);
    const LONG far_edge = static_cast<LONG>((extent * i) >> shift);
    if (vertical) {
      band.top = rect.bottom - near_edge;
      band.bottom = rect.bottom - far_edge;
    } else {
      band.left = rect.right - near_edge;
      band.right = rect.right - far_edge;
    }
    if (band.left >= band.right || band.top >= band.bottom) continue;
    const ScopedBrush brush(CreateSolidBrush(RGB(mix(16), mix(8), mix(0))));
    if (!brush) continue;
    FillRect(dc, &band, brush.get());
  }
}

}  // namespace veneer
