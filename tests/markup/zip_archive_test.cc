#include "ui/markup/zip_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/markup/test_archive.h"

namespace veneer {
namespace {

using test::BuildTestArchive;
using test::GuardedBlock;
using test::TestArchiveEntry;

constexpr unsigned kLocalHeaderSignature = 0x04034B50;
constexpr unsigned kCentralHeaderSignature = 0x02014B50;

// Skin-like text that deflate cannot shrink to nothing, so damage inside it matters.
std::string SkinText(int controls) {
  std::string text = "<Window size=\"640,480\">\n";
  uint32_t state = 12345;
  for (int i = 0; i < controls; ++i) {
    state = state * 1103515245u + 12345u;
    text += "  <Button name=\"btn_" + std::to_string(state % 99991) + "\" pos=\"" +
            std::to_string(state % 640) + "," + std::to_string((state >> 8) % 480) + "\" bkcolor=\"#ff" +
            std::to_string(state % 999999) + "\"/>\n";
  }
  return text + "</Window>\n";
}

FILETIME UnixFileTime(int64_t seconds) {
  const uint64_t ticks = static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ULL;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void ExpectSameTime(const FILETIME& expected, const FILETIME& actual) {
  EXPECT_EQ(expected.dwHighDateTime, actual.dwHighDateTime);
  EXPECT_EQ(expected.dwLowDateTime, actual.dwLowDateTime);
}

std::string ExtendedTimestamp(unsigned flags, const std::vector<uint32_t>& times, size_t declared_size = 0) {
  std::string block = "UT";
  const size_t size = declared_size ? declared_size : 1 + 4 * times.size();
  block += static_cast<char>(size & 0xFF);
  block += static_cast<char>(size >> 8);
  block += static_cast<char>(flags);
  for (uint32_t time : times) {
    for (int shift = 0; shift < 32; shift += 8) block += static_cast<char>((time >> shift) & 0xFF);
  }
  return block;
}

// An open archive over a guarded copy of `bytes`, closed with this object.
class OpenedArchive {
 public:
  explicit OpenedArchive(const std::vector<unsigned char>& bytes, const char* password = nullptr)
      : block_(bytes), archive_(OpenArchiveMemory(block_.data(), block_.size(), password)) {}
  ~OpenedArchive() { CloseArchive(archive_); }
  ArchiveHandle* get() const { return archive_; }

  // The entry's bytes extracted in one call into a buffer of its exact size, with the result code.
  DWORD Extract(const wchar_t* name, std::string* data) const {
    int index = -1;
    ArchiveEntry entry;
    const DWORD found = FindArchiveEntry(archive_, name, false, &index, &entry);
    if (found != kArchiveOk) return found;
    std::vector<unsigned char> buffer(entry.uncompressed_size + 1);
    const DWORD result = ExtractArchiveEntry(archive_, index, buffer.data(), entry.uncompressed_size);
    data->assign(buffer.begin(), buffer.begin() + entry.uncompressed_size);
    return result;
  }

 private:
  GuardedBlock block_;
  ArchiveHandle* archive_;  // Owned.
};

TEST(OpenArchiveMemoryTest, RejectsBlocksThatAreNotArchives) {
  const std::string text = "<Window size=\"10,10\"/> is markup, not an archive";
  const std::vector<unsigned char> zeros(4096, 0);
  const std::vector<unsigned char> end_record_only = {'P', 'K', 5, 6, 0, 0, 0, 0, 1, 0, 1,
                                                      0,   46,  0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(nullptr, OpenArchiveMemory(nullptr, 100, nullptr));
  EXPECT_EQ(nullptr, OpenArchiveMemory(text.data(), 0, nullptr));
  EXPECT_EQ(nullptr, OpenedArchive(std::vector<unsigned char>(text.begin(), text.end())).get());
  EXPECT_EQ(nullptr, OpenedArchive(zeros).get());
  // An end record announcing one entry whose directory lies outside the block.
  EXPECT_EQ(nullptr, OpenedArchive(end_record_only).get());
}

TEST(OpenArchiveMemoryTest, EveryTruncationFailsWithoutReadingPastTheBlock) {
  const std::vector<unsigned char> archive = BuildTestArchive({{"a.xml", SkinText(20)}, {"b.png", "PNG"}});
  ASSERT_FALSE(archive.empty());
  for (size_t length = 1; length < archive.size(); ++length) {
    GuardedBlock block(archive.data(), length);
    ArchiveHandle* opened = OpenArchiveMemory(block.data(), block.size(), nullptr);
    EXPECT_EQ(nullptr, opened) << "truncated to " << length;
    CloseArchive(opened);
  }
}

TEST(OpenArchiveMemoryTest, ReadsTheCallersBlockInPlace) {
  std::vector<unsigned char> archive = BuildTestArchive({{"plain.txt", "first", false}});
  ArchiveHandle* opened = OpenArchiveMemory(archive.data(), static_cast<DWORD>(archive.size()), nullptr);
  ASSERT_NE(nullptr, opened);
  // Changing the stored bytes after opening shows in the extracted data: nothing was copied.
  const size_t data_at = test::FindZipRecord(archive, kLocalHeaderSignature) + 30 + 9;
  archive[data_at] = 'F';
  int index = -1;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(opened, L"plain.txt", false, &index, nullptr));
  char buffer[5];
  // The CRC no longer matches the changed byte, but the bytes show where they were read from.
  EXPECT_EQ(kArchiveDecompressError, ExtractArchiveEntry(opened, index, buffer, sizeof(buffer)));
  EXPECT_EQ("First", std::string(buffer, 5));
  CloseArchive(opened);
}

TEST(FindArchiveEntryTest, NamesCompareAsUtf8WithAsciiCaseFolding) {
  const OpenedArchive archive(BuildTestArchive({{"images/Bg.png", "bg"},
                                                {"\xC3\x84rger.xml", "umlaut"},
                                                {std::string(255, 'n'), "long"},
                                                {std::string(256, 'm'), "too long"}}));
  ASSERT_NE(nullptr, archive.get());
  int index = -1;
  EXPECT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"images/Bg.png", false, &index, nullptr));
  EXPECT_EQ(0, index);
  EXPECT_EQ(kArchiveEntryNotFound, FindArchiveEntry(archive.get(), L"IMAGES/bg.PNG", false, &index, nullptr));
  EXPECT_EQ(-1, index);
  EXPECT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"IMAGES/bg.PNG", true, &index, nullptr));
  EXPECT_EQ(0, index);
  // Backslashes are not slashes at this level.
  EXPECT_EQ(kArchiveEntryNotFound, FindArchiveEntry(archive.get(), L"images\\Bg.png", true, &index, nullptr));

  EXPECT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"\u00C4rger.xml", true, &index, nullptr));
  EXPECT_EQ(1, index);
  // Only ASCII letters fold: a lower-case umlaut is another name.
  EXPECT_EQ(kArchiveEntryNotFound, FindArchiveEntry(archive.get(), L"\u00E4rger.xml", true, &index, nullptr));

  EXPECT_EQ(kArchiveOk,
            FindArchiveEntry(archive.get(), std::wstring(255, L'n').c_str(), false, &index, nullptr));
  EXPECT_EQ(2, index);
  EXPECT_EQ(kArchiveEntryNotFound,
            FindArchiveEntry(archive.get(), std::wstring(256, L'm').c_str(), false, &index, nullptr));
  EXPECT_EQ(kArchiveEntryNotFound, FindArchiveEntry(archive.get(), L"images/Bg.pn", false, &index, nullptr));
}

