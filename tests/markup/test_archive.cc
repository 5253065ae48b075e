#include "tests/markup/test_archive.h"

#include <minizip/zip.h>
#include <zlib.h>
// After zip.h: iowin32.h relies on the macros that zlib's headers define.
#include <minizip/iowin32.h>

#include <cstring>

#include "tests/support/temp_files.h"

namespace veneer::test {
namespace {

constexpr unsigned kLocalHeaderSignature = 0x04034B50;
constexpr unsigned kCentralHeaderSignature = 0x02014B50;
constexpr size_t kLocalSizeOffset = 22;    // Uncompressed size inside a local header.
constexpr size_t kCentralSizeOffset = 24;  // Uncompressed size inside a central header.

// Offset of the `index`-th record with this signature, or npos.
size_t FindNthZipRecord(const std::vector<unsigned char>& archive, unsigned signature, int index) {
  size_t at = FindZipRecord(archive, signature);
  for (int i = 0; i < index && at != std::string::npos; ++i) at = FindZipRecord(archive, signature, at + 4);
  return at;
}

bool AddEntry(zipFile zip, const TestArchiveEntry& entry) {
  zip_fileinfo info = {};
  info.tmz_date.tm_year = entry.year;
  info.tmz_date.tm_mon = entry.month - 1;
  info.tmz_date.tm_mday = entry.day;
  info.tmz_date.tm_hour = entry.hour;
  info.tmz_date.tm_min = entry.minute;
  info.tmz_date.tm_sec = entry.second;
  info.external_fa = entry.external_attributes;
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size()));
  const void* local_extra = entry.local_extra.empty() ? nullptr : entry.local_extra.data();
  if (zipOpenNewFileInZip4_64(
          zip, entry.name.c_str(), &info, local_extra, static_cast<uInt>(entry.local_extra.size()), nullptr,
          0, nullptr, entry.deflate ? Z_DEFLATED : 0, Z_BEST_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL,
          Z_DEFAULT_STRATEGY, entry.password, crc, entry.version_made_by, 0, 0) != ZIP_OK) {
    return false;
  }
  const bool written =
      zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) == ZIP_OK;
  return zipCloseFileInZip(zip) == ZIP_OK && written;
}

}  // namespace

std::vector<unsigned char> BuildTestArchive(const std::vector<TestArchiveEntry>& entries) {
  const std::wstring path = UniqueTempPath(L"zip");
  zlib_filefunc64_def wide_files;
  fill_win32_filefunc64W(&wide_files);
  zipFile zip =
      path.empty() ? nullptr : zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &wide_files);
  std::vector<unsigned char> bytes;
  if (zip) {
    bool written = true;
    for (const TestArchiveEntry& entry : entries) written = written && AddEntry(zip, entry);
    written = zipClose(zip, nullptr) == ZIP_OK && written;
    const std::string file = written ? ReadFileBytes(path) : std::string();
    bytes.assign(file.begin(), file.end());
  }
  DeleteFileW(path.c_str());
  return bytes;
}

size_t FindZipRecord(const std::vector<unsigned char>& archive, unsigned signature, size_t from) {
  for (size_t at = from; at + 4 <= archive.size(); ++at) {
    const unsigned value = archive[at] | (archive[at + 1] << 8) | (archive[at + 2] << 16) |
                           (static_cast<unsigned>(archive[at + 3]) << 24);
    if (value == signature) return at;
  }
  return std::string::npos;
}

void WriteLittleEndian16(std::vector<unsigned char>* bytes, size_t offset, unsigned value) {
  (*bytes)[offset] = static_cast<unsigned char>(value);
  (*bytes)[offset + 1] = static_cast<unsigned char>(value >> 8);
}

void WriteLittleEndian32(std::vector<unsigned char>* bytes, size_t offset, unsigned long value) {
  WriteLittleEndian16(bytes, offset, value & 0xFFFF);
  WriteLittleEndian16(bytes, offset + 2, (value >> 16) & 0xFFFF);
}

bool ForgeUncompressedSize(std::vector<unsigned char>* archive, int index, unsigned long size) {
  const size_t local = FindNthZipRecord(*archive, kLocalHeaderSignature, index);
  const size_t central = FindNthZipRecord(*archive, kCentralHeaderSignature, index);
  if (local == std::string::npos || central == std::string::npos ||
      local + kLocalSizeOffset + 4 > archive->size() || central + kCentralSizeOffset + 4 > archive->size()) {
    return false;
  }
  WriteLittleEndian32(archive, local + kLocalSizeOffset, size);
  WriteLittleEndian32(archive, central + kCentralSizeOffset, size);
  return true;
}

GuardedBlock::GuardedBlock(const std::vector<unsigned char>& bytes)
    : GuardedBlock(bytes.data(), bytes.size()) {}

GuardedBlock::GuardedBlock(const unsigned char* bytes, size_t size) : size_(size) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const size_t page = system.dwPageSize;
  const size_t readable = (size + page - 1) / page * page;
  region_ = VirtualAlloc(nullptr, readable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  auto* base = static_cast<unsigned char*>(region_);
  DWORD old_protection;
  VirtualProtect(base + readable, page, PAGE_NOACCESS, &old_protection);
  unsigned char* start = base + readable - size;
  if (size != 0) std::memcpy(start, bytes, size);
  data_ = start;
}

GuardedBlock::~GuardedBlock() { VirtualFree(region_, 0, MEM_RELEASE); }

}  // namespace veneer::test
