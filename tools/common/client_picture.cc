#include "tools/common/client_picture.h"

#include <windows.h>

#include <stb_image.h>
#include <stb_image_write.h>

#include "ui/core/win_handles.h"

namespace tessaro::tools {
namespace {

// Larger files are no picture of a window.
constexpr DWORD kMaxPictureFileSize = 64 * 1024 * 1024;

void AppendBytes(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(context);
  const auto* begin = static_cast<const unsigned char*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
}

bool ReadWholeFile(const std::wstring& path, std::vector<unsigned char>* bytes) {
  const veneer::ScopedFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > kMaxPictureFileSize) {
    return false;
  }
  bytes->resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  return ReadFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) &&
         read == bytes->size();
}

}  // namespace

bool WritePngFile(const std::wstring& path, const ClientPicture& picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < static_cast<size_t>(picture.width) * picture.height) {
    return false;
  }
  std::vector<unsigned char> rgba;
  rgba.reserve(picture.pixels.size() * 4);
  for (const uint32_t pixel : picture.pixels) {
    rgba.insert(rgba.end(), {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                             static_cast<unsigned char>(pixel), static_cast<unsigned char>(pixel >> 24)});
  }
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(AppendBytes, &png, picture.width, picture.height, 4, rgba.data(),
                              picture.width * 4)) {
    return false;
  }
  const veneer::ScopedFileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool complete =
      file && WriteFile(file.get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
      written == png.size();
  if (!complete && file) DeleteFileW(path.c_str());
  return complete;
}

bool ReadPictureFile(const std::wstring& path, ClientPicture* picture) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, &bytes)) return false;
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba =
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4);
  if (!rgba) return false;
  picture->width = width;
  picture->height = height;
  picture->pixels.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < picture->pixels.size(); ++i) {
    const stbi_uc* pixel = rgba + i * 4;
    picture->pixels[i] = 0xFF000000u | (uint32_t{pixel[0]} << 16) | (uint32_t{pixel[1]} << 8) | pixel[2];
  }
  stbi_image_free(rgba);
  return true;
}

}  // namespace tessaro::tools
