#include "ui/render/image_loader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"

namespace veneer {
namespace {

using Bytes = std::vector<unsigned char>;
using test::EncodeBmp;
using test::EncodeJpeg;
using test::EncodePng;

Bytes SolidRgba(int width, int height, unsigned char alpha) {
  Bytes rgba(static_cast<size_t>(width) * height * 4, 0x40);
  for (size_t index = 3; index < rgba.size(); index += 4) rgba[index] = alpha;
  return rgba;
}

// Rewrites the width and height in the PNG's header chunk and its checksum, leaving the pixel data as is.
void ClaimSize(Bytes* png, uint32_t width, uint32_t height) {
  const size_t header = 16;  // Signature (8), chunk length (4), "IHDR" (4).
  const uint32_t values[] = {width, height};
  for (int which = 0; which < 2; ++which) {
    for (int shift = 0; shift < 4; ++shift) {
      (*png)[header + which * 4 + shift] = static_cast<unsigned char>(values[which] >> (24 - 8 * shift));
    }
  }
  const uLong crc = crc32(0, png->data() + 12, 17);  // "IHDR" and its 13 data bytes.
  for (int shift = 0; shift < 4; ++shift) {
    (*png)[29 + shift] = static_cast<unsigned char>(crc >> (24 - 8 * shift));
  }
}

std::unique_ptr<ImageRecord> Decode(const Bytes& bytes, uint32_t mask = 0) {
  return DecodeImageBytes(bytes.data(), bytes.size(), mask);
}

TEST(ImageLoaderTest, PremultipliesAndAppliesTheMask) {
  // One pixel per group.
  // clang-format off
  const unsigned char rgba[] = {255, 0, 0, 128,  10, 20, 30, 255,  0, 0, 0, 0,  0, 255, 0, 255};
  // clang-format on
  uint32_t out[4] = {};
  EXPECT_TRUE(ConvertToPremultipliedBgra(rgba, 4, 0, out));
  EXPECT_EQ(0x80800000u, out[0]);  // Stored B 0, G 0, R 128, A 128.
  EXPECT_EQ(0xFF0A141Eu, out[1]);
  EXPECT_EQ(0u, out[2]);

  // Opaque pixels alone: no alpha. A pixel equal to the mask is cleared and counts as alpha.
  EXPECT_FALSE(ConvertToPremultipliedBgra(rgba + 4, 1, 0, out));
  EXPECT_TRUE(ConvertToPremultipliedBgra(rgba + 12, 1, 0xFF00FF00, out));
  EXPECT_EQ(0u, out[0]);
  // The mask compares with the premultiplied value.
  EXPECT_FALSE(ConvertToPremultipliedBgra(rgba + 4, 1, 0xFF0A141F, out));
  EXPECT_TRUE(ConvertToPremultipliedBgra(rgba, 1, 0x80800000, out));
  EXPECT_EQ(0u, out[0]);
}

TEST(ImageLoaderTest, DecodesIntoATopDownPremultipliedSection) {
  // clang-format off
  const Bytes rgba = {255, 0, 0, 255,  255, 0, 0, 128,  0, 0, 255, 255,
                      0, 255, 0, 255,  0, 0, 0, 0,      255, 255, 255, 255};
  // clang-format on
  const std::unique_ptr<ImageRecord> record = Decode(EncodePng(3, 2, rgba));
  ASSERT_NE(nullptr, record);
  EXPECT_EQ(3, record->width);
  EXPECT_EQ(2, record->height);
  EXPECT_TRUE(record->has_alpha);
  EXPECT_FALSE(record->adjusts_hsl);
  EXPECT_EQ(nullptr, record->unadjusted_pixels);
  const uint32_t expected[] = {0xFFFF0000, 0x80800000, 0xFF0000FF, 0xFF00FF00, 0x00000000, 0xFFFFFFFF};
  for (int index = 0; index < 6; ++index) EXPECT_EQ(expected[index], record->pixels[index]) << index;

  DIBSECTION section = {};
  ASSERT_EQ(static_cast<int>(sizeof(section)), GetObjectW(record->bitmap.get(), sizeof(section), &section));
  EXPECT_EQ(32, section.dsBm.bmBitsPixel);  // Row order: the first row read above is the top one.
  EXPECT_EQ(record->pixels, section.dsBm.bmBits);

  const std::unique_ptr<ImageRecord> opaque = Decode(EncodePng(4, 4, SolidRgba(4, 4, 255)), 0xFF123456);
  ASSERT_NE(nullptr, opaque);
  EXPECT_FALSE(opaque->has_alpha);
  EXPECT_EQ(0xFF123456u, opaque->mask);
}

TEST(ImageLoaderTest, CapsTheDecodedSize) {
  const std::unique_ptr<ImageRecord> widest = Decode(EncodePng(4096, 1, SolidRgba(4096, 1, 255)));
  ASSERT_NE(nullptr, widest);
  EXPECT_EQ(4096, widest->width);
  EXPECT_EQ(nullptr, Decode(EncodePng(4097, 1, SolidRgba(4097, 1, 255))));
  EXPECT_EQ(nullptr, Decode(EncodePng(1, 4097, SolidRgba(1, 4097, 255))));

  Bytes huge = EncodePng(2, 2, SolidRgba(2, 2, 255));
  ClaimSize(&huge, 100000, 100000);
  EXPECT_EQ(nullptr, Decode(huge));
  ClaimSize(&huge, 4096, 4096);  // Within the cap, but the data holds only 2 x 2 pixels.
  EXPECT_EQ(nullptr, Decode(huge));
}

// Only the formats of skins and store pictures decode: each of them whole, none of them cut short (BMP
// and GIF read missing pixels as zeros, so they are cut inside their headers), and none of the formats
// left out, whose decoders crashed on a 16-bit PNM header without pixels and spent seconds and hundreds
// of megabytes on a bare TGA header.
TEST(ImageLoaderTest, DecodesPngJpegBmpAndGifOnly) {
  const Bytes rgba = SolidRgba(8, 8, 255);
  const Bytes gif = {
      'G', 'I',  'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0,   0,
      0,   0x2C, 0,   0,   0,   0,   1, 0, 1, 0, 0,    2, 2, 0x44, 1,    0,    0x3B};  // One white pixel.
  const struct {
    const char* format;
    Bytes whole;
    size_t cut;
  } enabled[] = {{"PNG", EncodePng(8, 8, rgba), 40},
                 {"JPEG", EncodeJpeg(8, 8, rgba, 90), 300},
                 {"BMP", EncodeBmp(8, 8, rgba, true), 40},
                 {"GIF", gif, 19}};
  for (const auto& image : enabled) {
    SCOPED_TRACE(image.format);
    ASSERT_GT(image.whole.size(), image.cut);
    EXPECT_NE(nullptr, Decode(image.whole));
    EXPECT_EQ(nullptr, DecodeImageBytes(image.whole.data(), image.cut, 0));
  }

  const std::string pnm_header = "P6\n512 512\n65535\n";
  const Bytes tga_header = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x20, 0x00, 0x20, 32, 0};
  Bytes tga_pixel = tga_header;
  tga_pixel[12] = tga_pixel[14] = 1;
  tga_pixel[13] = tga_pixel[15] = 0;
  tga_pixel.insert(tga_pixel.end(), {0x10, 0x20, 0x30, 0xFF});
  for (const Bytes& other : {Bytes(pnm_header.begin(), pnm_header.end()), tga_header, tga_pixel}) {
    EXPECT_EQ(nullptr, Decode(other)) << other.size();
  }
}

TEST(ImageLoaderTest, DamagedDataYieldsNoImage) {
  const Bytes png = EncodePng(16, 16, SolidRgba(16, 16, 200));
  ASSERT_GT(png.size(), 60u);
  // Every cut before the end chunk loses data the decoder needs.
  const size_t end_chunk = png.size() - 12;
  for (size_t length = 0; length < end_chunk; ++length) {
    EXPECT_EQ(nullptr, DecodeImageBytes(png.data(), length, 0)) << length;
  }

  Bytes noise(4096);
  uint32_t state = 12345;
  for (unsigned char& byte : noise) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<unsigned char>(state >> 16);
  }
  EXPECT_EQ(nullptr, Decode(noise));
  std::memcpy(noise.data(), png.data(), 8);  // A PNG signature followed by noise.
  EXPECT_EQ(nullptr, Decode(noise));
  EXPECT_EQ(nullptr, DecodeImageBytes(nullptr, 10, 0));
}

TEST(ImageLoaderTest, LoadsFilesAndRejectsNamesThatAreNoResourceIds) {
  const std::wstring path = test::TempPath(L"veneer_image_loader_test.png");
  ASSERT_TRUE(test::WriteFileBytes(path, EncodePng(5, 3, SolidRgba(5, 3, 255))));

  const std::unique_ptr<ImageRecord> record = LoadImageRecord(path.c_str(), L"", 0, nullptr);
  ASSERT_NE(nullptr, record);
  EXPECT_EQ(5, record->width);
  EXPECT_TRUE(record->resource_type.IsEmpty());
  DeleteFileW(path.c_str());

  EXPECT_EQ(nullptr, LoadImageFile(path.c_str(), 0));
  EXPECT_EQ(nullptr, LoadImageRecord(L"", nullptr, 0, nullptr));
  EXPECT_EQ(nullptr, LoadImageRecord(L"logo.png", L"PNG", 0, nullptr));
  EXPECT_EQ(nullptr, LoadImageResource(0, L"PNG", 0, nullptr));
  EXPECT_EQ(nullptr, LoadImageResource(70000, L"PNG", 0, nullptr));  // Not an integer resource name.
}

}  // namespace
}  // namespace veneer