TEST(FindArchiveEntryTest, MissingEntryClearsTheRecordAndKeepsAnExtractionGoing) {
  const std::string text = SkinText(200);
  const OpenedArchive archive(BuildTestArchive({{"first.xml", text}, {"second.xml", "2"}}));
  ASSERT_NE(nullptr, archive.get());
  int index = -1;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"first.xml", false, &index, nullptr));
  std::vector<char> buffer(text.size());
  ASSERT_EQ(kArchiveMoreData, ExtractArchiveEntry(archive.get(), index, buffer.data(), 100));

  ArchiveEntry entry;
  entry.index = 7;
  entry.uncompressed_size = 99;
  EXPECT_EQ(kArchiveEntryNotFound, FindArchiveEntry(archive.get(), L"third.xml", true, &index, &entry));
  EXPECT_EQ(-1, index);
  EXPECT_EQ(-1, entry.index);
  EXPECT_EQ(0u, entry.uncompressed_size);
  EXPECT_EQ(L'\0', entry.name[0]);

  EXPECT_EQ(kArchiveOk, ExtractArchiveEntry(archive.get(), 0, buffer.data() + 100,
                                            static_cast<DWORD>(text.size() - 100)));
  EXPECT_EQ(text, std::string(buffer.begin(), buffer.end()));
  EXPECT_EQ(kArchiveBadArgument, FindArchiveEntry(nullptr, L"first.xml", false, &index, &entry));
  EXPECT_EQ(kArchiveBadArgument, FindArchiveEntry(archive.get(), nullptr, false, &index, &entry));
}

