#include "ui/markup/skin_source.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "tests/markup/test_archive.h"
#include "tests/support/temp_files.h"

namespace veneer {
namespace {

using test::BuildTestArchive;
using test::TempFile;
using test::TempFolder;
using test::TestArchiveEntry;

constexpr DWORD kMarkupLimit = 4 * 1024 * 1024;

std::string AsText(const std::vector<unsigned char>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Every test starts and ends without skin source settings; handed-over archives stay alive until
// the settings are reset.
class SkinSourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSkinSourceForTests(); }
  void TearDown() override { ResetSkinSourceForTests(); }

  void HandOver(std::vector<unsigned char> archive, const wchar_t* password = nullptr) {
    kept_.push_back(std::move(archive));
    SetSkinArchiveMemory(kept_.back().data(), static_cast<DWORD>(kept_.back().size()), password);
  }

  // Filled with stale bytes, so that tests see failures leave the output empty.
  std::vector<unsigned char> bytes_ = {'s', 't', 'a', 'l', 'e'};

 private:
  std::list<std::vector<unsigned char>> kept_;
};

TEST_F(SkinSourceTest, FolderModeReadsNamesAsFilePaths) {
  const TempFile file(L"veneer_folder_mode.xml", "<Window/>");
  const TempFile empty(L"veneer_folder_empty.xml", "");
  EXPECT_TRUE(GetSkinArchiveName().IsEmpty());
  EXPECT_EQ(nullptr, GetCachedSkinArchive());

  EXPECT_TRUE(ReadSkinFile(file.path().c_str(), false, &bytes_));
  EXPECT_EQ("<Window/>", AsText(bytes_));
  EXPECT_FALSE(ReadSkinFile(empty.path().c_str(), true, &bytes_));
  EXPECT_TRUE(bytes_.empty());
  EXPECT_FALSE(ReadSkinFile((TempFolder() + L"veneer_no_such_file.xml").c_str(), true, &bytes_));
  EXPECT_FALSE(ReadSkinFile(nullptr, true, &bytes_));
}

TEST_F(SkinSourceTest, DiskReaderReportsEachFailure) {
  const TempFile file(L"veneer_disk_reader.xml", "0123456789");
  const TempFile empty(L"veneer_disk_empty.xml", "");
  EXPECT_EQ(SkinReadStatus::kRead, ReadSkinDiskFile(file.path().c_str(), 10, &bytes_));
  EXPECT_EQ("0123456789", AsText(bytes_));
  EXPECT_EQ(SkinReadStatus::kTooLarge, ReadSkinDiskFile(file.path().c_str(), 9, &bytes_));
  EXPECT_TRUE(bytes_.empty());
  EXPECT_EQ(SkinReadStatus::kEmpty, ReadSkinDiskFile(empty.path().c_str(), kMarkupLimit, &bytes_));
  EXPECT_EQ(SkinReadStatus::kCannotOpen, ReadSkinDiskFile(TempFolder().c_str(), kMarkupLimit, &bytes_));
  EXPECT_EQ(SkinReadStatus::kCannotOpen,
            ReadSkinDiskFile((TempFolder() + L"veneer_missing.xml").c_str(), kMarkupLimit, &bytes_));
  EXPECT_TRUE(bytes_.empty());
}

TEST_F(SkinSourceTest, ArchiveLookupsTakeBackslashesAndAnyAsciiCase) {
  HandOver(BuildTestArchive({{"MainWnd.xml", "<Window/>"}, {"sub/name.png", "picture"}}));
  EXPECT_EQ(L"membuffer", GetSkinArchiveName());
  ASSERT_NE(nullptr, GetCachedSkinArchive());

  EXPECT_TRUE(ReadSkinFile(L"sub\\name.png", false, &bytes_));
  EXPECT_EQ("picture", AsText(bytes_));
  EXPECT_TRUE(ReadSkinFile(L"SUB/Name.PNG", false, &bytes_));
  EXPECT_EQ("picture", AsText(bytes_));
  EXPECT_TRUE(ReadSkinFile(L"mainwnd.XML", false, &bytes_));
  EXPECT_EQ("<Window/>", AsText(bytes_));
  EXPECT_FALSE(ReadSkinFile(L"sub\\other.png", false, &bytes_));
  EXPECT_TRUE(bytes_.empty());
}

TEST_F(SkinSourceTest, OnlyTheFirstHandOverCounts) {
  HandOver(BuildTestArchive({{"first.xml", "from the first archive"}}));
  ArchiveHandle* first = GetCachedSkinArchive();
  ASSERT_NE(nullptr, first);
  HandOver(BuildTestArchive({{"first.xml", "from the second archive"}, {"second.xml", "only here"}}));
  EXPECT_EQ(first, GetCachedSkinArchive());
  EXPECT_TRUE(ReadSkinFile(L"first.xml", false, &bytes_));
  EXPECT_EQ("from the first archive", AsText(bytes_));
  EXPECT_FALSE(ReadSkinFile(L"second.xml", false, &bytes_));
}

TEST_F(SkinSourceTest, FileMissingFromTheArchiveIsReadFromDiskOnlyWithFallback) {
  const TempFile on_disk(L"veneer_disk_only.png", "disk picture");
  HandOver(BuildTestArchive({{"inside.png", "archive picture"}}));
  const wchar_t* path = on_disk.path().c_str();
  EXPECT_TRUE(ReadSkinFile(path, true, &bytes_));
  EXPECT_EQ("disk picture", AsText(bytes_));
  EXPECT_FALSE(ReadSkinFile(path, false, &bytes_));
  EXPECT_TRUE(bytes_.empty());
  // What the markup loader sees: the entry is missing, whatever the disk holds.
  EXPECT_EQ(SkinReadStatus::kEntryNotFound,
            ReadSkinArchiveFile(GetCachedSkinArchive(), path, kMarkupLimit, &bytes_));
}

TEST_F(SkinSourceTest, ArchiveEntryWinsOverAFileOfTheSameName) {
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(TempFolder().c_str()));
  {
    const TempFile on_disk(L"veneer_shadowed.xml", "disk");
    HandOver(BuildTestArchive({{"veneer_shadowed.xml", "archive"}}));
    EXPECT_TRUE(ReadSkinFile(L"veneer_shadowed.xml", true, &bytes_));
    EXPECT_EQ("archive", AsText(bytes_));
  }
  SetCurrentDirectoryW(previous);
}

