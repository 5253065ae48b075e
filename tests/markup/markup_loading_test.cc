#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/markup/test_archive.h"
#include "tests/support/temp_files.h"
#include "ui/markup/markup_document.h"
#include "ui/markup/skin_source.h"

namespace veneer {
namespace {

using test::BuildTestArchive;
using test::ForgeUncompressedSize;
using test::TempFile;

const size_t kLimit = CMarkupDocument::kMaxFileSize;

// A document of exactly `size` bytes: one element whose text fills the rest.
std::string DocumentOfSize(size_t size) { return "<a>" + std::string(size - 7, 'x') + "</a>"; }

// Each test starts and ends without a handed-over archive (folder mode).
class MarkupLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSkinSourceForTests(); }
  void TearDown() override { ResetSkinSourceForTests(); }

  void HandOver(std::vector<unsigned char> bytes) {
    archive_ = std::move(bytes);
    SetSkinArchiveMemory(archive_.data(), static_cast<DWORD>(archive_.size()), nullptr);
  }

  void ExpectFailure(const wchar_t* name, const wchar_t* message) {
    CMarkupDocument doc(L"<loaded/>");
    EXPECT_FALSE(doc.LoadFromSkinFile(name, MarkupEncoding::Utf8)) << name;
    EXPECT_STREQ(message, doc.LastErrorMessage()) << name;
    EXPECT_EQ(std::wstring(name).substr(0, 49), doc.LastErrorLocation());
    EXPECT_FALSE(doc.RootElement().IsValid());
    EXPECT_EQ(nullptr, doc.DocumentBuffer());
  }

  std::vector<unsigned char> archive_;  // Must outlive the hand-over; reset before it goes.
};

