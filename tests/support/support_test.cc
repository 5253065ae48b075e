#include <gtest/gtest.h>
#include <stb_image.h>

#include <string>
#include <vector>

#include "tests/support/dib_surface.h"
#include "tests/support/environment_path.h"
#include "tests/support/message_pump.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "tests/support/test_window.h"
#include "ui/core/win_handles.h"

namespace veneer::test {
namespace {

bool CountUserMessages(HWND, UINT message, WPARAM, LPARAM, LRESULT* result, void* context) {
  if (message != WM_APP) return false;
  ++*static_cast<int*>(context);
  *result = 0;
  return true;
}

TEST(TestWindowTest, WindowsReceiveMessagesAndDieWithTheirOwner) {
  int received = 0;
  HWND hidden_hwnd;
  {
    TestWindow hidden = TestWindow::Hidden(200, 100, CountUserMessages, &received);
    hidden_hwnd = hidden.hwnd();
    ASSERT_TRUE(IsWindow(hidden_hwnd));
    EXPECT_FALSE(IsWindowVisible(hidden_hwnd));
    RECT client;
    GetClientRect(hidden_hwnd, &client);
    EXPECT_EQ(200, client.right);
    EXPECT_EQ(100, client.bottom);

    TestWindow message_only = TestWindow::MessageOnly(CountUserMessages, &received);
    ASSERT_TRUE(IsWindow(message_only.hwnd()));
    PostMessageW(message_only.hwnd(), WM_APP, 0, 0);
    PostMessageW(hidden_hwnd, WM_APP, 0, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return received == 2; }, 2000));
  }
  EXPECT_FALSE(IsWindow(hidden_hwnd));
}

DWORD WINAPI SendFromWorker(void* hwnd) {
  Sleep(50);
  SendMessageW(static_cast<HWND>(hwnd), WM_APP, 0, 0);
  return 0;
}

TEST(MessagePumpTest, DeliversMessagesSentFromOtherThreadsAndTimesOut) {
  int received = 0;
  TestWindow window = TestWindow::MessageOnly(CountUserMessages, &received);
  const ScopedKernelHandle worker(CreateThread(nullptr, 0, SendFromWorker, window.hwnd(), 0, nullptr));
  EXPECT_TRUE(PumpMessagesUntil([&] { return received == 1; }, 5000));
  WaitForSingleObject(worker.get(), INFINITE);

  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(PumpMessagesUntil([] { return false; }, 100));
  EXPECT_GE(GetTickCount64() - start, 90u);
}

TEST(DibSurfaceTest, ReadsBackWhatGdiDrew) {
  DibSurface surface(40, 30);
  ASSERT_TRUE(surface.ok());
  surface.Fill(0xFF000000);
  RECT red = {10, 5, 20, 15};
  const ScopedBrush brush(CreateSolidBrush(RGB(255, 0, 0)));
  FillRect(surface.dc(), &red, brush.get());
  // GDI writes B, G, R and leaves the alpha byte alone or clears it; compare colours only.
  EXPECT_EQ(0xFF0000u, surface.Pixel(10, 5) & 0xFFFFFF);
  EXPECT_EQ(0xFF0000u, surface.Pixel(19, 14) & 0xFFFFFF);
  EXPECT_EQ(0u, surface.Pixel(20, 14) & 0xFFFFFF);
  EXPECT_EQ(0u, surface.Pixel(9, 5) & 0xFFFFFF);
  EXPECT_EQ(40 * 30 - 100, surface.CountPixelsNotEqual(surface.Pixel(10, 5), RECT{0, 0, 40, 30}));
}

TEST(DibSurfaceTest, WritesAPngThatDecodesToTheSamePixels) {
  DibSurface surface(3, 2);
  ASSERT_TRUE(surface.ok());
  surface.Fill(0x80112233);
  const std::wstring path = TempPath(L"veneer_dib_surface_test.png");
  ASSERT_TRUE(surface.WritePng(path));

  const std::string bytes = ReadFileBytes(path);
  DeleteFileW(path.c_str());
  ASSERT_FALSE(bytes.empty());

  int width = 0, height = 0, channels = 0;
  unsigned char* rgba = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                              static_cast<int>(bytes.size()), &width, &height, &channels, 4);
  ASSERT_NE(nullptr, rgba);
  EXPECT_EQ(3, width);
  EXPECT_EQ(2, height);
  EXPECT_EQ(0x11, rgba[0]);
  EXPECT_EQ(0x22, rgba[1]);
  EXPECT_EQ(0x33, rgba[2]);
  EXPECT_EQ(0x80, rgba[3]);
  stbi_image_free(rgba);
}

