#ifndef TESTS_SUPPORT_PNG_ENCODING_H_
#define TESTS_SUPPORT_PNG_ENCODING_H_

#include <cstdint>
#include <string>
#include <vector>

namespace veneer::test {

// PNG images for tests that feed the image loader or save what they drew, and BMP and JPEG images for
// the fuzzer's seeds; encoded with stb_image_write. Pixels run in rows from the top. The result is empty
// when encoding fails or the buffer holds fewer than width * height pixels.

// An RGBA PNG of R, G, B, A bytes per pixel.
std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgba);
// A BMP of the R, G, B, A pixels: 32 bits per pixel with `alpha`, else 24 (alpha dropped).
std::vector<unsigned char> EncodeBmp(int width, int height, const std::vector<unsigned char>& rgba,
                                     bool alpha);
// A baseline JPEG of the R, G, B, A pixels (alpha dropped) at `quality` (1 to 100).
std::vector<unsigned char> EncodeJpeg(int width, int height, const std::vector<unsigned char>& rgba,
                                      int quality);
// An RGBA PNG of straight (not premultiplied) 0xAARRGGBB pixels.
std::vector<unsigned char> EncodePngArgb(int width, int height, const std::vector<uint32_t>& argb);
// Writes EncodePngArgb's image as a file; false when encoding or writing fails.
bool WritePngFile(const std::wstring& path, int width, int height, const std::vector<uint32_t>& argb);

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_PNG_ENCODING_H_
