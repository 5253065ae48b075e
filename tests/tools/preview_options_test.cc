// The skin previewer's command line, read by plain functions.
#include "tools/skin_preview/preview_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro::preview {
namespace {

TEST(PreviewOptionsTest, ValidCommandLines) {
  using Kind = ControlChangeKind;
  const struct {
    std::vector<std::wstring> arguments;
    SkinOrigin origin;
    const wchar_t* origin_path;
    const wchar_t* output;
    std::vector<ControlChange> changes;
    bool with_shadow = false;
  } cases[] = {
      {{L"MainWnd.xml"}, SkinOrigin::kEmbeddedArchive, L"", L"MainWnd.png", {}},
      {{L"--out", L"a.png", L"MainWnd.xml"}, SkinOrigin::kEmbeddedArchive, L"", L"a.png", {}},
      {{L"--folder", L"C:\\skins", L"sub\\Dialog.xml"}, SkinOrigin::kFolder, L"C:\\skins", L"Dialog.png", {}},
      {{L"C:x/y/a.b.xml", L"--archive", L"s.zip"}, SkinOrigin::kArchiveFile, L"s.zip", L"a.b.png", {}},
      {{L"--shadow", L"MainWnd.xml", L"--out", L"s.png"},
       SkinOrigin::kEmbeddedArchive,
       L"",
       L"s.png",
       {},
       true},
      // Changes keep their order; a value may be empty, hold '=' or start with '-'.
      {{L"MainWnd.xml", L"--show", L"hor_main", L"--text", L"lab_tile=\u5b89\u88c5=1", L"--hide", L"-x",
        L"--text", L"lab=", L"--disable", L"btn", L"--enable", L"btn", L"--image", L"con=file='a.png'"},
       SkinOrigin::kEmbeddedArchive,
       L"",
       L"MainWnd.png",
       {{Kind::kShow, L"hor_main", L""},
        {Kind::kText, L"lab_tile", L"\u5b89\u88c5=1"},
        {Kind::kHide, L"-x", L""},
        {Kind::kText, L"lab", L""},
        {Kind::kDisable, L"btn", L""},
        {Kind::kEnable, L"btn", L""},
        {Kind::kImage, L"con", L"file='a.png'"}}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.arguments));
    PreviewOptions options;
    std::wstring error;
    ASSERT_EQ(ParseOutcome::kPreview, ParsePreviewArguments(row.arguments, &options, &error))
        << error.c_str();
    EXPECT_EQ(row.origin, options.origin);
    EXPECT_EQ(row.origin_path, options.origin_path);
    EXPECT_EQ(row.output, options.output);
    EXPECT_EQ(row.with_shadow, options.with_shadow);
    ASSERT_EQ(row.changes.size(), options.changes.size());
    for (size_t i = 0; i < row.changes.size(); ++i) {
      EXPECT_EQ(row.changes[i].kind, options.changes[i].kind) << i;
      EXPECT_EQ(row.changes[i].name, options.changes[i].name) << i;
      EXPECT_EQ(row.changes[i].value, options.changes[i].value) << i;
    }
  }
}

TEST(PreviewOptionsTest, BadCommandLinesSayWhy) {
  const struct {
    std::vector<std::wstring> arguments;
    const wchar_t* error;
  } cases[] = {
      {{}, L"no skin file given (--help shows how to call the previewer)"},
      {{L"--out", L"a.png"}, L"no skin file given (--help shows how to call the previewer)"},
      {{L"a.xml", L"b.xml"}, L"more than one skin file: 'a.xml' and 'b.xml'"},
      {{L"a.xml", L"--zoom"}, L"unknown option '--zoom' (--help lists the options)"},
      {{L"a.xml", L"--text"}, L"--text needs a value"},
      {{L"a.xml", L"--text", L"lab_tile"}, L"--text needs NAME=VALUE, not 'lab_tile'"},
      {{L"a.xml", L"--image", L"=file='a.png'"}, L"--image needs NAME=VALUE, not '=file='a.png''"},
      {{L"a.xml", L"--show", L""}, L"--show needs a control name"},
      {{L"a.xml", L"--out", L""}, L"--out needs a file name"},
      {{L"a.xml", L"--folder", L""}, L"--folder needs a folder"},
      {{L"a.xml", L"--folder", L"d", L"--archive", L"s.zip"},
       L"--folder and --archive may be given once, and not both"},
      {{L"a.xml", L"--archive", L"s.zip", L"--archive", L"t.zip"},
       L"--folder and --archive may be given once, and not both"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(testing::PrintToString(row.arguments));
    PreviewOptions options;
    std::wstring error;
    EXPECT_EQ(ParseOutcome::kBadArguments, ParsePreviewArguments(row.arguments, &options, &error));
    EXPECT_EQ(row.error, error);
  }
}

TEST(PreviewOptionsTest, HelpAnywhereWinsOverEverythingElse) {
  PreviewOptions options;
  std::wstring error;
  EXPECT_EQ(ParseOutcome::kHelp,
            ParsePreviewArguments({L"--bogus", L"a.xml", L"b.xml", L"/?"}, &options, &error));
  EXPECT_EQ(ParseOutcome::kHelp, ParsePreviewArguments({L"-h"}, &options, &error));
}

}  // namespace
}  // namespace tessaro::preview