TEST(FindArchiveEntryTest, StoredNamesAreCleanedOfDrivesRootsAndParentSteps) {
  const std::vector<std::pair<std::string, std::wstring>> cases = {
      {"../../x.xml", L"x.xml"},        {"C:\\dir\\y.png", L"dir\\y.png"}, {"/abs/z.txt", L"abs/z.txt"},
      {"a/b\\..\\c.txt", L"c.txt"},     {"../up.txt", L"up.txt"},          {"D:/..\\..\\e.txt", L"e.txt"},
      {"sub/name.png", L"sub/name.png"}};
  std::vector<TestArchiveEntry> entries;
  for (const auto& test_case : cases) entries.push_back({test_case.first, "x"});
  const OpenedArchive archive(BuildTestArchive(entries));
  ASSERT_NE(nullptr, archive.get());
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::wstring stored(cases[i].first.begin(), cases[i].first.end());
    int index = -1;
    ArchiveEntry entry;
    ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), stored.c_str(), false, &index, &entry))
        << cases[i].first;
    EXPECT_EQ(static_cast<int>(i), index);
    EXPECT_EQ(static_cast<int>(i), entry.index);
    EXPECT_EQ(cases[i].second, entry.name) << cases[i].first;
  }
}

TEST(FindArchiveEntryTest, AttributesFollowTheHostSystem) {
  TestArchiveEntry dos{"dos.txt", "d"};
  dos.external_attributes = 0xFF;  // Only read-only, hidden, system, directory and archive count.
  TestArchiveEntry ntfs{"ntfs.txt", "n"};
  ntfs.version_made_by = 11 << 8;
  ntfs.external_attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  TestArchiveEntry unix_file{"unix.txt", "u"};
  unix_file.version_made_by = 3 << 8;
  unix_file.external_attributes = 0100644ul << 16;
  TestArchiveEntry unix_read_only{"unix_ro.txt", "r"};
  unix_read_only.version_made_by = 3 << 8;
  unix_read_only.external_attributes = 0100444ul << 16;
  TestArchiveEntry unix_folder{"folder/", ""};
  unix_folder.version_made_by = 3 << 8;
  unix_folder.external_attributes = 040755ul << 16;
  const OpenedArchive archive(BuildTestArchive({dos, ntfs, unix_file, unix_read_only, unix_folder}));
  ASSERT_NE(nullptr, archive.get());

  const std::vector<std::pair<const wchar_t*, DWORD>> expected = {
      {L"dos.txt", 0x37},
      {L"ntfs.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {L"unix.txt", FILE_ATTRIBUTE_ARCHIVE},
      {L"unix_ro.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
      {L"folder/", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_DIRECTORY}};
  for (const auto& [name, attributes] : expected) {
    ArchiveEntry entry;
    ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), name, false, nullptr, &entry));
    EXPECT_EQ(attributes, entry.attributes) << entry.name;
  }
}

