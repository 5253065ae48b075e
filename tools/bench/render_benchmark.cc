// Prints the cost of the render engine's bitmap paths: the one-BitBlt copy of an opaque image, the
// same copy restricted to a small paint area, a stretched nine-grid, tiling that must skip invisible
// tiles, and the built-in blend against the platform's AlphaBlend. Figures only; nothing is asserted.
#include <windows.h>

#include "tests/render/test_bitmap.h"
#include "tests/support/benchmark_timer.h"
#include "tests/support/dib_surface.h"
#include "ui/core/win_handles.h"
#include "ui/render/msimg32_functions.h"
#include "ui/render/render_engine.h"

namespace veneer::test {
namespace {

void Run() {
  constexpr RECT kNoCorner = {0, 0, 0, 0};
  DibSurface surface(1024, 1024);
  TestBitmap opaque(256, 256, 0xFF336699);
  TestBitmap translucent(256, 256, 0x80402010);
  TestBitmap small(8, 8, 0xFF00FF00);
  HDC dc = surface.dc();

  ReportMicrosecondsPerCall("opaque 256x256 at its own size (one BitBlt)", 2000, [&] {
    Renderer::DrawBitmap(dc, opaque.get(), {0, 0, 256, 256}, {0, 0, 1024, 1024}, {0, 0, 256, 256}, kNoCorner,
                         false);
  });
  ReportMicrosecondsPerCall("opaque 256x256, 16x16 paint area", 2000, [&] {
    Renderer::DrawBitmap(dc, opaque.get(), {0, 0, 256, 256}, {100, 100, 116, 116}, {0, 0, 256, 256},
                         kNoCorner, false);
  });
  ReportMicrosecondsPerCall("translucent 256x256 blended at its own size", 1000, [&] {
    Renderer::DrawBitmap(dc, translucent.get(), {0, 0, 256, 256}, {0, 0, 1024, 1024}, {0, 0, 256, 256},
                         kNoCorner, true);
  });
  ReportMicrosecondsPerCall("nine-grid 8x8 corner 2 stretched to 600x40 (9 pieces)", 2000, [&] {
    Renderer::DrawBitmap(dc, small.get(), {0, 0, 600, 40}, {0, 0, 1024, 1024}, {0, 0, 8, 8}, {2, 2, 2, 2},
                         false);
  });
  ReportMicrosecondsPerCall("8x8 tiles over 1024x1024, all visible (16384 tiles)", 20, [&] {
    Renderer::DrawBitmap(dc, small.get(), {0, 0, 1024, 1024}, {0, 0, 1024, 1024}, {0, 0, 8, 8}, kNoCorner,
                         false, 255, NineGridMiddle::kTileXY);
  });
  ReportMicrosecondsPerCall("8x8 tiles over 1024x1024, 32x32 paint area", 2000, [&] {
    Renderer::DrawBitmap(dc, small.get(), {0, 0, 1024, 1024}, {500, 500, 532, 532}, {0, 0, 8, 8}, kNoCorner,
                         false, 255, NineGridMiddle::kTileXY);
  });

  {
    const ScopedMemoryDC memory_dc(CreateCompatibleDC(nullptr));
    HDC memory = memory_dc.get();
    const ScopedSelection selection(memory, translucent.get());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
    ReportMicrosecondsPerCall("platform AlphaBlend 256x256", 500,
                              [&] { AlphaBlend(dc, 0, 0, 256, 256, memory, 0, 0, 256, 256, blend); });
    ReportMicrosecondsPerCall("BuiltInAlphaBlend 256x256", 500,
                              [&] { BuiltInAlphaBlend(dc, 0, 0, 256, 256, memory, 0, 0, 256, 256, blend); });
  }

  ReportMicrosecondsPerCall("DrawColor 256x256 translucent (GDI+)", 500, [&] {
    Renderer::DrawColor(dc, {0, 0, 256, 256}, 0x80FF0000);
  });
  ReportMicrosecondsPerCall("DrawGradient 256x256 alpha 127", 500, [&] {
    Renderer::DrawGradient(dc, {0, 0, 256, 256}, 0xFF000000, 0x00FFFFFF, true, 64);
  });
}

}  // namespace
}  // namespace veneer::test

int main() {
  veneer::test::Run();
  return 0;
}
