#include "tests/markup/test_archive.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace veneer::test {
namespace {

std::string TempPathAnsi(const char* name) {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  return std::string(folder, length) + name;
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
  const std::string path = TempPathAnsi("veneer_test_archive.zip");
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return {};
  bool written = true;
  for (const TestArchiveEntry& entry : entries) written = written && AddEntry(zip, entry);
  written = zipClose(zip, nullptr) == ZIP_OK && written;
  std::vector<unsigned char> bytes;
  if (written) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  DeleteFileA(path.c_str());
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

TempFile::TempFile(const wchar_t* name, const std::string& contents) {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  path_ = std::wstring(folder, length) + name;
  HANDLE file =
      CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
}

TempFile::~TempFile() { DeleteFileW(path_.c_str()); }

}  // namespace veneer::test
