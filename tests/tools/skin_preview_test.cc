// The skin previewer run as a child process on the product's skins (from the embedded archive, a folder
// and an archive file), its pictures decoded and checked at pixels whose colours the skins set, and
// with --shadow at the drop shadow around them. A picture that fails its checks stays in the failures folder;
// the path is printed. Hostile command lines end with a status and one line on standard error.
#include <windows.h>

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/environment_path.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/core/win_handles.h"

namespace tessaro::preview {
namespace {

using veneer::ScopedKernelHandle;
using veneer::test::EnvironmentPath;
using veneer::test::ReadFileBytes;

constexpr DWORD kChildTimeoutMs = 60000;

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                      nullptr);
  return bytes;
}

// One end of an anonymous pipe for the child's output; the child inherits the writing end only.
struct OutputPipe {
  OutputPipe() {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inherit, 1 << 16)) return;
    read.reset(read_end);
    write.reset(write_end);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  }
  // Everything written, once the child has ended and `write` is closed.
  std::string Drain() {
    std::string text;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(read.get(), buffer, sizeof(buffer), &count, nullptr) && count > 0)
      text.append(buffer, count);
    return text;
  }
  ScopedKernelHandle read;
  ScopedKernelHandle write;
};

struct PreviewRun {
  DWORD exit_code = 0xFFFFFFFF;
  std::string output;  // Standard output, UTF-8.
  std::string errors;  // Standard error, UTF-8.
};

// Runs the previewer with `arguments`; a child that does not end within the time limit is a failure.
PreviewRun RunPreviewer(const std::vector<std::wstring>& arguments) {
  PreviewRun run;
  const std::wstring program = EnvironmentPath(L"TESSARO_SKIN_PREVIEW");
  std::wstring command = L"\"" + program + L"\"";
  for (const std::wstring& argument : arguments) command += L" \"" + argument + L"\"";  // None ends in '\'.
  OutputPipe output;
  OutputPipe errors;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output.write.get();
  startup.hStdError = errors.write.get();
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start " << Utf8(program);
    return run;
  }
  const ScopedKernelHandle thread(process.hThread);
  const ScopedKernelHandle child(process.hProcess);
  output.write.reset();
  errors.write.reset();
  if (WaitForSingleObject(child.get(), kChildTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(child.get(), 99);
    ADD_FAILURE() << "the previewer did not end: " << Utf8(command);
  }
  GetExitCodeProcess(child.get(), &run.exit_code);
  run.output = output.Drain();
  run.errors = errors.Drain();
  return run;
}

// Where a case's picture goes: the failures folder, where it stays when the case fails.
std::wstring PicturePath(const wchar_t* name) {
  std::wstring folder = EnvironmentPath(L"TESSARO_TEST_OUTPUT");
  if (folder.empty()) folder = L".";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\skin_preview-" + name + L".png";
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A decoded picture, 0xRRGGBB pixels (alpha dropped) in rows from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;
  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Picture Decode(const std::wstring& path) {
  const std::string png = ReadFileBytes(path);
  Picture picture;
  int channels = 0;
  stbi_uc* rgba =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                            &picture.width, &picture.height, &channels, 4);
  if (!rgba) return Picture();
  for (int i = 0; i < picture.width * picture.height; ++i) {
    picture.rgb.push_back(static_cast<uint32_t>(rgba[i * 4] << 16 | rgba[i * 4 + 1] << 8 | rgba[i * 4 + 2]));
  }
  stbi_image_free(rgba);
  return picture;
}

// Pixels of exactly one colour inside an area: some, or none. Areas hold text strokes (which
// antialiasing surrounds with other shades) or single pixels (see At).
struct ColourCheck {
  RECT area;
  uint32_t rgb;
  bool present;
};

ColourCheck At(int x, int y, uint32_t rgb) { return {{x, y, x + 1, y + 1}, rgb, true}; }

