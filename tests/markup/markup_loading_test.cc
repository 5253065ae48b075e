#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "minizip/zip.h"
#include "ui/markup/markup_document.h"
#include "ui/markup/skin_source.h"

namespace veneer {
namespace {

const size_t kLimit = CMarkupDocument::kMaxFileSize;

// A document of exactly `size` bytes: one element whose text fills the rest.
std::string DocumentOfSize(size_t size) {
  return "<a>" + std::string(size - 7, 'x') + "</a>";
}

std::wstring UniqueTempPath(const wchar_t* prefix) {
  wchar_t folder[MAX_PATH];
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  GetTempFileNameW(folder, prefix, 0, path);
  return path;
}

// A file in the temporary folder, deleted with the object.
class TempFile {
 public:
  explicit TempFile(const std::string& bytes) : path_(UniqueTempPath(L"mkp")) {
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  ~TempFile() { DeleteFileW(path_.c_str()); }
  const wchar_t* path() const { return path_.c_str(); }

 private:
  std::wstring path_;
};

struct ZipItem {
  const char* name;
  std::string data;
  bool deflate;
};

// Writes the items with minizip's writer into a temporary file and returns the archive's bytes.
std::vector<unsigned char> BuildZip(const std::vector<ZipItem>& items) {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "zip", 0, path);
  zipFile zip = zipOpen64(path, APPEND_STATUS_CREATE);
  EXPECT_NE(nullptr, zip);
  for (const ZipItem& item : items) {
    zip_fileinfo info = {};
    EXPECT_EQ(ZIP_OK, zipOpenNewFileInZip(zip, item.name, &info, nullptr, 0, nullptr, 0, nullptr,
                                          item.deflate ? Z_DEFLATED : 0, Z_DEFAULT_COMPRESSION));
    EXPECT_EQ(ZIP_OK, zipWriteInFileInZip(zip, item.data.data(), static_cast<unsigned>(item.data.size())));
    EXPECT_EQ(ZIP_OK, zipCloseFileInZip(zip));
  }
  EXPECT_EQ(ZIP_OK, zipClose(zip, nullptr));
  std::vector<unsigned char> bytes;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD size = GetFileSize(file, nullptr);
  bytes.resize(size);
  DWORD read = 0;
  ReadFile(file, bytes.data(), size, &read, nullptr);
  CloseHandle(file);
  DeleteFileA(path);
  EXPECT_EQ(size, read);
  return bytes;
}

// Rewrites the uncompressed size that the local and central headers of a one-entry archive state.
void ForgeUncompressedSize(std::vector<unsigned char>* bytes, uint32_t size) {
  const struct {
    uint32_t signature;
    size_t size_offset;
  } headers[] = {{0x04034b50, 22}, {0x02014b50, 24}};
  for (const auto& header : headers) {
    size_t at = 0;
    while (at + 4 <= bytes->size() && memcmp(bytes->data() + at, &header.signature, 4) != 0) ++at;
    ASSERT_LE(at + header.size_offset + 4, bytes->size());
    memcpy(bytes->data() + at + header.size_offset, &size, 4);
  }
}

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
  ASSERT_TRUE(doc.LoadFromSkinFile(utf8.path(), MarkupEncoding::Utf8));
  EXPECT_STREQ(L"0,0,0,36", doc.RootElement().AttributeValueAt(0));
  EXPECT_STREQ(L"Label", doc.RootElement().FirstChild().ElementName());

  TempFile utf16(std::string("\xFF\xFE<\0b\0/\0>\0", 10));
  ASSERT_TRUE(doc.LoadFromSkinFile(utf16.path(), MarkupEncoding::Utf16));
  EXPECT_STREQ(L"b", doc.RootElement().ElementName());

  TempFile broken("<Window></Label>");
  ASSERT_FALSE(doc.LoadFromSkinFile(broken.path(), MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Unmatched closing tag", doc.LastErrorMessage());
  EXPECT_STREQ(L"Label>", doc.LastErrorLocation());
}

TEST_F(MarkupLoadingTest, FolderModeFailures) {
  TempFile empty("");
  ExpectFailure(empty.path(), L"File is empty");
  std::wstring missing = std::wstring(empty.path()) + L".missing";
  ExpectFailure(missing.c_str(), L"Error opening file");
  ExpectFailure(L"", L"Error opening file");
}

TEST_F(MarkupLoadingTest, FolderModeLimitIsFourMiB) {
  TempFile largest(DocumentOfSize(kLimit));
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromSkinFile(largest.path(), MarkupEncoding::Utf8));
  EXPECT_EQ(kLimit - 7, wcslen(doc.DocumentBuffer() + doc.ElementRecord(1)->data));

  TempFile too_large(DocumentOfSize(kLimit + 1));
  ExpectFailure(too_large.path(), L"File too large");
}

TEST_F(MarkupLoadingTest, ArchiveEntriesAreFoundBySlashOrBackslashIgnoringCase) {
  HandOver(BuildZip({{"MainWnd.xml", "<Window><Include source=\"Default.xml\"/></Window>", true},
                     {"skin/Default.xml", "\xEF\xBB\xBF<Default name=\"Button\" value=\"&quot;x&quot;\"/>",
                      true}}));
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
  HandOver(BuildZip({{"MainWnd.xml", "<Window/>", true}}));
  ExpectFailure(on_disk.path(), L"Could not find ziped file");
  ExpectFailure(L"Main.xml", L"Could not find ziped file");
}

TEST_F(MarkupLoadingTest, ArchiveEntryLimitsAndEmptyEntries) {
  HandOver(BuildZip({{"empty.xml", "", false},
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
  std::vector<unsigned char> bytes = BuildZip({{"MainWnd.xml", marker, false}});
  auto found = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
  ASSERT_NE(bytes.end(), found);
  found[15] ^= 0x20;  // "intact" -> "iNtact": the stored CRC no longer matches.
  HandOver(bytes);
  ExpectFailure(L"MainWnd.xml", L"Could not unzip file");
}

TEST_F(MarkupLoadingTest, ForgedEntrySizesFailCleanly) {
  std::vector<unsigned char> huge = BuildZip({{"MainWnd.xml", "<Window/>", true}});
  ForgeUncompressedSize(&huge, 0x7FFFFFFF);
  HandOver(huge);
  ExpectFailure(L"MainWnd.xml", L"File too large");

  ResetSkinSourceForTests();
  std::vector<unsigned char> longer = BuildZip({{"MainWnd.xml", "<Window/>", true}});
  ForgeUncompressedSize(&longer, 1000);  // The data ends long before.
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
