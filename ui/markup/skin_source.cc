#include "ui/markup/skin_source.h"

#include <cstring>
#include <exception>
#include <string>

#include "ui/core/win_handles.h"

namespace veneer {
namespace {

constexpr wchar_t kMemoryArchiveName[] = L"membuffer";

struct SkinSourceSettings {
  HINSTANCE app_module = nullptr;  // Not owned: the application's module.
  CUIString archive_name;
  ArchiveHandle* archive = nullptr;  // Owned: opened at hand-over, kept open for the process.
};

SkinSourceSettings& Settings() {
  static SkinSourceSettings settings;
  return settings;
}

// Releases the block instead of keeping its capacity, so a failed read holds no memory.
void DiscardBytes(std::vector<unsigned char>* bytes) { std::vector<unsigned char>().swap(*bytes); }

// Sizes `*bytes` to `size`; false instead of an exception when the memory is not there.
bool AllocateBytes(std::vector<unsigned char>* bytes, size_t size) {
  try {
    bytes->resize(size);
    return true;
  } catch (const std::exception&) {
    DiscardBytes(bytes);
    return false;
  }
}

std::string ToAnsi(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], size, nullptr, nullptr);
  result.resize(static_cast<size_t>(size - 1));
  return result;
}

SkinReadStatus ReadOpenFile(HANDLE file, DWORD max_size, std::vector<unsigned char>* bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) return SkinReadStatus::kShortRead;
  if (size.QuadPart == 0) return SkinReadStatus::kEmpty;
  if (size.QuadPart > max_size) return SkinReadStatus::kTooLarge;
  const DWORD wanted = static_cast<DWORD>(size.QuadPart);
  if (!AllocateBytes(bytes, wanted)) return SkinReadStatus::kTooLarge;
  DWORD read = 0;
  if (!ReadFile(file, bytes->data(), wanted, &read, nullptr) || read != wanted) {
    DiscardBytes(bytes);
    return SkinReadStatus::kShortRead;
  }
  return SkinReadStatus::kRead;
}

}  // namespace

void SetAppModule(HINSTANCE module) { Settings().app_module = module; }

HINSTANCE GetAppModule() { return Settings().app_module; }

HINSTANCE GetSkinResourceModule() { return Settings().app_module; }

void SetSkinArchiveMemory(const void* bytes, DWORD size, const wchar_t* password) {
  SkinSourceSettings& settings = Settings();
  if (settings.archive_name == kMemoryArchiveName) return;
  settings.archive_name = kMemoryArchiveName;
  const std::string ansi_password = password ? ToAnsi(password) : std::string();
  settings.archive = OpenArchiveMemory(bytes, size, ansi_password.empty() ? nullptr : ansi_password.c_str());
}

const CUIString& GetSkinArchiveName() { return Settings().archive_name; }

ArchiveHandle* GetCachedSkinArchive() { return Settings().archive; }

void ResetSkinSourceForTests() {
  SkinSourceSettings& settings = Settings();
  CloseArchive(settings.archive);
  settings = SkinSourceSettings();
}

SkinReadStatus ReadSkinDiskFile(const wchar_t* path, DWORD max_size, std::vector<unsigned char>* bytes) {
  DiscardBytes(bytes);
  if (!path) return SkinReadStatus::kCannotOpen;
  const ScopedFileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return SkinReadStatus::kCannotOpen;
  return ReadOpenFile(file.get(), max_size, bytes);
}

SkinReadStatus ReadSkinArchiveFile(ArchiveHandle* archive, const wchar_t* name, DWORD max_size,
                                   std::vector<unsigned char>* bytes) {
  DiscardBytes(bytes);
  if (!archive) return SkinReadStatus::kNoArchive;
  if (!name) return SkinReadStatus::kEntryNotFound;
  CUIString entry_name(name);
  entry_name.Replace(L"\\", L"/");
  ArchiveEntry entry;
  int index = -1;
  const DWORD found = FindArchiveEntry(archive, entry_name, true, &index, &entry);
  if (found == kArchiveEntryNotFound) return SkinReadStatus::kEntryNotFound;
  if (found != kArchiveOk) return SkinReadStatus::kExtractFailed;
  if (entry.uncompressed_size == 0) return SkinReadStatus::kEmpty;
  if (entry.uncompressed_size > max_size) return SkinReadStatus::kTooLarge;
  if (!IsArchiveEntrySizePlausible(archive, entry)) return SkinReadStatus::kExtractFailed;
  if (!AllocateBytes(bytes, entry.uncompressed_size)) return SkinReadStatus::kTooLarge;
  const DWORD result = ExtractArchiveEntry(archive, index, bytes->data(), entry.uncompressed_size);
  if (result != kArchiveOk && result != kArchiveMoreData) {
    DiscardBytes(bytes);
    return SkinReadStatus::kExtractFailed;
  }
  return SkinReadStatus::kRead;
}

bool ReadSkinFile(const wchar_t* name, bool fallback, std::vector<unsigned char>* bytes) {
  if (GetSkinArchiveName().IsEmpty()) return ReadSkinDiskFile(name, MAXDWORD, bytes) == SkinReadStatus::kRead;
  if (ReadSkinArchiveFile(GetCachedSkinArchive(), name, MAXDWORD, bytes) == SkinReadStatus::kRead)
    return true;
  return fallback && ReadSkinDiskFile(name, MAXDWORD, bytes) == SkinReadStatus::kRead;
}

bool ReadSkinResource(HINSTANCE module, const wchar_t* name_or_id, const wchar_t* type,
                      std::vector<unsigned char>* bytes) {
  DiscardBytes(bytes);
  if (!name_or_id || !type) return false;
  if (!module) module = GetSkinResourceModule();
  HRSRC info = FindResourceW(module, name_or_id, type);
  const ScopedHandle<HGLOBAL, &FreeResource> resource(info ? LoadResource(module, info) : nullptr);
  if (!resource) return false;
  const DWORD size = SizeofResource(module, info);
  const void* data = LockResource(resource.get());
  const bool copied = data && size != 0 && AllocateBytes(bytes, size);
  if (copied) std::memcpy(bytes->data(), data, size);
  return copied;
}

}  // namespace veneer