// What differs from the checks, one text each.
std::vector<std::string> Mismatches(const Picture& picture, const std::vector<ColourCheck>& checks) {
  std::vector<std::string> found;
  for (const ColourCheck& check : checks) {
    int count = 0;
    for (int y = check.area.top; y < check.area.bottom; ++y) {
      for (int x = check.area.left; x < check.area.right; ++x) count += picture.At(x, y) == check.rgb;
    }
    if ((count > 0) == check.present) continue;
    char text[100];
    snprintf(text, sizeof(text), "%d of #%06X in %ld,%ld-%ld,%ld", count, check.rgb, check.area.left,
             check.area.top, check.area.right, check.area.bottom);
    found.push_back(text);
  }
  return found;
}

// Every pixel of an area near a colour (each channel within `tolerance` of it) or darker than it (each
// channel at least `tolerance` below it): shadows are blended, not one colour.
enum class Shade { kNear, kDarker };
struct ShadeCheck {
  RECT area;
  uint32_t rgb;
  Shade shade;
  int tolerance;
};

bool HasShade(uint32_t pixel, const ShadeCheck& check) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int difference =
        static_cast<int>((check.rgb >> shift) & 0xFF) - static_cast<int>((pixel >> shift) & 0xFF);
    const bool fits =
        check.shade == Shade::kNear ? std::abs(difference) <= check.tolerance : difference >= check.tolerance;
    if (!fits) return false;
  }
  return true;
}

// The first pixel of each check's area that does not fit it.
void AddShadeMismatches(const Picture& picture, const std::vector<ShadeCheck>& checks,
                        std::vector<std::string>* found) {
  for (const ShadeCheck& check : checks) {
    for (LONG at = 0, width = check.area.right - check.area.left;
         at < width * (check.area.bottom - check.area.top); ++at) {
      const int x = check.area.left + at % width;
      const int y = check.area.top + at / width;
      if (HasShade(picture.At(x, y), check)) continue;
      char text[100];
      snprintf(text, sizeof(text), "#%06X at %d,%d is not %s #%06X by %d", picture.At(x, y), x, y,
               check.shade == Shade::kNear ? "near" : "darker than", check.rgb, check.tolerance);
      found->push_back(text);
      break;
    }
  }
}

constexpr uint32_t kTitleBar = 0x10183F;
constexpr uint32_t kHeading = 0x252733;  // Both pages' headings.
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;  // Where nothing is painted.
constexpr uint32_t kBorder = 0xE0E0E0;
constexpr uint32_t kPanel = 0xE9F5FE;
constexpr uint32_t kBlue = 0x2196F3;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBackdrop = 0xDCDCDC;  // What --shadow lays the shadow on.

// The main window's title bar and its two pages' headings.
constexpr RECT kTitleArea = {0, 0, 300, 32};
constexpr RECT kMainHeading = {116, 88, 824, 120};
constexpr RECT kErrorHeading = {240, 364, 720, 396};

struct PreviewCase {
  const wchar_t* picture;
  std::vector<std::wstring> arguments;  // All but --out.
  SIZE size;
  std::vector<ColourCheck> checks;
  std::vector<ShadeCheck> shades = {};
  std::wstring note = L"";  // Standard error.
};

// The drop shadow (shadowsize 18) of a window of `size` at 18,18: the far corners of the picture are
// the backdrop; just beside the window's top left and bottom left corners it is darker.
std::vector<ShadeCheck> ShadowAround(SIZE size) {
  const LONG right = size.cx + 36;
  const LONG bottom = size.cy + 36;
  return {{{0, 0, 4, 4}, kBackdrop, Shade::kNear, 2},
          {{right - 4, bottom - 4, right, bottom}, kBackdrop, Shade::kNear, 2},
          {{16, 17, 17, 18}, kBackdrop, Shade::kDarker, 30},
          {{17, bottom - 18, 18, bottom - 17}, kBackdrop, Shade::kDarker, 50}};
}

// The temporary folder without its trailing backslash, which would escape a closing quote of the
// command line.
std::wstring TempFolderForCommandLine() {
  std::wstring temp = veneer::test::TempFolder();
  temp.pop_back();
  return temp;
}

