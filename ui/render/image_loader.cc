#include "ui/render/image_loader.h"

#include <stb_image.h>

#include <climits>
#include <utility>
#include <vector>

#include "ui/core/attribute_values.h"
#include "ui/markup/skin_source.h"
#include "ui/render/dib_section.h"

namespace veneer {
namespace {

constexpr int kMaxResourceId = 0xFFFF;  // Larger ids are not integer resource names.

std::unique_ptr<ImageRecord> DecodeBuffer(const std::vector<unsigned char>& bytes, uint32_t mask) {
  return bytes.empty() ? nullptr : DecodeImageBytes(bytes.data(), bytes.size(), mask);
}

}  // namespace

bool ConvertToPremultipliedBgra(const unsigned char* rgba, size_t count, uint32_t mask, uint32_t* out) {
  bool has_alpha = false;
  for (size_t index = 0; index < count; ++index, rgba += 4) {
    const uint32_t alpha = rgba[3];
    uint32_t red = rgba[0];
    uint32_t green = rgba[1];
    uint32_t blue = rgba[2];
    if (alpha != 255) {
      red = red * alpha / 255;
      green = green * alpha / 255;
      blue = blue * alpha / 255;
      has_alpha = true;
    }
    uint32_t pixel = (alpha << 24) | (red << 16) | (green << 8) | blue;
    if (pixel == mask) {
      pixel = 0;
      has_alpha = true;
    }
    out[index] = pixel;
  }
  return has_alpha;
}

std::unique_ptr<ImageRecord> DecodeImageBytes(const unsigned char* bytes, size_t size, uint32_t mask) {
  if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX)) return nullptr;
  int width = 0;
  int height = 0;
  int channels = 0;
  // Four channels requested; the decoder refuses sizes above its dimension limit before allocating.
  stbi_uc* rgba = stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 4);
  if (!rgba) return nullptr;

  uint32_t* pixels = nullptr;
  ScopedBitmap bitmap = CreateDibSection32(nullptr, width, height, true, &pixels);
  std::unique_ptr<ImageRecord> record;
  if (bitmap) {
    record = std::make_unique<ImageRecord>();
    record->bitmap = std::move(bitmap);
    record->pixels = pixels;
    record->width = width;
    record->height = height;
    record->mask = mask;
    record->has_alpha = ConvertToPremultipliedBgra(
        rgba, static_cast<size_t>(width) * static_cast<size_t>(height), mask, pixels);
  }
  stbi_image_free(rgba);
  return record;
}

std::unique_ptr<ImageRecord> LoadImageFile(const wchar_t* name, uint32_t mask) {
  std::vector<unsigned char> bytes;
  if (!name || !*name || !ReadSkinFile(name, true, &bytes)) return nullptr;
  return DecodeBuffer(bytes, mask);
}

std::unique_ptr<ImageRecord> LoadImageResource(int id, const wchar_t* resource_type, uint32_t mask,
                                               HINSTANCE instance) {
  if (id < 1 || id > kMaxResourceId || !resource_type || !*resource_type) return nullptr;
  std::vector<unsigned char> bytes;
  if (!ReadSkinResource(instance, MAKEINTRESOURCEW(id), resource_type, &bytes)) return nullptr;
  std::unique_ptr<ImageRecord> record = DecodeBuffer(bytes, mask);
  if (record) record->resource_type = resource_type;
  return record;
}

std::unique_ptr<ImageRecord> LoadImageRecord(const wchar_t* name, const wchar_t* resource_type, uint32_t mask,
                                             HINSTANCE instance) {
  if (!name || !*name) return nullptr;
  if (!resource_type || !*resource_type) return LoadImageFile(name, mask);
  if (*name < L'0' || *name > L'9') return nullptr;
  return LoadImageResource(ParseIntValue(name), resource_type, mask, instance);
}

}  // namespace veneer
