#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/render/test_bitmap.h"
#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/render/image_descriptor.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr RECT kNoRect = {0, 0, 0, 0};

// Skin images written as PNG files into a temporary folder and drawn through descriptors naming their
// full paths (without a skin archive the loader reads plain paths).
class DrawImageTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = TempPath(L"tessaro_render_tests_" + std::to_wstring(GetCurrentProcessId()));
    CreateDirectoryW(folder_.c_str(), nullptr);
    ASSERT_TRUE(WritePngFile(Path(L"cornered.png"), 8, 8, CorneredImagePixels()));
    ASSERT_TRUE(WritePngFile(Path(L"red.png"), 4, 4, std::vector<uint32_t>(16, 0xFFFF0000)));
    ASSERT_TRUE(WritePngFile(Path(L"half.png"), 4, 4, std::vector<uint32_t>(16, 0x80FF0000)));
    std::vector<uint32_t> varied(64);
    for (uint32_t i = 0; i < 64; ++i)
      varied[i] = (0x40 + i * 3) << 24 | (i * 37 % 256) << 16 | (i * 91 % 256) << 8 | i * 4;
    ASSERT_TRUE(WritePngFile(Path(L"varied.png"), 8, 8, varied));
  }

  static void TearDownTestSuite() {
    for (const wchar_t* name : {L"cornered.png", L"red.png", L"half.png", L"varied.png"})
      DeleteFileW(Path(name).c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  static std::wstring Path(const wchar_t* name) { return folder_ + L"\\" + name; }
  static std::wstring Descriptor(const wchar_t* name, const wchar_t* items = L"") {
    return L"file='" + Path(name) + L"' " + items;
  }

  bool Draw(const DibSurface& surface, const RECT& item, const RECT& paint, const std::wstring& descriptor,
            const wchar_t* modifier = nullptr) {
    return Renderer::DrawImageDescriptor(surface.dc(), &manager_, item, paint, descriptor.c_str(), modifier);
  }

  CPaintManagerUI manager_;
  static std::wstring folder_;
};

std::wstring DrawImageTest::folder_;

TEST_F(DrawImageTest, ACorneredProgressImageKeepsItsCornersWhenStretched) {
  DibSurface surface(320, 10);
  surface.Fill(kWhite);
  ASSERT_TRUE(
      Draw(surface, {10, 1, 310, 9}, {0, 0, 320, 10}, Descriptor(L"cornered.png", L"corner='2,2,2,2'")));
  EXPECT_EQ(0x110000u, surface.Pixel(10, 1) & 0xFFFFFF);
  EXPECT_EQ(0x110000u, surface.Pixel(11, 2) & 0xFFFFFF);
  EXPECT_EQ(0x220000u, surface.Pixel(308, 2) & 0xFFFFFF);
  EXPECT_EQ(0x330000u, surface.Pixel(11, 7) & 0xFFFFFF);
  EXPECT_EQ(0x440000u, surface.Pixel(309, 8) & 0xFFFFFF);
  EXPECT_EQ(0x00FF00u, surface.Pixel(160, 5) & 0xFFFFFF);
  EXPECT_EQ(0x0000FFu, surface.Pixel(160, 1) & 0xFFFFFF);
  EXPECT_EQ(kWhite, surface.Pixel(310, 5));
  EXPECT_EQ(kWhite, surface.Pixel(9, 5));
}

TEST_F(DrawImageTest, DestPlacesTheImageInsideTheItemAndIsCutAtItsEdges) {
  DibSurface surface(100, 100);
  surface.Fill(kWhite);
  ASSERT_TRUE(
      Draw(surface, {20, 20, 60, 60}, {0, 0, 100, 100}, Descriptor(L"red.png", L"dest='10,10,20,20'")));
  EXPECT_EQ(100, surface.CountPixelsNotEqual(kWhite, {0, 0, 100, 100}));
  EXPECT_EQ(0xFF0000u, surface.Pixel(30, 30) & 0xFFFFFF);
  EXPECT_EQ(0xFF0000u, surface.Pixel(39, 39) & 0xFFFFFF);

  // A dest reaching past the item stops at the item's right and bottom edges.
  surface.Fill(kWhite);
  ASSERT_TRUE(
      Draw(surface, {20, 20, 60, 60}, {0, 0, 100, 100}, Descriptor(L"red.png", L"dest='30,30,80,80'")));
  EXPECT_EQ(10 * 10, surface.CountPixelsNotEqual(kWhite, {0, 0, 100, 100}));
  EXPECT_EQ(kWhite, surface.Pixel(60, 55));
}

TEST_F(DrawImageTest, SourceAndModifierChooseThePartOfTheBitmap) {
  DibSurface surface(4, 4);
  surface.Fill(kWhite);
  // The modifier's source (the top-right corner) overrides the descriptor's (the bottom-left one).
  ASSERT_TRUE(Draw(surface, {0, 0, 2, 2}, {0, 0, 4, 4}, Descriptor(L"cornered.png", L"source='0,6,2,8'"),
                   L"source='6,0,8,2'"));
  EXPECT_EQ(0x220000u, surface.Pixel(0, 0) & 0xFFFFFF);
  EXPECT_EQ(0x220000u, surface.Pixel(1, 1) & 0xFFFFFF);
  // A source beyond the bitmap is cut to it: 6..8 of an 8-pixel image, drawn into 2 pixels unscaled.
  surface.Fill(kWhite);
  ASSERT_TRUE(Draw(surface, {0, 0, 2, 2}, {0, 0, 4, 4}, Descriptor(L"cornered.png", L"source='6,6,50,50'")));
  EXPECT_EQ(0x440000u, surface.Pixel(1, 1) & 0xFFFFFF);
}

TEST_F(DrawImageTest, FadeAndTranslucentImagesBlend) {
  DibSurface surface(20, 4);
  surface.Fill(kWhite);
  ASSERT_TRUE(Draw(surface, {0, 0, 4, 4}, {0, 0, 20, 4}, Descriptor(L"red.png", L"fade='128'")));
  EXPECT_TRUE(NearColor(surface.Pixel(2, 2), 0xFFFF7F7F, 2)) << std::hex << surface.Pixel(2, 2);
  ASSERT_TRUE(Draw(surface, {5, 0, 9, 4}, {0, 0, 20, 4}, Descriptor(L"red.png", L"fade='0'")));
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {5, 0, 9, 4}));
  ASSERT_TRUE(Draw(surface, {10, 0, 14, 4}, {0, 0, 20, 4}, Descriptor(L"half.png")));
  EXPECT_TRUE(NearColor(surface.Pixel(12, 2), 0xFFFF7F7F, 2)) << std::hex << surface.Pixel(12, 2);
}