TEST(SkinPreviewTest, TheProductsSkinsArePaintedWithTheirColours) {
  // A red picture outside the archive: images fall back to plain paths.
  const veneer::test::TempFile red(L"skin_preview_red.png",
                                   veneer::test::EncodePngArgb(2, 2, std::vector<uint32_t>(4, 0xFFFF0000)));
  const veneer::test::TempFile unshadowed(
      L"Unshadowed.xml", std::string("<Window size=\"40,30\"><Control bkcolor=\"#ff00ff00\" /></Window>"));
  const std::vector<ColourCheck> message_box = {
      At(0, 0, kBorder),     At(479, 0, kBorder), At(0, 359, kBorder),
      At(479, 359, kBorder), At(1, 1, kWhite),    At(478, 358, kWhite),
      At(130, 110, kPanel),  At(170, 295, kBlue), At(310, 320, kBlue)};
  const PreviewCase cases[] = {
      {L"main",
       {L"MainWnd.xml"},
       {960, 720},
       {At(0, 0, kTitleBar),
        At(959, 31, kTitleBar),
        {{0, 32, 960, 720}, kBlack, false},  // The background image covers the rest.
        {kTitleArea, kWhite, false},
        {kMainHeading, kHeading, false},
        {kErrorHeading, kHeading, false}}},
      {L"main_page",
       {L"MainWnd.xml", L"--show", L"hor_main"},
       {960, 720},
       {At(480, 10, kTitleBar), {kMainHeading, kHeading, true}, {kErrorHeading, kHeading, false}}},
      {L"main_error",
       {L"MainWnd.xml", L"--show", L"hor_err", L"--text", L"lab_tile=\u5b89\u88c5\u52a9\u624b"},  // 安装助手
       {960, 720},
       {{kTitleArea, kWhite, true}, {kMainHeading, kHeading, false}, {kErrorHeading, kHeading, true}}},
      {L"main_logo",  // con_logo: 96 x 96 at 244,254.
       {L"MainWnd.xml", L"--show", L"hor_main", L"--image", L"con_logo=file='" + red.path() + L"'"},
       {960, 720},
       {At(244, 254, kRed),
        At(339, 349, kRed),
        {{243, 254, 244, 255}, kRed, false},
        {{340, 349, 341, 350}, kRed, false}}},
      {L"main_shadow",
       {L"MainWnd.xml", L"--shadow"},
       {996, 756},
       {At(18, 18, kTitleBar),
        At(18 + 959, 18 + 31, kTitleBar),
        {{17, 18, 18, 50}, kTitleBar, false},
        {{18, 17, 978, 18}, kTitleBar, false}},
       ShadowAround({960, 720})},
      {L"message_box", {L"MessageBox.xml"}, {480, 360}, message_box},
      {L"message_box_shadow",
       {L"MessageBox.xml", L"--shadow"},
       {516, 396},
       {At(18, 18, kBorder), At(18 + 479, 18 + 359, kBorder), At(19, 19, kWhite),
        At(18 + 478, 18 + 358, kWhite)},
       ShadowAround({480, 360})},
      {L"unshadowed",
       {L"--folder", TempFolderForCommandLine(), L"Unshadowed.xml", L"--shadow"},
       {40, 30},
       {At(0, 0, kGreen), At(39, 29, kGreen)},
       {},
       L"note: skin 'Unshadowed.xml' shows no drop shadow; the picture is its client area alone"},
      {L"message_box_folder",
       {L"--folder", EnvironmentPath(L"TESSARO_SKIN_FOLDER"), L"MessageBox.xml"},
       {480, 360},
       message_box},
      {L"close_dialog",
       {L"CloseDialogBox.xml", L"--archive", EnvironmentPath(L"TESSARO_SKIN_ARCHIVE")},
       {480, 348},
       {At(0, 0, kWhite),
        At(120, 280, kBlue),
        At(240, 280, kWhite),
        At(260, 280, kBlue),
        At(479, 347, kWhite),
        {{110, 272, 230, 312}, kWhite, true}}},
      // Without btn_trak, btn_use is centred alone; disabled, its text is no longer white.
      {L"close_dialog_states",
       {L"CloseDialogBox.xml", L"--hide", L"btn_trak", L"--disable", L"btn_use"},
       {480, 348},
       {At(169, 280, kWhite),
        At(170, 280, kBlue),
        At(289, 280, kBlue),
        At(290, 280, kWhite),
        {{170, 272, 290, 312}, kWhite, false}}},
  };
  for (const PreviewCase& row : cases) {
    const std::wstring path = PicturePath(row.picture);
    std::vector<std::wstring> arguments = row.arguments;
    arguments.insert(arguments.end(), {L"--out", path});
    const PreviewRun run = RunPreviewer(arguments);
    SCOPED_TRACE(Utf8(row.picture) + ": " + run.errors);
    ASSERT_EQ(0u, run.exit_code);
    EXPECT_EQ(row.note.empty() ? "" : "skin_preview: " + Utf8(row.note) + "\n", run.errors);
    EXPECT_EQ("wrote " + Utf8(path) + " (" + std::to_string(row.size.cx) + " x " +
                  std::to_string(row.size.cy) + ")\n",
              run.output);
    const Picture picture = Decode(path);
    ASSERT_EQ(row.size.cx, picture.width);
    ASSERT_EQ(row.size.cy, picture.height);
    std::vector<std::string> mismatches = Mismatches(picture, row.checks);
    AddShadeMismatches(picture, row.shades, &mismatches);
    EXPECT_TRUE(mismatches.empty()) << testing::PrintToString(mismatches) << "\npicture: " << Utf8(path);
    if (mismatches.empty()) DeleteFileW(path.c_str());
  }
}

