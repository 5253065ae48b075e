#include "tests/support/dib_surface.h"

#include <vector>

#include "tests/support/environment_path.h"
#include "tests/support/png_encoding.h"

namespace veneer::test {
namespace {

// A top-down 32-bit DIB section; *bits points at its pixels (null when it cannot be made).
HBITMAP CreateTopDownSection(HDC dc, int width, int height, uint32_t** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // Top-down.
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  *bits = bitmap ? static_cast<uint32_t*>(memory) : nullptr;
  return bitmap;
}

}  // namespace

DibSurface::DibSurface(int width, int height)
    : width_(width),
      height_(height),
      dc_(CreateCompatibleDC(nullptr)),
      bits_(nullptr),
      bitmap_(CreateTopDownSection(dc_.get(), width, height, &bits_)),
      selection_(dc_.get(), bitmap_.get()) {}

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
