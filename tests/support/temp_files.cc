#include "tests/support/temp_files.h"

#include <windows.h>

#include "ui/core/win_handles.h"

namespace veneer::test {

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  return length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

std::wstring TempPath(const std::wstring& name) { return TempFolder() + name; }

std::wstring UniqueTempPath(const wchar_t* prefix) {
  wchar_t path[MAX_PATH];
  if (GetTempFileNameW(TempFolder().c_str(), prefix, 0, path) == 0) return std::wstring();
  return path;
}

bool WriteFileBytes(const std::wstring& path, const void* data, size_t size) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      size == 0 || (WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size);
  return CloseHandle(file) && ok;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  return WriteFileBytes(path, bytes.data(), bytes.size());
}

bool WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  return WriteFileBytes(path, bytes.data(), bytes.size());
}

std::string ReadFileBytes(const std::wstring& path) {
  const ScopedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return std::string();
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

TempFile::TempFile(const std::wstring& name, const std::string& contents) : path_(TempPath(name)) {
  WriteFileBytes(path_, contents);
}

TempFile::TempFile(const std::wstring& name, const std::vector<unsigned char>& contents)
    : path_(TempPath(name)) {
  WriteFileBytes(path_, contents);
}

TempFile::TempFile(const std::string& contents) : path_(UniqueTempPath(L"vnr")) {
  WriteFileBytes(path_, contents);
}

TempFile::~TempFile() { DeleteFileW(path_.c_str()); }

}  // namespace veneer::test
