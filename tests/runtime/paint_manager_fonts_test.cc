#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_files.h"
#include "tests/support/test_window.h"
#include "ui/core/win_handles.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

LOGFONTW LogFontOf(HFONT font) {
  LOGFONTW log_font = {};
  GetObjectW(font, sizeof(log_font), &log_font);
  return log_font;
}

bool IsLiveObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(PaintManagerFontsTest, LaterRegistrationReplacesAndDeletesTheEarlierFont) {
  CPaintManagerUI manager;
  HFONT first = manager.RegisterFont(4, L"Arial", 12, FontStyle::kRegular, false);
  ASSERT_NE(nullptr, first);
  HFONT second = manager.RegisterFont(4, L"Tahoma", 14, FontStyle::kBold, false);
  ASSERT_NE(nullptr, second);
  EXPECT_EQ(second, manager.GetFontHandle(4));
  EXPECT_FALSE(IsLiveObject(first));
  EXPECT_EQ(L"Tahoma", manager.GetFontRecord(4)->faceName);

  manager.RemoveAllFonts(false);
  EXPECT_FALSE(IsLiveObject(second));
  EXPECT_EQ(manager.GetDefaultFontRecord()->handle.get(), manager.GetFontHandle(4));
}

TEST(PaintManagerFontsTest, UnknownIdsResolveToTheDefaultFont) {
  CPaintManagerUI manager;
  manager.RegisterFont(0, L"Arial", 12, FontStyle::kRegular, false);
  FontRecord* fallback = manager.GetDefaultFontRecord();
  EXPECT_EQ(fallback->handle.get(), manager.GetFontHandle(-1));
  EXPECT_EQ(fallback->handle.get(), manager.GetFontHandle(77));
  EXPECT_EQ(fallback, manager.GetFontRecord(-1));
  EXPECT_EQ(fallback, manager.GetFontRecordByHandle(reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT))));
  EXPECT_EQ(manager.GetFontRecord(0), manager.GetFontRecordByHandle(manager.GetFontHandle(0)));
}

TEST(PaintManagerFontsTest, CreatesFontsFromTheDefaultGuiFont) {
  CPaintManagerUI manager;
  const std::wstring long_face = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40 characters.
  const FontStyle every_style =
      FontStyle::kBold | FontStyle::kUnderline | FontStyle::kItalic | FontStyle::kStrikeOut;
  HFONT font = manager.RegisterFont(1, long_face.c_str(), 20, every_style, false);
  ASSERT_NE(nullptr, font);
  FontRecord* record = manager.GetFontRecord(1);
  EXPECT_EQ(long_face.substr(0, 31).c_str(), record->faceName);
  // Found again under the face it was registered with, as under the face it keeps.
  EXPECT_EQ(font, manager.FindFontHandle(long_face.c_str(), 20, every_style));
  EXPECT_EQ(font, manager.FindFontHandle(long_face.substr(0, 31).c_str(), 20, every_style));
  EXPECT_EQ(20, record->size);
  EXPECT_TRUE(record->bold && record->underline && record->italic && record->strikeOut);
  EXPECT_EQ(1, record->id);
  const LOGFONTW log_font = LogFontOf(font);
  EXPECT_EQ(-20, log_font.lfHeight);
  EXPECT_EQ(FW_BOLD, log_font.lfWeight);
  EXPECT_EQ(DEFAULT_CHARSET, log_font.lfCharSet);
  EXPECT_TRUE(log_font.lfUnderline && log_font.lfItalic && log_font.lfStrikeOut);

  // An empty face keeps the default GUI font's face; sizes are pixel heights at the display scale.
  manager.GetDisplayScale()->SetScale(150);
  HFONT scaled = manager.RegisterFont(2, L"", 12, FontStyle::kRegular, false);
  LOGFONTW gui_font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui_font), &gui_font);
  EXPECT_EQ(-18, LogFontOf(scaled).lfHeight);
  EXPECT_EQ(12, manager.GetFontRecord(2)->size);
  EXPECT_STREQ(gui_font.lfFaceName, LogFontOf(scaled).lfFaceName);
}