TEST_F(SkinSourceTest, BlockThatIsNotAnArchiveLeavesArchiveModeEmpty) {
  const TempFile on_disk(L"veneer_after_bad_archive.png", "disk picture");
  const std::string text = "not a zip archive at all";
  HandOver(std::vector<unsigned char>(text.begin(), text.end()));
  EXPECT_EQ(L"membuffer", GetSkinArchiveName());
  EXPECT_EQ(nullptr, GetCachedSkinArchive());
  EXPECT_FALSE(ReadSkinFile(on_disk.path().c_str(), false, &bytes_));
  EXPECT_TRUE(ReadSkinFile(on_disk.path().c_str(), true, &bytes_));
  EXPECT_EQ(SkinReadStatus::kNoArchive,
            ReadSkinArchiveFile(GetCachedSkinArchive(), L"a.xml", kMarkupLimit, &bytes_));
  // A good archive handed over later is ignored as well.
  HandOver(BuildTestArchive({{"a.xml", "a"}}));
  EXPECT_EQ(nullptr, GetCachedSkinArchive());
}

TEST_F(SkinSourceTest, ArchiveReaderReportsEachFailure) {
  std::vector<unsigned char> archive = BuildTestArchive(
      {{"skin.xml", std::string(5000, 'x') + "<Window/>"}, {"empty.xml", ""}, {"huge.xml", "tiny"}});
  // huge.xml claims 3.9 MiB from a handful of compressed bytes, in both its headers.
  ASSERT_TRUE(test::ForgeUncompressedSize(&archive, 2, 4000000));
  HandOver(archive);
  ArchiveHandle* cached = GetCachedSkinArchive();
  ASSERT_NE(nullptr, cached);

  EXPECT_EQ(SkinReadStatus::kRead, ReadSkinArchiveFile(cached, L"SKIN.xml", 5009, &bytes_));
  EXPECT_EQ(5009u, bytes_.size());
  EXPECT_EQ(SkinReadStatus::kTooLarge, ReadSkinArchiveFile(cached, L"skin.xml", 5008, &bytes_));
  EXPECT_TRUE(bytes_.empty());
  EXPECT_EQ(SkinReadStatus::kEmpty, ReadSkinArchiveFile(cached, L"empty.xml", kMarkupLimit, &bytes_));
  EXPECT_EQ(SkinReadStatus::kExtractFailed, ReadSkinArchiveFile(cached, L"huge.xml", kMarkupLimit, &bytes_));
  EXPECT_TRUE(bytes_.empty());
  EXPECT_EQ(SkinReadStatus::kEntryNotFound, ReadSkinArchiveFile(cached, L"none.xml", kMarkupLimit, &bytes_));
  EXPECT_FALSE(ReadSkinFile(L"huge.xml", false, &bytes_));
  EXPECT_FALSE(ReadSkinFile(L"empty.xml", false, &bytes_));
  // The cached archive stays usable after all that.
  EXPECT_TRUE(ReadSkinFile(L"skin.xml", false, &bytes_));
  EXPECT_EQ(5009u, bytes_.size());
}

