#ifndef UI_RENDER_IMAGE_LOADER_H_
#define UI_RENDER_IMAGE_LOADER_H_

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "ui/render/image_record.h"

namespace veneer {

// Image loading: reads the bytes of a skin image (module resource, skin archive entry, file) and decodes
// them into an ImageRecord. Only PNG, JPEG, BMP and GIF decode (stb_image is built with those decoders
// alone); any other format yields no image. Hostile or damaged data yields no image: decoded sizes are
// capped at 4096 x 4096 pixels by the decoder, and truncated or corrupt data fails cleanly, except that
// BMP and GIF pixel data cut short decodes with the missing pixels zero. Every function returns a new
// record that the caller owns, or null.

// Decodes an image held in memory into a premultiplied 32-bit top-down DIB section (see
// ConvertToPremultipliedBgra). The bytes are only read during the call. The record keeps `mask`.
std::unique_ptr<ImageRecord> DecodeImageBytes(const unsigned char* bytes, size_t size, uint32_t mask);

// Converts `count` R, G, B, A pixels into 32-bit B, G, R, A pixels with the colour channels premultiplied
// (channel * alpha / 255, integer division; opaque pixels are copied). A stored pixel that, read as
// 0xAARRGGBB, equals `mask` becomes 0. Returns whether any pixel is not opaque or matched the mask.
bool ConvertToPremultipliedBgra(const unsigned char* rgba, size_t count, uint32_t mask, uint32_t* out);

// Loads a skin file: the entry of the skin archive, or the file of that name, then the name as a plain
// path (ReadSkinFile with fallback).
std::unique_ptr<ImageRecord> LoadImageFile(const wchar_t* name, uint32_t mask);

// Loads the resource with numeric id `id` (1 to 65535) and type `resource_type` from `instance` (null:
// the skin resource module). The record keeps the resource type.
std::unique_ptr<ImageRecord> LoadImageResource(int id, const wchar_t* resource_type, uint32_t mask,
                                               HINSTANCE instance);

// The skin's image rule: with an empty resource type, `name` is a file or archive entry; with a type,
// `name` must begin with a decimal digit and the number at its start is the resource id; any other name
// yields no image.
std::unique_ptr<ImageRecord> LoadImageRecord(const wchar_t* name, const wchar_t* resource_type, uint32_t mask,
                                             HINSTANCE instance);

}  // namespace veneer

#endif  // UI_RENDER_IMAGE_LOADER_H_