TEST(PaintManagerFontsTest, DefaultFontIsTheWindowsOwnOrTheSharedOne) {
  LOGFONTW gui_font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui_font), &gui_font);
  CPaintManagerUI plain;
  FontRecord* shared_default = plain.GetDefaultFontRecord();
  EXPECT_EQ(gui_font.lfFaceName, shared_default->faceName);
  EXPECT_EQ(-gui_font.lfHeight, shared_default->size);
  EXPECT_TRUE(shared_default->HasMetrics());

  CPaintManagerUI skinned;
  ASSERT_TRUE(skinned.MakeDefaultFont(2, L"Arial", 15, FontStyle::kUnderline, false));
  FontRecord* own = skinned.GetDefaultFontRecord();
  EXPECT_NE(shared_default, own);
  EXPECT_EQ(L"Arial", own->faceName);
  EXPECT_EQ(15, own->size);
  EXPECT_EQ(2, own->id);
  EXPECT_TRUE(own->underline);
  EXPECT_EQ(own->handle.get(), skinned.GetFontHandle(-1));
  EXPECT_EQ(shared_default, plain.GetDefaultFontRecord());
}

TEST(PaintManagerFontsTest, LookupsTryTheWindowThenTheSharedTable) {
  CPaintManagerUI first;
  CPaintManagerUI second;
  HFONT shared = first.RegisterFont(901, L"Arial", 11, FontStyle::kRegular, true);
  HFONT own = first.RegisterFont(902, L"Arial", 11, FontStyle::kRegular, false);
  EXPECT_EQ(shared, second.GetFontHandle(901));
  EXPECT_NE(own, second.GetFontHandle(902));

  HFONT local_901 = second.RegisterFont(901, L"Arial", 13, FontStyle::kRegular, false);
  EXPECT_EQ(local_901, second.GetFontHandle(901));
  EXPECT_EQ(shared, first.GetFontHandle(901));

  // Exact face, size and flags; the window's font wins over a shared twin.
  EXPECT_EQ(own, first.FindFontHandle(L"Arial", 11, FontStyle::kRegular));
  EXPECT_EQ(shared, second.FindFontHandle(L"Arial", 11, FontStyle::kRegular));
  EXPECT_EQ(nullptr, first.FindFontHandle(L"arial", 11, FontStyle::kRegular));
  EXPECT_EQ(nullptr, first.FindFontHandle(L"Arial", 11, FontStyle::kBold));
  EXPECT_EQ(901, second.GetFontRecordByHandle(shared)->id);

  // A window that uses the shared tables registers there.
  second.SetUseSharedTables(true);
  HFONT via_shared = second.RegisterFont(903, L"Arial", 9, FontStyle::kRegular, false);
  EXPECT_EQ(via_shared, first.GetFontHandle(903));
  first.RemoveAllFonts(true);
  EXPECT_FALSE(IsLiveObject(shared));
  EXPECT_FALSE(IsLiveObject(via_shared));
}

TEST(PaintManagerFontsTest, MeasuresMetricsOnceAWindowOrAFirstUseNeedsThem) {
  CPaintManagerUI windowless;
  windowless.RegisterFont(3, L"Arial", 16, FontStyle::kRegular, false);
  FontRecord* record = windowless.GetFontRecord(3);
  EXPECT_TRUE(record->HasMetrics());
  EXPECT_GT(record->metrics.tmHeight, 10);

  test::TestWindow window = test::TestWindow::Hidden(100, 50);
  CPaintManagerUI attached;
  attached.AttachToWindow(window.hwnd(), L"fonts");
  ASSERT_NE(nullptr, attached.GetPaintContext());
  EXPECT_EQ(window.hwnd(), attached.GetWindowHandle());
  attached.RegisterFont(3, L"Arial", 30, FontStyle::kRegular, false);
  EXPECT_GT(attached.GetFontRecord(3)->metrics.tmHeight, record->metrics.tmHeight);
}

// The bytes of the TrueType file behind the default GUI font, as the platform hands them out.
std::vector<unsigned char> DefaultFontFileBytes() {
  std::vector<unsigned char> bytes;
  const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
  const ScopedSelection selection(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  const DWORD size = GetFontData(dc.get(), 0, 0, nullptr, 0);
  if (size != GDI_ERROR && size > 0) {
    bytes.resize(size);
    if (GetFontData(dc.get(), 0, 0, bytes.data(), size) != size) bytes.clear();
  }
  return bytes;
}

TEST(PaintManagerFontsTest, ImportsFontFilesAndRefusesOthers) {
  const std::vector<unsigned char> font_bytes = DefaultFontFileBytes();
  ASSERT_FALSE(font_bytes.empty());
  const test::TempFile font_file(L"veneer_import_test.ttf", font_bytes);
  const test::TempFile junk_file(L"veneer_import_test.bin", std::vector<unsigned char>(512, 0x5A));

  CPaintManagerUI manager;
  EXPECT_TRUE(manager.ImportFontFile(font_file.path().c_str()));
  EXPECT_FALSE(manager.ImportFontFile(junk_file.path().c_str()));
  EXPECT_FALSE(manager.ImportFontFile(L"no such folder\\no such font.ttf"));
}

}  // namespace
}  // namespace veneer