TEST_F(SkinSourceTest, HandOverPasswordOpensEncryptedEntries) {
  TestArchiveEntry secret{"secret.xml", "<Window/>"};
  secret.password = "p\xE4ss";  // Converted from the wide password with the ANSI code page.
  const std::vector<unsigned char> archive = BuildTestArchive({secret});
  HandOver(archive, L"p\u00E4ss");
  EXPECT_TRUE(ReadSkinFile(L"secret.xml", false, &bytes_));
  EXPECT_EQ("<Window/>", AsText(bytes_));

  ResetSkinSourceForTests();
  HandOver(archive, L"pass");
  EXPECT_FALSE(ReadSkinFile(L"secret.xml", false, &bytes_));
  ResetSkinSourceForTests();
  HandOver(archive);
  EXPECT_FALSE(ReadSkinFile(L"secret.xml", false, &bytes_));
}

TEST_F(SkinSourceTest, EmbeddedSkinArchiveResourceServesSkinFiles) {
  SetAppModule(GetModuleHandleW(nullptr));
  EXPECT_EQ(GetModuleHandleW(nullptr), GetAppModule());
  EXPECT_EQ(GetModuleHandleW(nullptr), GetSkinResourceModule());
  std::vector<unsigned char> resource;
  ASSERT_TRUE(ReadSkinResource(nullptr, MAKEINTRESOURCEW(102), L"ZIPRES", &resource));
  std::vector<unsigned char> again;
  ASSERT_TRUE(ReadSkinResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(102), L"ZIPRES", &again));
  EXPECT_EQ(resource, again);
  EXPECT_FALSE(ReadSkinResource(nullptr, MAKEINTRESOURCEW(103), L"ZIPRES", &again));
  EXPECT_TRUE(again.empty());
  EXPECT_FALSE(ReadSkinResource(nullptr, MAKEINTRESOURCEW(102), L"PNG", &again));

  HandOver(resource);
  ASSERT_NE(nullptr, GetCachedSkinArchive());
  ASSERT_TRUE(ReadSkinFile(L"skin\\sub\\default.xml", false, &bytes_));
  EXPECT_NE(std::string::npos, AsText(bytes_).find("<Font id=\"0\" name=\"Microsoft YaHei\""));
  ASSERT_TRUE(ReadSkinFile(L"skin/MainWnd.xml", false, &bytes_));
  EXPECT_EQ(0u, AsText(bytes_).find("<?xml"));

  // CMake's writer stores Unix attributes and an extended timestamp with the fixed build time.
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk,
            FindArchiveEntry(GetCachedSkinArchive(), L"skin/MainWnd.xml", false, nullptr, &entry));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), entry.attributes & ~FILE_ATTRIBUTE_READONLY);
  const uint64_t ticks = (1622548800ULL + 11644473600ULL) * 10000000ULL;
  EXPECT_EQ(static_cast<DWORD>(ticks), entry.last_write_time.dwLowDateTime);
  EXPECT_EQ(static_cast<DWORD>(ticks >> 32), entry.last_write_time.dwHighDateTime);
  EXPECT_EQ(bytes_.size(), entry.uncompressed_size);
}

}  // namespace
}  // namespace veneer
