#include "ui/markup/zip_archive.h"

#include <minizip/unzip.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ui/markup/zip_entry_decoder.h"

namespace {

// A reading position over the caller's memory block. minizip reaches the archive only through
// the functions below, which never step outside [0, size).
struct MemoryCursor {
  const unsigned char* bytes;  // Not owned: the caller's block.
  ZPOS64_T size;
  ZPOS64_T position;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void* /*filename*/, int mode) {
  if (mode & ZLIB_FILEFUNC_MODE_WRITE) return nullptr;
  auto* cursor = static_cast<MemoryCursor*>(opaque);
  cursor->position = 0;
  return cursor;
}

uLong ZCALLBACK ReadMemory(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size) {
  auto* cursor = static_cast<MemoryCursor*>(stream);
  const ZPOS64_T available = cursor->size - cursor->position;
  const uLong count = size < available ? size : static_cast<uLong>(available);
  std::memcpy(buffer, cursor->bytes + cursor->position, count);
  cursor->position += count;
  return count;
}

uLong ZCALLBACK WriteMemory(voidpf /*opaque*/, voidpf /*stream*/, const void* /*buffer*/, uLong /*size*/) {
  return 0;
}

ZPOS64_T ZCALLBACK TellMemory(voidpf /*opaque*/, voidpf stream) {
  return static_cast<MemoryCursor*>(stream)->position;
}

long ZCALLBACK SeekMemory(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin) {
  auto* cursor = static_cast<MemoryCursor*>(stream);
  ZPOS64_T base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      base = 0;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = cursor->position;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = cursor->size;
      break;
    default:
      return -1;
  }
  if (offset > cursor->size - base) return -1;  // Never past the end of the block.
  cursor->position = base + offset;
  return 0;
}

int ZCALLBACK CloseMemory(voidpf /*opaque*/, voidpf /*stream*/) { return 0; }

int ZCALLBACK TestMemoryError(voidpf /*opaque*/, voidpf /*stream*/) { return 0; }

}  // namespace

