#ifndef UI_MARKUP_ZIP_ARCHIVE_H_
#define UI_MARKUP_ZIP_ARCHIVE_H_

#include <windows.h>

namespace veneer {

// Read access to a ZIP archive held in memory, on top of minizip: entries are looked up by name
// and extracted into caller buffers. It does not write archives, does not copy the memory block and
// does not cache directory contents beyond the last described entry. An archive handle belongs to
// whoever opened it and is freed with CloseArchive; it keeps one current position and at most one
// entry open for extraction, so one thread at a time.
struct ArchiveHandle;

// Result codes of the archive functions.
constexpr DWORD kArchiveOk = 0;
constexpr DWORD kArchiveEntryNotFound = 0x500;
constexpr DWORD kArchiveMoreData = 0x600;  // The caller's buffer filled before the entry ended.
constexpr DWORD kArchiveHeaderError = 0x700;
constexpr DWORD kArchiveExtraFieldError = 0x800;
constexpr DWORD kArchiveWrongPassword = 0x1000;
constexpr DWORD kArchiveBadArgument = 0x10000;
constexpr DWORD kArchiveDecompressError = 0x5000000;

constexpr int kArchiveEntryNameLength = 260;

// What FindArchiveEntry tells about one entry. Times are UTC.
struct ArchiveEntry {
  int index;                              // Position in the central directory; -1 for none.
  wchar_t name[kArchiveEntryNameLength];  // Stored name, cleaned of drive, root and "..", NUL-ended.
  DWORD attributes;                       // FILE_ATTRIBUTE_* bits.
  FILETIME last_access_time;
  FILETIME creation_time;
  FILETIME last_write_time;
  DWORD compressed_size;  // Sizes beyond 32 bits read as 0xFFFFFFFF.
  DWORD uncompressed_size;
};

// Opens the archive in `bytes[0, size)` without copying it: the block must stay valid and unchanged
// until CloseArchive. `password` (ANSI text, may be null or empty for none) is copied and used for
// encrypted entries. Null when the block is not a readable archive.
ArchiveHandle* OpenArchiveMemory(const void* bytes, DWORD size, const char* password);

// Frees the handle and everything it owns; the memory block stays with its owner. Null is allowed.
void CloseArchive(ArchiveHandle* archive);

// Looks `name` up among the stored entry names (compared as UTF-8; with `ignore_case` the ASCII
// letters fold, other bytes compare exactly); names of 256 UTF-8 bytes or more are never found.
// kArchiveOk: the entry becomes the current one (an entry open for extraction is closed) and
// `*index` / `*entry` describe it. kArchiveEntryNotFound: `*index` is -1 and `*entry` is zeroed with
// index -1. kArchiveHeaderError / kArchiveExtraFieldError: the entry exists but its local header or
// extra field cannot be read; outputs as for not found. kArchiveBadArgument: null archive or name.
// `index` and `entry` may be null.
DWORD FindArchiveEntry(ArchiveHandle* archive, const wchar_t* name, bool ignore_case, int* index,
                       ArchiveEntry* entry);

// Extracts entry `index` into `buffer[0, size)`, continuing where the previous call on the same
// entry stopped (another index, or a lookup that finds an entry, starts over). kArchiveOk: the entry
// ended and its data checked out (stated size and CRC); kArchiveMoreData: the buffer is full and
// the entry goes on; kArchiveWrongPassword: the entry is encrypted and the archive has no password,
// or its password fails the header check or yields damaged data; kArchiveDecompressError: damaged
// data, a compression method other than stored or deflated, or an entry shorter than its stated
// size; kArchiveHeaderError: its local header is unreadable or its data lies outside the block;
// kArchiveBadArgument: null archive or buffer, zero size, index out of range. After any result but
// kArchiveMoreData the entry is closed again. Traditional ZIP encryption is supported.
DWORD ExtractArchiveEntry(ArchiveHandle* archive, int index, void* buffer, DWORD size);

// True when an entry of this archive could really hold `entry.uncompressed_size` bytes: the
// compressed data fits inside the archive block and expands at most as far as deflate can (1032
// bytes per compressed byte). Callers check it before allocating a block of the stated size, so a
// forged size cannot make them allocate gigabytes.
bool IsArchiveEntrySizePlausible(const ArchiveHandle* archive, const ArchiveEntry& entry);

}  // namespace veneer

#endif  // UI_MARKUP_ZIP_ARCHIVE_H_