TEST(FindArchiveEntryTest, TimesComeFromDosFieldsAndExtendedTimestamps) {
  TestArchiveEntry dos_only{"dos.txt", "d"};
  TestArchiveEntry all_three{"ut.txt", "u"};
  all_three.local_extra = ExtendedTimestamp(7, {1600000000u, 1500000000u, 1400000000u});
  TestArchiveEntry write_only{"ut_write.txt", "w"};
  write_only.local_extra = std::string("\x01\x02\x03\x00xyz", 7) + ExtendedTimestamp(1, {1622548800u});
  // Flags announce three times but the block holds one: only that one is taken.
  TestArchiveEntry short_block{"ut_short.txt", "s"};
  short_block.local_extra = ExtendedTimestamp(7, {1000000000u});
  const OpenedArchive archive(BuildTestArchive({dos_only, all_three, write_only, short_block}));
  ASSERT_NE(nullptr, archive.get());

  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"dos.txt", false, nullptr, &entry));
  FILETIME local;
  SYSTEMTIME fields;
  ASSERT_TRUE(FileTimeToLocalFileTime(&entry.last_write_time, &local));
  ASSERT_TRUE(FileTimeToSystemTime(&local, &fields));
  EXPECT_EQ(2020, fields.wYear);
  EXPECT_EQ(2, fields.wMonth);
  EXPECT_EQ(29, fields.wDay);
  EXPECT_EQ(13, fields.wHour);
  EXPECT_EQ(45, fields.wMinute);
  EXPECT_EQ(58, fields.wSecond);
  ExpectSameTime(entry.last_write_time, entry.creation_time);
  ExpectSameTime(entry.last_write_time, entry.last_access_time);
  const FILETIME dos_time = entry.last_write_time;

  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"ut.txt", false, nullptr, &entry));
  ExpectSameTime(UnixFileTime(1600000000), entry.last_write_time);
  ExpectSameTime(UnixFileTime(1500000000), entry.last_access_time);
  ExpectSameTime(UnixFileTime(1400000000), entry.creation_time);

  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"ut_write.txt", false, nullptr, &entry));
  ExpectSameTime(UnixFileTime(1622548800), entry.last_write_time);
  ExpectSameTime(dos_time, entry.last_access_time);
  ExpectSameTime(dos_time, entry.creation_time);

  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"ut_short.txt", false, nullptr, &entry));
  ExpectSameTime(UnixFileTime(1000000000), entry.last_write_time);
  ExpectSameTime(dos_time, entry.last_access_time);
}

TEST(ExtractArchiveEntryTest, ExactSizeBuffersEndTheEntrySmallerOnesContinueIt) {
  const std::string text = SkinText(300);
  for (bool deflate : {true, false}) {
    const OpenedArchive archive(BuildTestArchive(
        {{"a.xml", "alpha", deflate}, {"skin.xml", text, deflate}, {"c.xml", "gamma", deflate}}));
    ASSERT_NE(nullptr, archive.get());
    int index = -1;
    ArchiveEntry entry;
    ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"skin.xml", false, &index, &entry));
    ASSERT_EQ(text.size(), entry.uncompressed_size);
    EXPECT_EQ(deflate, entry.compressed_size < entry.uncompressed_size);

    std::vector<char> whole(text.size());
    EXPECT_EQ(kArchiveOk,
              ExtractArchiveEntry(archive.get(), index, whole.data(), static_cast<DWORD>(whole.size())));
    EXPECT_EQ(text, std::string(whole.begin(), whole.end()));

    // Pieces of 1000 bytes: every call but the last reports more data.
    std::string pieces;
    char piece[1000];
    DWORD result = kArchiveMoreData;
    int calls = 0;
    while (result == kArchiveMoreData && calls++ < 100) {
      const size_t before = pieces.size();
      result = ExtractArchiveEntry(archive.get(), index, piece, sizeof(piece));
      pieces.append(piece, std::min(sizeof(piece), text.size() - before));
    }
    EXPECT_EQ(kArchiveOk, result);
    EXPECT_EQ((text.size() + 999) / 1000, static_cast<size_t>(calls));
    EXPECT_EQ(text, pieces);

    // Out of order: a later entry, then an earlier one, then the same again.
    std::string data;
    EXPECT_EQ(kArchiveOk, archive.Extract(L"c.xml", &data));
    EXPECT_EQ("gamma", data);
    EXPECT_EQ(kArchiveOk, archive.Extract(L"a.xml", &data));
    EXPECT_EQ("alpha", data);
    EXPECT_EQ(kArchiveOk, archive.Extract(L"a.xml", &data));
    EXPECT_EQ("alpha", data);
  }
}

TEST(ExtractArchiveEntryTest, RejectsBadArguments) {
  const OpenedArchive archive(BuildTestArchive({{"a.xml", "alpha"}, {"b.xml", "beta"}}));
  ASSERT_NE(nullptr, archive.get());
  char buffer[8];
  EXPECT_EQ(kArchiveBadArgument, ExtractArchiveEntry(nullptr, 0, buffer, sizeof(buffer)));
  EXPECT_EQ(kArchiveBadArgument, ExtractArchiveEntry(archive.get(), 0, nullptr, sizeof(buffer)));
  EXPECT_EQ(kArchiveBadArgument, ExtractArchiveEntry(archive.get(), 0, buffer, 0));
  EXPECT_EQ(kArchiveBadArgument, ExtractArchiveEntry(archive.get(), -1, buffer, sizeof(buffer)));
  EXPECT_EQ(kArchiveBadArgument, ExtractArchiveEntry(archive.get(), 2, buffer, sizeof(buffer)));
  EXPECT_EQ(kArchiveOk, ExtractArchiveEntry(archive.get(), 1, buffer, sizeof(buffer)));
  EXPECT_EQ("beta", std::string(buffer, 4));
}

