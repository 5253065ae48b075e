#include "ui/render/dib_section.h"

namespace veneer {

ScopedBitmap CreateDibSection32(HDC dc, int width, int height, bool top_down, uint32_t** pixels) {
  *pixels = nullptr;
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > kMaxBitmapPixels) return {};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = top_down ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bits) return {};
  *pixels = static_cast<uint32_t*>(bits);
  return bitmap;
}

}  // namespace veneer