TEST_F(MarkupLoadingTest, FolderModeReadsFilesInEitherEncoding) {
  TempFile utf8("\xEF\xBB\xBF<Window caption=\"0,0,0,36\"><Label/></Window>");
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromSkinFile(utf8.path().c_str(), MarkupEncoding::Utf8));
  EXPECT_STREQ(L"0,0,0,36", doc.RootElement().AttributeValueAt(0));
  EXPECT_STREQ(L"Label", doc.RootElement().FirstChild().ElementName());

  TempFile utf16(std::string("\xFF\xFE<\0b\0/\0>\0", 10));
  ASSERT_TRUE(doc.LoadFromSkinFile(utf16.path().c_str(), MarkupEncoding::Utf16));
  EXPECT_STREQ(L"b", doc.RootElement().ElementName());

  TempFile broken("<Window></Label>");
  ASSERT_FALSE(doc.LoadFromSkinFile(broken.path().c_str(), MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Unmatched closing tag", doc.LastErrorMessage());
  EXPECT_STREQ(L"Label>", doc.LastErrorLocation());
}

// A document of about 1.2 MB whose root has the one attribute `value`. A block that large comes
// straight from the system and goes back to it when freed, so a later read of it faults.
std::wstring LargeDocumentWith(const std::wstring& value) {
  return L"<a v=\"" + value + L"\">" + std::wstring(600000, L'x') + L"</a>";
}

// Loading a text, bytes or a file name that lie in the document's own buffer reads them before the
// old document is freed.
TEST_F(MarkupLoadingTest, InputInsideTheDocumentItselfCanBeLoaded) {
  TempFile file("<Window/>");
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(LargeDocumentWith(file.path()).c_str()));
  ASSERT_TRUE(doc.LoadFromSkinFile(doc.RootElement().AttributeValueAt(0), MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Window", doc.RootElement().ElementName());

  const std::wstring missing = file.path() + L".missing";
  ASSERT_TRUE(doc.LoadFromText(LargeDocumentWith(missing).c_str()));
  EXPECT_FALSE(doc.LoadFromSkinFile(doc.RootElement().AttributeValueAt(0), MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Error opening file", doc.LastErrorMessage());
  EXPECT_EQ(missing.substr(0, 49), doc.LastErrorLocation());

  ASSERT_TRUE(doc.LoadFromText(LargeDocumentWith(L"&lt;b/&gt;").c_str()));
  ASSERT_TRUE(doc.LoadFromText(doc.RootElement().AttributeValueAt(0)));
  EXPECT_STREQ(L"b", doc.RootElement().ElementName());

  // U+FEFF lies in memory as FF FE: the value reads as little-endian UTF-16 with its mark.
  ASSERT_TRUE(doc.LoadFromText(LargeDocumentWith(L"\xFEFF<c/>").c_str()));
  const wchar_t* value = doc.RootElement().AttributeValueAt(0);
  ASSERT_TRUE(doc.LoadFromBytes(value, wcslen(value) * sizeof(wchar_t), MarkupEncoding::Utf16));
  EXPECT_STREQ(L"c", doc.RootElement().ElementName());
}

TEST_F(MarkupLoadingTest, FolderModeFailures) {
  TempFile empty("");
  ExpectFailure(empty.path().c_str(), L"File is empty");
  std::wstring missing = std::wstring(empty.path()) + L".missing";
  ExpectFailure(missing.c_str(), L"Error opening file");
  ExpectFailure(L"", L"Error opening file");
}

TEST_F(MarkupLoadingTest, FolderModeLimitIsFourMiB) {
  TempFile largest(DocumentOfSize(kLimit));
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromSkinFile(largest.path().c_str(), MarkupEncoding::Utf8));
  EXPECT_EQ(kLimit - 7, wcslen(doc.DocumentBuffer() + doc.ElementRecord(1)->data));

  TempFile too_large(DocumentOfSize(kLimit + 1));
  ExpectFailure(too_large.path().c_str(), L"File too large");
}

TEST_F(MarkupLoadingTest, ArchiveEntriesAreFoundBySlashOrBackslashIgnoringCase) {
  HandOver(BuildTestArchive(
      {{"MainWnd.xml", "<Window><Include source=\"Default.xml\"/></Window>", true},
       {"skin/Default.xml", "\xEF\xBB\xBF<Default name=\"Button\" value=\"&quot;x&quot;\"/>", true}}));
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromSkinFile(L"MainWnd.xml", MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Include", doc.RootElement().FirstChild().ElementName());
  ASSERT_TRUE(doc.LoadFromSkinFile(L"SKIN\\default.XML", MarkupEncoding::Utf8));
  EXPECT_STREQ(L"\"x\"", doc.RootElement().AttributeValueAt(1));
  ASSERT_TRUE(doc.LoadFromSkinFile(L"skin/Default.xml", MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Default", doc.RootElement().ElementName());
}

// The markup loader never falls back to the disk in archive mode.
TEST_F(MarkupLoadingTest, FileOnDiskButNotInArchiveIsMissing) {
  TempFile on_disk("<Window/>");
  HandOver(BuildTestArchive({{"MainWnd.xml", "<Window/>", true}}));
  ExpectFailure(on_disk.path().c_str(), L"Could not find ziped file");
  ExpectFailure(L"Main.xml", L"Could not find ziped file");
}

TEST_F(MarkupLoadingTest, ArchiveEntryLimitsAndEmptyEntries) {
  HandOver(BuildTestArchive({{"empty.xml", "", false},
                             {"largest.xml", DocumentOfSize(kLimit), true},
                             {"too_large.xml", DocumentOfSize(kLimit + 1), true}}));
  ExpectFailure(L"empty.xml", L"File is empty");
  ExpectFailure(L"too_large.xml", L"File too large");
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromSkinFile(L"largest.xml", MarkupEncoding::Utf8));
  EXPECT_STREQ(L"a", doc.RootElement().ElementName());
}

TEST_F(MarkupLoadingTest, DamagedEntryCannotBeUnzipped) {
  const std::string marker = "<Window text=\"intact\"/>";
  std::vector<unsigned char> bytes = BuildTestArchive({{"MainWnd.xml", marker, false}});
  auto found = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
  ASSERT_NE(bytes.end(), found);
  found[15] ^= 0x20;  // "intact" -> "iNtact": the stored CRC no longer matches.
  HandOver(bytes);
  ExpectFailure(L"MainWnd.xml", L"Could not unzip file");
}

TEST_F(MarkupLoadingTest, ForgedEntrySizesFailCleanly) {
  std::vector<unsigned char> huge = BuildTestArchive({{"MainWnd.xml", "<Window/>", true}});
  ASSERT_TRUE(ForgeUncompressedSize(&huge, 0, 0x7FFFFFFF));
  HandOver(huge);
  ExpectFailure(L"MainWnd.xml", L"File too large");

  ResetSkinSourceForTests();
  std::vector<unsigned char> longer = BuildTestArchive({{"MainWnd.xml", "<Window/>", true}});
  ASSERT_TRUE(ForgeUncompressedSize(&longer, 0, 1000));  // The data ends long before.
  HandOver(longer);
  ExpectFailure(L"MainWnd.xml", L"Could not unzip file");
}

TEST_F(MarkupLoadingTest, UnreadableArchiveLeavesNothingToOpen) {
  HandOver(std::vector<unsigned char>(64, 'Z'));
  EXPECT_STREQ(L"membuffer", GetSkinArchiveName());
  ExpectFailure(L"MainWnd.xml", L"Error opening zip file");
}

}  // namespace
}  // namespace veneer
