#include "tests/support/dib_surface.h"

#include <vector>

#include "tests/support/environment_path.h"
#include "tests/support/png_encoding.h"

namespace veneer::test {

DibSurface::DibSurface(int width, int height)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)), bitmap_(nullptr),
      old_bitmap_(nullptr), bits_(nullptr) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // Top-down.
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return;
  bits_ = static_cast<uint32_t*>(bits);
  old_bitmap_ = SelectObject(dc_, bitmap_);
}

DibSurface::~DibSurface() {
  if (old_bitmap_) SelectObject(dc_, old_bitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

uint32_t DibSurface::Pixel(int x, int y) const {
  GdiFlush();
  return bits_[y * width_ + x];
}

void DibSurface::Fill(uint32_t argb) {
  GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = argb;
}

int DibSurface::CountPixelsNotEqual(uint32_t argb, const RECT& area) const {
  GdiFlush();
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += bits_[y * width_ + x] != argb;
  }
  return count;
}

bool DibSurface::WritePng(const std::wstring& path) const {
  if (!ok()) return false;
  GdiFlush();
  return WritePngFile(path, width_, height_, std::vector<uint32_t>(bits_, bits_ + width_ * height_));
}

std::wstring DibSurface::SaveForFailureReport(const std::wstring& name) const {
  std::wstring folder = EnvironmentPath(L"TESSARO_TEST_OUTPUT");
  if (folder.empty()) {
    folder = L".";
  } else {
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  const std::wstring path = folder + L"\\" + name + L".png";
  return WritePng(path) ? path : std::wstring();
}

}  // namespace veneer::test
