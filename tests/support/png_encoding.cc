#include "tests/support/png_encoding.h"

#include <stb_image_write.h>

#include "tests/support/temp_files.h"

namespace veneer::test {
namespace {

void AppendBytes(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(context);
  const auto* begin = static_cast<const unsigned char*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
}

bool HoldsPixels(int width, int height, const std::vector<unsigned char>& rgba) {
  return width > 0 && height > 0 && rgba.size() / 4 / width >= static_cast<size_t>(height);
}

// Runs one of stb_image_write's writers (it returns 0 on failure) into a byte vector.
template <typename Writer>
std::vector<unsigned char> Encode(int width, int height, const std::vector<unsigned char>& rgba,
                                  const Writer& write) {
  std::vector<unsigned char> bytes;
  if (HoldsPixels(width, height, rgba) && !write(&bytes)) bytes.clear();
  return bytes;
}

// The R, G, B bytes of R, G, B, A pixels.
std::vector<unsigned char> DropAlpha(const std::vector<unsigned char>& rgba) {
  std::vector<unsigned char> rgb;
  for (size_t index = 0; index + 4 <= rgba.size(); index += 4) {
    rgb.insert(rgb.end(), &rgba[index], &rgba[index + 3]);
  }
  return rgb;
}

}  // namespace

std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgba) {
  return Encode(width, height, rgba, [&](std::vector<unsigned char>* png) {
    return stbi_write_png_to_func(AppendBytes, png, width, height, 4, rgba.data(), width * 4);
  });
}

std::vector<unsigned char> EncodeBmp(int width, int height, const std::vector<unsigned char>& rgba,
                                     bool alpha) {
  const std::vector<unsigned char> pixels = alpha ? rgba : DropAlpha(rgba);
  return Encode(width, height, rgba, [&](std::vector<unsigned char>* bmp) {
    return stbi_write_bmp_to_func(AppendBytes, bmp, width, height, alpha ? 4 : 3, pixels.data());
  });
}

std::vector<unsigned char> EncodeJpeg(int width, int height, const std::vector<unsigned char>& rgba,
                                      int quality) {
  return Encode(width, height, rgba, [&](std::vector<unsigned char>* jpeg) {
    return stbi_write_jpg_to_func(AppendBytes, jpeg, width, height, 4, rgba.data(), quality);
  });
}

std::vector<unsigned char> EncodePngArgb(int width, int height, const std::vector<uint32_t>& argb) {
  std::vector<unsigned char> rgba;
  rgba.reserve(argb.size() * 4);
  for (const uint32_t p : argb) {
    rgba.insert(rgba.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                             static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)});
  }
  return EncodePng(width, height, rgba);
}

bool WritePngFile(const std::wstring& path, int width, int height, const std::vector<uint32_t>& argb) {
  const std::vector<unsigned char> png = EncodePngArgb(width, height, argb);
  return !png.empty() && WriteFileBytes(path, png);
}

}  // namespace veneer::test