TEST(ExtractArchiveEntryTest, EncryptedEntriesNeedTheRightPassword) {
  const std::string text = SkinText(50);
  TestArchiveEntry deflated{"secret.xml", text};
  deflated.password = "tessaro";
  TestArchiveEntry stored{"stored.bin", "stored secret", false};
  stored.password = "tessaro";
  const std::vector<unsigned char> bytes =
      BuildTestArchive({deflated, stored, {"open.txt", "not encrypted"}});

  std::string data;
  const OpenedArchive right(bytes, "tessaro");
  ASSERT_NE(nullptr, right.get());
  EXPECT_EQ(kArchiveOk, right.Extract(L"secret.xml", &data));
  EXPECT_EQ(text, data);
  EXPECT_EQ(kArchiveOk, right.Extract(L"stored.bin", &data));
  EXPECT_EQ("stored secret", data);
  EXPECT_EQ(kArchiveOk, right.Extract(L"open.txt", &data));
  EXPECT_EQ("not encrypted", data);

  for (const char* password : {"Tessaro", "wrong", "tessaro2", "x", "another guess"}) {
    const OpenedArchive wrong(bytes, password);
    EXPECT_EQ(kArchiveWrongPassword, wrong.Extract(L"secret.xml", &data)) << password;
    EXPECT_EQ(kArchiveWrongPassword, wrong.Extract(L"stored.bin", &data)) << password;
    EXPECT_EQ(kArchiveOk, wrong.Extract(L"open.txt", &data));
  }
  for (const char* none : {static_cast<const char*>(nullptr), ""}) {
    const OpenedArchive without(bytes, none);
    EXPECT_EQ(kArchiveWrongPassword, without.Extract(L"secret.xml", &data));
    EXPECT_EQ(kArchiveOk, without.Extract(L"open.txt", &data));
    EXPECT_EQ("not encrypted", data);
  }
}

TEST(ExtractArchiveEntryTest, DamagedCompressedDataIsADecompressionError) {
  const std::string text = SkinText(400);
  std::vector<unsigned char> bytes = BuildTestArchive({{"skin.xml", text}});
  const size_t data_at = test::FindZipRecord(bytes, kLocalHeaderSignature) + 30 + 8;
  const size_t data_end = test::FindZipRecord(bytes, kCentralHeaderSignature);
  ASSERT_LT(data_at + 200, data_end);
  for (size_t offset : {data_at + 5, (data_at + data_end) / 2, data_end - 20}) {
    std::vector<unsigned char> damaged = bytes;
    for (size_t i = offset; i < offset + 4; ++i) damaged[i] ^= 0x5A;
    const OpenedArchive archive(damaged);
    ASSERT_NE(nullptr, archive.get());
    std::string data;
    EXPECT_EQ(kArchiveDecompressError, archive.Extract(L"skin.xml", &data)) << "damage at " << offset;
  }
}

TEST(ExtractArchiveEntryTest, EntriesShorterThanTheirStatedSizeFail) {
  const std::string text = SkinText(100);
  std::vector<unsigned char> bytes =
      BuildTestArchive({{"skin.xml", text}, {"stored.txt", "0123456789", false}});
  // skin.xml claims almost 2 GiB, stored.txt 20 bytes for its 10, in both headers.
  ASSERT_TRUE(test::ForgeUncompressedSize(&bytes, 0, 0x7FFFFFF0));
  ASSERT_TRUE(test::ForgeUncompressedSize(&bytes, 1, 20));
  const OpenedArchive archive(bytes);
  ASSERT_NE(nullptr, archive.get());

  int index = -1;
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"skin.xml", false, &index, &entry));
  EXPECT_EQ(0x7FFFFFF0u, entry.uncompressed_size);
  EXPECT_FALSE(IsArchiveEntrySizePlausible(archive.get(), entry));
  std::vector<char> buffer(text.size() + 100);
  EXPECT_EQ(kArchiveMoreData, ExtractArchiveEntry(archive.get(), index, buffer.data(), 64));
  EXPECT_EQ(kArchiveDecompressError,
            ExtractArchiveEntry(archive.get(), index, buffer.data(), static_cast<DWORD>(buffer.size())));

  ASSERT_EQ(kArchiveOk, FindArchiveEntry(archive.get(), L"stored.txt", false, &index, &entry));
  EXPECT_TRUE(IsArchiveEntrySizePlausible(archive.get(), entry));
  EXPECT_EQ(kArchiveDecompressError, ExtractArchiveEntry(archive.get(), index, buffer.data(), 20));
}

