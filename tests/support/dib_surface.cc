#include "tests/support/dib_surface.h"

#include <stb_image_write.h>

#include <cstdlib>
#include <vector>

namespace veneer::test {
namespace {

void WriteToFile(void* context, void* data, int size) {
  DWORD written = 0;
  HANDLE file = static_cast<HANDLE>(context);
  WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
}

}  // namespace

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
  std::vector<unsigned char> rgba(static_cast<size_t>(width_) * height_ * 4);
  for (int i = 0; i < width_ * height_; ++i) {
    const uint32_t p = bits_[i];
    rgba[i * 4 + 0] = static_cast<unsigned char>(p >> 16);
    rgba[i * 4 + 1] = static_cast<unsigned char>(p >> 8);
    rgba[i * 4 + 2] = static_cast<unsigned char>(p);
    rgba[i * 4 + 3] = static_cast<unsigned char>(p >> 24);
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const int ok = stbi_write_png_to_func(WriteToFile, file, width_, height_, 4, rgba.data(), width_ * 4);
  CloseHandle(file);
  return ok != 0;
}

std::wstring DibSurface::SaveForFailureReport(const std::wstring& name) const {
  std::wstring folder = L".";
  if (const wchar_t* out = _wgetenv(L"TESSARO_TEST_OUTPUT")) {
    // CTest hands over a Unix path; Wine maps the Unix root to drive Z:.
    folder = out[0] == L'/' ? std::wstring(L"Z:") + out : out;
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  const std::wstring path = folder + L"\\" + name + L".png";
  return WritePng(path) ? path : std::wstring();
}

}  // namespace veneer::test
