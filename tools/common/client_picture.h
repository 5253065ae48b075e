#ifndef TOOLS_COMMON_CLIENT_PICTURE_H_
#define TOOLS_COMMON_CLIENT_PICTURE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::tools {

// A window's client area read back: rows from the top, opaque 0xFFRRGGBB pixels. A plain value; empty
// (0 x 0) when nothing has been read.
struct ClientPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Writes the picture as an RGBA PNG file. False (and no file left behind) when encoding or writing
// fails, or when the picture holds fewer than width * height pixels.
bool WritePngFile(const std::wstring& path, const ClientPicture& picture);

// Reads a PNG (or any format the image decoder reads) into *picture, made opaque. False when the file
// cannot be read or decoded.
bool ReadPictureFile(const std::wstring& path, ClientPicture* picture);

}  // namespace tessaro::tools

#endif  // TOOLS_COMMON_CLIENT_PICTURE_H_