TEST(ImageEncodingTest, BmpAndJpegDecodeToTheirPixels) {
  // 5 x 3: rows of 24-bit pixels need padding. Every pixel differs; alpha runs from 255 down.
  std::vector<unsigned char> rgba;
  for (int index = 0; index < 15; ++index) {
    rgba.insert(rgba.end(),
                {static_cast<unsigned char>(index * 17), static_cast<unsigned char>(255 - index),
                 static_cast<unsigned char>(index * 5), static_cast<unsigned char>(255 - index * 8)});
  }
  const std::vector<unsigned char> flat(15 * 4, 0xC0);  // JPEG is lossy: one grey, which it keeps.
  struct Case {
    const char* name;
    std::vector<unsigned char> encoded;
    const std::vector<unsigned char>& pixels;
    bool keeps_alpha;
    int tolerance;
  };
  const Case cases[] = {{"bmp24", EncodeBmp(5, 3, rgba, false), rgba, false, 0},
                        {"bmp32", EncodeBmp(5, 3, rgba, true), rgba, true, 0},
                        {"jpeg", EncodeJpeg(5, 3, flat, 90), flat, false, 2}};
  for (const Case& c : cases) {
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded = stbi_load_from_memory(c.encoded.data(), static_cast<int>(c.encoded.size()),
                                                   &width, &height, &channels, 4);
    ASSERT_NE(nullptr, decoded) << c.name;
    EXPECT_EQ(5, width) << c.name;
    EXPECT_EQ(3, height) << c.name;
    for (size_t index = 0; index < c.pixels.size(); ++index) {
      const int expected = index % 4 == 3 && !c.keeps_alpha ? 255 : c.pixels[index];
      EXPECT_NEAR(expected, decoded[index], c.tolerance) << c.name << " byte " << index;
    }
    stbi_image_free(decoded);
  }
  EXPECT_TRUE(EncodeBmp(5, 3, std::vector<unsigned char>(14 * 4), false).empty());  // One pixel short.
  EXPECT_TRUE(EncodeJpeg(0, 3, flat, 90).empty());
}

TEST(TempFilesTest, FilesHoldTheirBytesAndGoWithTheirOwners) {
  const std::string bytes("a\0b\xFF", 4);
  std::string large(200000, 'x');
  large[131072] = 'y';  // Past the first read of a larger file.
  std::wstring named_path;
  std::wstring unique_path;
  {
    const TempFile named(L"veneer_temp_files_test.bin", bytes);
    const TempFile unique(large);
    named_path = named.path();
    unique_path = unique.path();
    EXPECT_EQ(TempFolder() + L"veneer_temp_files_test.bin", named_path);
    EXPECT_EQ(0u, unique_path.find(TempFolder()));
    EXPECT_EQ(bytes, ReadFileBytes(named_path));
    EXPECT_TRUE(ReadFileBytes(unique_path) == large);
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(named_path.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(unique_path.c_str()));
  EXPECT_EQ("", ReadFileBytes(named_path));
  EXPECT_FALSE(WriteFileBytes(TempPath(L"veneer no such folder\\file.bin"), bytes));
}

TEST(EnvironmentPathTest, UnixPathsBecomeDriveZPaths) {
  EXPECT_EQ(L"Z:\\work\\build\\out", WindowsPathFromUnix(L"/work/build/out"));
  EXPECT_EQ(L"C:\\temp/x", WindowsPathFromUnix(L"C:\\temp/x"));
  EXPECT_EQ(L"", WindowsPathFromUnix(L""));

  ASSERT_TRUE(SetEnvironmentVariableW(L"VENEER_SUPPORT_TEST_PATH", L"/tmp/a b"));
  EXPECT_EQ(L"Z:\\tmp\\a b", EnvironmentPath(L"VENEER_SUPPORT_TEST_PATH"));
  SetEnvironmentVariableW(L"VENEER_SUPPORT_TEST_PATH", nullptr);
  EXPECT_EQ(L"", EnvironmentPath(L"VENEER_SUPPORT_TEST_PATH"));
}

// Draws one character in black on white and returns the pixels' colour channels.
std::vector<uint32_t> RenderGlyph(const wchar_t* face, wchar_t ch) {
  DibSurface surface(40, 40);
  surface.Fill(0xFFFFFFFF);
  {
    const ScopedFont font(CreateFontW(-28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                      NONANTIALIASED_QUALITY, 0, face));
    const ScopedSelection selection(surface.dc(), font.get());
    SetBkMode(surface.dc(), TRANSPARENT);
    SetTextColor(surface.dc(), RGB(0, 0, 0));
    TextOutW(surface.dc(), 4, 4, &ch, 1);
  }
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) pixels.push_back(surface.Pixel(x, y) & 0xFFFFFF);
  }
  return pixels;
}

// The skins' Chinese face must map to an installed font with CJK glyphs; without the prefix's font
// replacement every character would render as the same missing-glyph box.
TEST(WinePrefixTest, ChineseFaceRendersDistinctGlyphs) {
  const auto an = RenderGlyph(L"Microsoft YaHei", L'\u5B89');      // 安
  const auto zhuang = RenderGlyph(L"Microsoft YaHei", L'\u88C5');  // 装
  int inked = 0;
  for (uint32_t p : an) inked += p != 0xFFFFFF;
  EXPECT_GT(inked, 20) << "the glyph drew nothing";
  EXPECT_NE(an, zhuang) << "two different characters render identically (missing-glyph boxes)";
}

}  // namespace
}  // namespace veneer::test