TEST(ExtractArchiveEntryTest, UnsupportedCompressionMethodFailsCleanly) {
  std::vector<unsigned char> bytes = BuildTestArchive({{"skin.xml", SkinText(10)}});
  test::WriteLittleEndian16(&bytes, test::FindZipRecord(bytes, kLocalHeaderSignature) + 8, 14);
  test::WriteLittleEndian16(&bytes, test::FindZipRecord(bytes, kCentralHeaderSignature) + 10, 14);
  const OpenedArchive archive(bytes);
  ASSERT_NE(nullptr, archive.get());
  // minizip refuses to read the local header of an unknown method; extraction refuses the method.
  EXPECT_EQ(kArchiveHeaderError, FindArchiveEntry(archive.get(), L"skin.xml", false, nullptr, nullptr));
  char buffer[16];
  EXPECT_EQ(kArchiveDecompressError, ExtractArchiveEntry(archive.get(), 0, buffer, sizeof(buffer)));
}

TEST(ExtractArchiveEntryTest, BrokenLocalHeaderIsAHeaderError) {
  std::vector<unsigned char> bytes = BuildTestArchive({{"a.xml", "alpha"}, {"b.xml", "beta"}});
  const size_t central = test::FindZipRecord(bytes, kCentralHeaderSignature);
  const size_t second_central = test::FindZipRecord(bytes, kCentralHeaderSignature, central + 4);
  test::WriteLittleEndian32(&bytes, second_central + 42, 3);  // b.xml's local header offset: garbage.
  const OpenedArchive archive(bytes);
  ASSERT_NE(nullptr, archive.get());
  int index = -1;
  ArchiveEntry entry;
  EXPECT_EQ(kArchiveHeaderError, FindArchiveEntry(archive.get(), L"b.xml", false, &index, &entry));
  EXPECT_EQ(-1, index);
  char buffer[4];
  EXPECT_EQ(kArchiveHeaderError, ExtractArchiveEntry(archive.get(), 1, buffer, sizeof(buffer)));
  std::string data;
  EXPECT_EQ(kArchiveOk, archive.Extract(L"a.xml", &data));
  EXPECT_EQ("alpha", data);
}

// Every single damaged byte of a small archive: nothing may crash or read past the block, and
// whatever extraction reports as complete must be the original data.
TEST(ArchiveRobustnessTest, EverySingleByteDamageIsSafe) {
  const std::string text = SkinText(8);
  TestArchiveEntry timed{"t.txt", "timed entry"};
  timed.local_extra = ExtendedTimestamp(3, {1600000000u, 1500000000u});
  const std::vector<unsigned char> bytes =
      BuildTestArchive({{"skin.xml", text}, {"s.txt", "stored", false}, timed});
  ASSERT_FALSE(bytes.empty());
  const std::vector<std::pair<const wchar_t*, std::string>> originals = {
      {L"skin.xml", text}, {L"s.txt", "stored"}, {L"t.txt", "timed entry"}};
  int complete_extractions = 0;
  for (size_t offset = 0; offset < bytes.size(); ++offset) {
    std::vector<unsigned char> damaged = bytes;
    damaged[offset] ^= 0xFF;
    const OpenedArchive archive(damaged);
    if (!archive.get()) continue;
    for (const auto& [name, original] : originals) {
      std::string data;
      if (archive.Extract(name, &data) != kArchiveOk) continue;
      ++complete_extractions;
      EXPECT_EQ(original, data) << "damage at " << offset;
    }
  }
  EXPECT_GT(complete_extractions, 0);
}

}  // namespace
}  // namespace veneer