TEST(SkinPreviewTest, WhatCannotBePreviewedEndsWithAStatusAndOneLineOnStandardError) {
  const std::wstring picture = PicturePath(L"refused");
  const veneer::test::TempFile broken(L"Broken.xml",
                                      std::string("<Window size=\"10,10\">\n<Control></Window>"));
  const veneer::test::TempFile no_shadow_image(
      L"NoShadowImage.xml", std::string("<Window size=\"40,30\" showshadow=\"true\" shadowimage=\"nope.png\" "
                                        "shadowsize=\"6\"><Control /></Window>"));
  const std::wstring temp = TempFolderForCommandLine();
  const std::wstring unwritable = temp + L"\\no_such_folder\\main.png";
  const struct {
    std::vector<std::wstring> arguments;  // The last --out wins over the one added in front.
    DWORD exit_code;
    std::wstring error;
  } cases[] = {
      {{L"Default.xml"},
       1,
       L"skin 'Default.xml' builds no control: it has no control element at its top level (a skin of "
       L"resources only, such as Default.xml, is included by other skins and has nothing to show)"},
      {{L"Nope.xml"}, 1, L"cannot load skin 'Nope.xml': Could not find ziped file"},
      {{L"--folder", temp, L"Broken.xml"},
       1,
       L"cannot load skin 'Broken.xml': Unmatched closing tag near \"Window>\""},
      {{L"--folder", temp + L"\\none", L"a.xml"}, 1, L"cannot open the skin folder '" + temp + L"\\none'"},
      {{L"--archive", broken.path(), L"MainWnd.xml"},
       1,
       L"'" + broken.path() + L"' is not a readable ZIP archive"},
      {{L"MainWnd.xml", L"--text", L"lab_nope=\u5b89"},
       1,
       L"no control named 'lab_nope' in skin 'MainWnd.xml'"},
      {{L"MainWnd.xml", L"--out", unwritable}, 1, L"cannot write the picture to '" + unwritable + L"'"},
      {{L"--folder", temp, L"NoShadowImage.xml", L"--shadow"},
       1,
       L"cannot draw the drop shadow of skin 'NoShadowImage.xml' from its shadowimage 'nope.png'"},
      {{L"MainWnd.xml", L"--zoom"}, 2, L"unknown option '--zoom' (--help lists the options)"},
  };
  for (const auto& row : cases) {
    std::vector<std::wstring> arguments = {L"--out", picture};
    arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
    SCOPED_TRACE(testing::PrintToString(arguments));
    const PreviewRun run = RunPreviewer(arguments);
    EXPECT_EQ(row.exit_code, run.exit_code);
    EXPECT_EQ("skin_preview: " + Utf8(row.error) + "\n", run.errors);
    EXPECT_EQ("", run.output);
    EXPECT_FALSE(FileExists(picture));
  }
}

}  // namespace
}  // namespace tessaro::preview