TEST_F(DrawImageTest, MissingImagesFailAndInvisibleOnesSucceedWithoutDrawing) {
  DibSurface surface(20, 20);
  surface.Fill(kWhite);
  EXPECT_FALSE(Draw(surface, {0, 0, 20, 20}, {0, 0, 20, 20}, Descriptor(L"missing.png")));
  EXPECT_FALSE(Draw(surface, {0, 0, 20, 20}, {0, 0, 20, 20}, L""));
  EXPECT_TRUE(Draw(surface, {0, 0, 20, 20}, {30, 30, 40, 40}, Descriptor(L"red.png")));
  EXPECT_TRUE(Draw(surface, {0, 0, 20, 20}, {0, 0, 20, 20}, Descriptor(L"red.png", L"dest='25,0,30,5'")));
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {0, 0, 20, 20}));

  EXPECT_FALSE(Renderer::DrawImageDescriptor(nullptr, &manager_, {0, 0, 4, 4}, {0, 0, 4, 4},
                                             Descriptor(L"red.png").c_str()));
  EXPECT_FALSE(Renderer::DrawImageDescriptor(surface.dc(), nullptr, {0, 0, 4, 4}, {0, 0, 4, 4},
                                             Descriptor(L"red.png").c_str()));
  EXPECT_FALSE(Renderer::DrawImageInfo(surface.dc(), &manager_, {0, 0, 4, 4}, {0, 0, 4, 4}, nullptr));
  EXPECT_FALSE(Renderer::DrawImageByName(surface.dc(), &manager_, {0, 0, 4, 4}, {0, 0, 4, 4}, L"", nullptr,
                                         {0, 0, 4, 4}, kNoRect, kNoRect, 0, 255, NineGridMiddle::kStretch));
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {0, 0, 20, 20}));
}

// Stretched nine-grids are drawn from copies rendered once per size: the pixels must be those that
// stretching the image directly (DrawBitmap, which keeps no copies) writes, wherever it is drawn and
// whatever part is painted.
TEST_F(DrawImageTest, StretchedDrawingsFromKeptCopiesWriteWhatDirectStretchingWrites) {
  const struct {
    const wchar_t* image;
    const wchar_t* items;
    RECT corner;
    uint8_t fade;
  } cases[] = {
      {L"cornered.png", L"corner='2,2,2,2'", {2, 2, 2, 2}, 255},
      {L"varied.png", L"", {0, 0, 0, 0}, 255},
      {L"varied.png", L"corner='3,1,2,3' fade='128'", {3, 1, 2, 3}, 128},
      {L"cornered.png", L"fade='200'", {0, 0, 0, 0}, 200},
  };
  const struct {
    RECT dest;
    RECT paint;
  } placements[] = {{{3, 5, 150, 27}, {0, 0, 160, 40}},
                    {{7, 1, 154, 23}, {0, 0, 160, 40}},  // The same size elsewhere: from the kept copy.
                    {{7, 1, 154, 23}, {20, 3, 41, 12}},
                    {{0, 0, 33, 39}, {0, 0, 160, 40}}};
  for (const auto& c : cases) {
    const std::wstring descriptor = Descriptor(c.image, c.items);
    for (const auto& placement : placements) {
      SCOPED_TRACE(testing::Message() << descriptor.size() << " " << placement.dest.left << ","
                                      << placement.dest.top << " paint " << placement.paint.left);
      DibSurface direct(160, 40);
      DibSurface kept(160, 40);
      direct.Fill(0xFF204060);
      kept.Fill(0xFF204060);
      ASSERT_TRUE(Draw(kept, placement.dest, placement.paint, descriptor));
      const ImageRecord* image = manager_.FindImage(Path(c.image).c_str());
      ASSERT_NE(nullptr, image);
      ASSERT_TRUE(Renderer::DrawBitmap(direct.dc(), image->bitmap.get(), placement.dest, placement.paint,
                                       {0, 0, image->width, image->height}, c.corner, image->has_alpha,
                                       c.fade));
      for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 160; ++x) ASSERT_EQ(direct.Pixel(x, y), kept.Pixel(x, y)) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace veneer::test
