#ifndef UI_MARKUP_SKIN_SOURCE_H_
#define UI_MARKUP_SKIN_SOURCE_H_

#include <windows.h>

#include <vector>

#include "ui/core/ui_string.h"
#include "ui/markup/zip_archive.h"

namespace veneer {

// The process-wide skin source: where skin files (markup, images, fonts) are read from. Either a
// ZIP archive handed over in memory (archive mode, selected by the archive name "membuffer") or
// plain file paths (folder mode), plus module resources given by id and type. It does not watch
// files, cache file contents or re-open archives. The settings and the cached archive belong to the
// process: written once at start-up on the UI thread, read afterwards from the UI thread only; the
// cached archive stays open until the process ends.

// The application's module; skin resources given by id and type are searched in it.
void SetAppModule(HINSTANCE module);
HINSTANCE GetAppModule();
HINSTANCE GetSkinResourceModule();

// Hands over a ZIP archive in memory. Only the first hand-over counts; later ones are ignored. The
// block is not copied: it must stay valid for the rest of the process (module resource data does).
// `password` may be null. A block that is not a readable archive still selects archive mode, with
// no cached archive: reads in archive mode then find nothing.
void SetSkinArchiveMemory(const void* bytes, DWORD size, const wchar_t* password);

// Empty, or "membuffer" once an archive has been handed over.
const CUIString& GetSkinArchiveName();
// The archive opened at hand-over, or null. Owned by the skin source.
ArchiveHandle* GetCachedSkinArchive();

// For tests only: closes the cached archive and clears every setting, so that one test program can
// hand over several archives in turn.
void ResetSkinSourceForTests();

// How one reading step ended; the markup loader turns each failure into its own message.
enum class SkinReadStatus {
  kRead,           // The bytes were delivered.
  kCannotOpen,     // The file cannot be opened.
  kEmpty,          // The file or entry has size 0.
  kTooLarge,       // Larger than the caller's limit, or no memory for it.
  kShortRead,      // Fewer bytes arrived from the file than its size.
  kNoArchive,      // Archive mode without a readable archive.
  kEntryNotFound,  // No entry of that name (backslashes count as slashes, ASCII case ignored).
  kExtractFailed,  // Extraction gave a result other than kArchiveOk / kArchiveMoreData, or the
                   // entry's stated size cannot be real.
};

// Reads the whole file at `path` (read access, shared read, existing files only) into `*bytes`,
// which is cleared first and filled only on kRead. Files above `max_size` bytes give kTooLarge.
SkinReadStatus ReadSkinDiskFile(const wchar_t* path, DWORD max_size, std::vector<unsigned char>* bytes);

// Reads entry `name` of `archive` (null gives kNoArchive) into `*bytes`, a block of exactly the
// entry's uncompressed size, cleared first and filled only on kRead. Entries above `max_size` bytes
// give kTooLarge. The archive stays open.
SkinReadStatus ReadSkinArchiveFile(ArchiveHandle* archive, const wchar_t* name, DWORD max_size,
                                   std::vector<unsigned char>* bytes);

// The shared byte reader of images and fonts. Archive mode reads the entry from the cached archive,
// folder mode reads `name` as a file path; with `fallback`, a name that archive mode could not
// deliver is then read as a plain file path. True with the bytes in `*bytes`; false with `*bytes`
// empty when nothing was read (missing, empty, unreadable or damaged).
bool ReadSkinFile(const wchar_t* name, bool fallback, std::vector<unsigned char>* bytes);

// Copies resource `name_or_id` (a name or MAKEINTRESOURCEW id) of `type` from `module` (null: the
// skin resource module) into `*bytes`. True with the bytes; false with `*bytes` empty when the
// resource is missing or has size 0.
bool ReadSkinResource(HINSTANCE module, const wchar_t* name_or_id, const wchar_t* type,
                      std::vector<unsigned char>* bytes);

}  // namespace veneer

#endif  // UI_MARKUP_SKIN_SOURCE_H_