namespace veneer {

// The state behind an ArchiveHandle.
struct ArchiveHandle {
  MemoryCursor cursor;    // Over the caller's block, which the caller owns.
  unzFile zip = nullptr;  // Owned minizip state reading through `cursor`.
  std::string password;   // ANSI; empty for none.
  int entry_count = 0;
  int current_index = -1;  // minizip's current entry; -1 when unknown.
  int open_index = -1;     // Entry open for extraction in `decoder`; -1 when none.
  ZipEntryDecoder decoder;
  ArchiveEntry described;  // The entry described last; index -1 when none.
};

namespace {

constexpr ZPOS64_T kDeflateMaxExpansion = 1032;
constexpr int kMaxLookupNameBytes = 255;
constexpr uLong kEncryptedFlag = 0x1;
constexpr uLong kDataDescriptorFlag = 0x8;
constexpr unsigned kExtendedTimestampTag = 0x5455;    // "UT"
constexpr uint32_t kEndRecordSignature = 0x06054B50;  // "PK\5\6"
constexpr int64_t kUnixEpochInFileTimeSeconds = 11644473600LL;

void ClearEntry(ArchiveEntry* entry) {
  std::memset(entry, 0, sizeof(*entry));
  entry->index = -1;
}

DWORD ClampToDword(ZPOS64_T value) { return value > MAXDWORD ? MAXDWORD : static_cast<DWORD>(value); }

unsigned ReadLittleEndian16(const unsigned char* bytes) { return bytes[0] | (bytes[1] << 8); }

uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

char FoldAsciiUpper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

bool NamesMatch(const char* stored, const char* wanted, int length, bool ignore_case) {
  for (int i = 0; i < length; ++i) {
    const char a = ignore_case ? FoldAsciiUpper(stored[i]) : stored[i];
    const char b = ignore_case ? FoldAsciiUpper(wanted[i]) : wanted[i];
    if (a != b) return false;
  }
  return true;
}

bool IsSlash(wchar_t ch) { return ch == L'/' || ch == L'\\'; }

// Length of the leading part of `name` that cleaning removes in one step: a drive prefix, a root
// slash, a leading "../", or everything up to and including the first "/../" (either slash kind).
size_t CleanablePrefixLength(const wchar_t* name) {
  const size_t length = std::wcslen(name);
  if (length >= 2 && name[1] == L':') return 2;
  if (length >= 1 && IsSlash(name[0])) return 1;
  if (length >= 3 && name[0] == L'.' && name[1] == L'.' && IsSlash(name[2])) return 3;
  for (size_t i = 0; i + 3 < length; ++i) {
    if (IsSlash(name[i]) && name[i + 1] == L'.' && name[i + 2] == L'.' && IsSlash(name[i + 3])) return i + 4;
  }
  return 0;
}

// Strips drive prefixes, root slashes and parent-folder steps until none is left, so the name
// never points outside the folder it is placed in.
void CleanEntryName(wchar_t* name) {
  for (size_t drop = CleanablePrefixLength(name); drop != 0; drop = CleanablePrefixLength(name)) {
    std::memmove(name, name + drop, (std::wcslen(name + drop) + 1) * sizeof(wchar_t));
  }
}

DWORD EntryAttributes(const unz_file_info64& info) {
  const unsigned host_system = (info.version >> 8) & 0xFF;
  if (host_system == 0 || host_system == 7 || host_system == 11 || host_system == 14) {
    return info.external_fa & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
  }
  DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
  if (info.external_fa & (1u << 30)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if (!(info.external_fa & (1u << 23))) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

// DOS date in the high word, time in the low word; read as local time. Invalid fields give zero.
FILETIME DosTimeToUtc(uLong dos_date_time) {
  const unsigned date = (dos_date_time >> 16) & 0xFFFF;
  const unsigned time = dos_date_time & 0xFFFF;
  SYSTEMTIME local_time = {};
  local_time.wYear = static_cast<WORD>(1980 + (date >> 9));
  local_time.wMonth = static_cast<WORD>((date >> 5) & 0x0F);
  local_time.wDay = static_cast<WORD>(date & 0x1F);
  local_time.wHour = static_cast<WORD>(time >> 11);
  local_time.wMinute = static_cast<WORD>((time >> 5) & 0x3F);
  local_time.wSecond = static_cast<WORD>(2 * (time & 0x1F));
  FILETIME local = {};
  FILETIME utc = {};
  if (!SystemTimeToFileTime(&local_time, &local) || !LocalFileTimeToFileTime(&local, &utc)) return FILETIME{};
  return utc;
}

FILETIME UnixTimeToFileTime(int32_t seconds) {
  const uint64_t ticks = static_cast<uint64_t>(seconds + kUnixEpochInFileTimeSeconds) * 10000000ULL;
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(ticks);
  result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return result;
}

// The "UT" block: a flags byte, then the Unix times it announces (write, access, creation).
void ApplyExtendedTimestamp(const unsigned char* block, size_t size, ArchiveEntry* entry) {
  if (size < 1) return;
  FILETIME* targets[3] = {&entry->last_write_time, &entry->last_access_time, &entry->creation_time};
  size_t at = 1;
  for (int bit = 0; bit < 3; ++bit) {
    if (!(block[0] & (1 << bit))) continue;
    if (size - at < 4) return;
    *targets[bit] = UnixTimeToFileTime(static_cast<int32_t>(ReadLittleEndian32(block + at)));
    at += 4;
  }
}

void ApplyExtraFieldTimes(const std::vector<unsigned char>& extra, ArchiveEntry* entry) {
  size_t at = 0;
  while (extra.size() - at >= 4) {
    const unsigned tag = ReadLittleEndian16(&extra[at]);
    const size_t length = ReadLittleEndian16(&extra[at + 2]);
    at += 4;
    if (length > extra.size() - at) return;
    if (tag == kExtendedTimestampTag) {
      ApplyExtendedTimestamp(extra.data() + at, length, entry);
      return;
    }
    at += length;
  }
}

// Reads the current entry's local header: where its stored data starts in the block and, when
// `extra` is not null, its local extra field. minizip opens the entry raw (no decryption, no
// inflate) and checks the local header against the central directory.
DWORD LocateEntryData(unzFile zip, ZPOS64_T* data_start, std::vector<unsigned char>* extra) {
  if (unzOpenCurrentFile2(zip, nullptr, nullptr, 1) != UNZ_OK) {
    unzCloseCurrentFile(zip);
    return kArchiveHeaderError;
  }
  *data_start = unzGetCurrentFileZStreamPos64(zip);
  DWORD result = kArchiveOk;
  const int size = extra ? unzGetLocalExtrafield(zip, nullptr, 0) : 0;
  if (size < 0) {
    result = kArchiveExtraFieldError;
  } else if (size > 0) {
    extra->resize(static_cast<size_t>(size));
    if (unzGetLocalExtrafield(zip, extra->data(), static_cast<unsigned>(size)) != size) {
      result = kArchiveExtraFieldError;
    }
  }
  unzCloseCurrentFile(zip);
  return result;
}

// Fills `entry` from minizip's current entry, which is entry `index` and has a name shorter than
// kMaxLookupNameBytes + 1 bytes (it matched a lookup).
DWORD DescribeCurrentEntry(unzFile zip, int index, ArchiveEntry* entry) {
  ClearEntry(entry);
  unz_file_info64 info;
  char stored_name[kMaxLookupNameBytes + 1] = {};
  if (unzGetCurrentFileInfo64(zip, &info, stored_name, sizeof(stored_name) - 1, nullptr, 0, nullptr, 0) !=
      UNZ_OK) {
    return kArchiveHeaderError;
  }
  std::vector<unsigned char> extra;
  ZPOS64_T data_start = 0;
  const DWORD located = LocateEntryData(zip, &data_start, &extra);
  if (located != kArchiveOk) return located;

  entry->index = index;
  const int name_bytes = static_cast<int>(std::strlen(stored_name));
  if (name_bytes > 0) {
    const int converted =
        MultiByteToWideChar(CP_UTF8, 0, stored_name, name_bytes, entry->name, kArchiveEntryNameLength - 1);
    entry->name[converted] = L'\0';
  }
  CleanEntryName(entry->name);
  entry->attributes = EntryAttributes(info);
  const FILETIME dos_time = DosTimeToUtc(info.dosDate);
  entry->last_access_time = dos_time;
  entry->creation_time = dos_time;
  entry->last_write_time = dos_time;
  ApplyExtraFieldTimes(extra, entry);
  entry->compressed_size = ClampToDword(info.compressed_size);
  entry->uncompressed_size = ClampToDword(info.uncompressed_size);
  return kArchiveOk;
}

void CloseOpenEntry(ArchiveHandle* archive) {
  archive->decoder.Close();
  archive->open_index = -1;
}

// Makes entry `index` minizip's current one, stepping forward from the current entry or from the
// first when the target lies behind.
bool MoveToEntry(ArchiveHandle* archive, int index) {
  if (archive->current_index < 0 || index < archive->current_index) {
    archive->current_index = -1;
    if (unzGoToFirstFile(archive->zip) != UNZ_OK) return false;
    archive->current_index = 0;
  }
  while (archive->current_index < index) {
    if (unzGoToNextFile(archive->zip) != UNZ_OK) {
      archive->current_index = -1;
      return false;
    }
    ++archive->current_index;
  }
  return true;
}

// Scans the central directory from the first entry; on a match the matching entry is current and
// its index returned, otherwise -1 with minizip's position wherever the scan stopped.
int ScanForEntry(ArchiveHandle* archive, const char* wanted, int length, bool ignore_case) {
  archive->current_index = -1;
  if (unzGoToFirstFile(archive->zip) != UNZ_OK) return -1;
  for (int index = 0;; ++index) {
    archive->current_index = index;
    unz_file_info64 info;
    char stored_name[kMaxLookupNameBytes + 1];
    if (unzGetCurrentFileInfo64(archive->zip, &info, stored_name, sizeof(stored_name), nullptr, 0, nullptr,
                                0) != UNZ_OK) {
      return -1;
    }
    if (info.size_filename == static_cast<uLong>(length) &&
        NamesMatch(stored_name, wanted, length, ignore_case)) {
      return index;
    }
    if (unzGoToNextFile(archive->zip) != UNZ_OK) return -1;
  }
}

// The decrypted header's last byte: the high byte of the CRC, or of the DOS time when the sizes
// and CRC follow the data.
unsigned char PasswordCheckByte(const unz_file_info64& info) {
  const uLong source = (info.flag & kDataDescriptorFlag) ? info.dosDate << 16 : info.crc;
  return static_cast<unsigned char>((source >> 24) & 0xFF);
}

DWORD OpenEntryForExtraction(ArchiveHandle* archive, int index) {
  CloseOpenEntry(archive);
  unz_file_info64 info;
  if (!MoveToEntry(archive, index) ||
      unzGetCurrentFileInfo64(archive->zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return kArchiveHeaderError;
  }
  if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) return kArchiveDecompressError;
  const bool encrypted = (info.flag & kEncryptedFlag) != 0;
  if (encrypted && archive->password.empty()) return kArchiveWrongPassword;
  ZPOS64_T data_start = 0;
  if (LocateEntryData(archive->zip, &data_start, nullptr) != kArchiveOk ||
      data_start > archive->cursor.size || info.compressed_size > archive->cursor.size - data_start) {
    return kArchiveHeaderError;
  }
  ZipEntrySource source;
  source.data = archive->cursor.bytes + data_start;
  source.size = static_cast<size_t>(info.compressed_size);
  source.deflated = info.compression_method == Z_DEFLATED;
  source.password = encrypted ? &archive->password : nullptr;
  source.check_byte = PasswordCheckByte(info);
  source.crc = static_cast<uint32_t>(info.crc);
  source.uncompressed_size = info.uncompressed_size;
  const DWORD result = archive->decoder.Open(source);
  if (result == kArchiveOk) archive->open_index = index;
  return result;
}

// minizip reads the end-of-directory record field by field and takes a read cut short by the end
// of the block as zeros, so an archive truncated inside that record would open with invented
// values. The last record signature (the one minizip uses) must therefore be followed by the whole
// record and its comment.
bool HasCompleteEndRecord(const unsigned char* bytes, DWORD size) {
  constexpr DWORD kEndRecordSize = 22;
  constexpr DWORD kMaxCommentSize = 0xFFFF;
  const DWORD lowest = size > kEndRecordSize + kMaxCommentSize ? size - kEndRecordSize - kMaxCommentSize : 0;
  for (DWORD at = size >= 4 ? size - 4 + 1 : 0; at-- > lowest;) {
    if (ReadLittleEndian32(bytes + at) != kEndRecordSignature) continue;
    return size - at >= kEndRecordSize && size - at - kEndRecordSize >= ReadLittleEndian16(bytes + at + 20);
  }
  return false;
}

}  // namespace

ArchiveHandle* OpenArchiveMemory(const void* bytes, DWORD size, const char* password) {
  if (!bytes || !HasCompleteEndRecord(static_cast<const unsigned char*>(bytes), size)) return nullptr;
  auto* archive = new (std::nothrow) ArchiveHandle();
  if (!archive) return nullptr;
  archive->cursor = MemoryCursor{static_cast<const unsigned char*>(bytes), size, 0};
  ClearEntry(&archive->described);
  zlib_filefunc64_def functions = {OpenMemory, ReadMemory,  WriteMemory,     TellMemory,
                                   SeekMemory, CloseMemory, TestMemoryError, &archive->cursor};
  archive->zip = unzOpen2_64(&archive->cursor, &functions);
  unz_global_info64 info;
  if (!archive->zip || unzGetGlobalInfo64(archive->zip, &info) != UNZ_OK || info.number_entry > INT_MAX) {
    CloseArchive(archive);
    return nullptr;
  }
  archive->entry_count = static_cast<int>(info.number_entry);
  archive->current_index = archive->entry_count > 0 ? 0 : -1;
  if (password) archive->password = password;
  return archive;
}

void CloseArchive(ArchiveHandle* archive) {
  if (!archive) return;
  if (archive->zip) unzClose(archive->zip);
  delete archive;  // The decoder's destructor ends an extraction in progress.
}

DWORD FindArchiveEntry(ArchiveHandle* archive, const wchar_t* name, bool ignore_case, int* index,
                       ArchiveEntry* entry) {
  if (index) *index = -1;
  if (entry) ClearEntry(entry);
  if (!archive || !name) return kArchiveBadArgument;

  char wanted[kMaxLookupNameBytes + 1];
  const int converted = WideCharToMultiByte(CP_UTF8, 0, name, -1, wanted, sizeof(wanted), nullptr, nullptr);
  if (converted == 0 || archive->entry_count == 0) return kArchiveEntryNotFound;

  unz64_file_pos saved_position;
  const int saved_index = archive->current_index;
  const bool saved = saved_index >= 0 && unzGetFilePos64(archive->zip, &saved_position) == UNZ_OK;
  const int found = ScanForEntry(archive, wanted, converted - 1, ignore_case);
  if (found < 0) {
    archive->current_index =
        saved && unzGoToFilePos64(archive->zip, &saved_position) == UNZ_OK ? saved_index : -1;
    return kArchiveEntryNotFound;
  }

  CloseOpenEntry(archive);
  if (archive->described.index != found) {
    const DWORD result = DescribeCurrentEntry(archive->zip, found, &archive->described);
    if (result != kArchiveOk) {
      ClearEntry(&archive->described);
      return result;
    }
  }
  if (index) *index = found;
  if (entry) *entry = archive->described;
  return kArchiveOk;
}

DWORD ExtractArchiveEntry(ArchiveHandle* archive, int index, void* buffer, DWORD size) {
  if (!archive || !buffer || size == 0 || index < 0 || index >= archive->entry_count)
    return kArchiveBadArgument;
  if (archive->open_index != index || !archive->decoder.IsOpen()) {
    const DWORD result = OpenEntryForExtraction(archive, index);
    if (result != kArchiveOk) return result;
  }
  const DWORD result = archive->decoder.Read(static_cast<unsigned char*>(buffer), size);
  if (result != kArchiveMoreData) archive->open_index = -1;
  return result;
}

bool IsArchiveEntrySizePlausible(const ArchiveHandle* archive, const ArchiveEntry& entry) {
  if (!archive || entry.compressed_size > archive->cursor.size) return false;
  return entry.uncompressed_size <= static_cast<ZPOS64_T>(entry.compressed_size) * kDeflateMaxExpansion;
}

}  // namespace veneer
