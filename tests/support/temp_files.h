#ifndef TESTS_SUPPORT_TEMP_FILES_H_
#define TESTS_SUPPORT_TEMP_FILES_H_

#include <string>
#include <vector>

namespace veneer::test {

// The temporary folder, ending in a backslash.
std::wstring TempFolder();
// `name` inside the temporary folder.
std::wstring TempPath(const std::wstring& name);
// A fresh file name in the temporary folder, starting with up to three characters of `prefix`; the
// file is created empty, so the name stays unique until the caller deletes it. "" on failure.
std::wstring UniqueTempPath(const wchar_t* prefix);

// Creates or replaces the file with exactly these bytes; false when it cannot be written completely.
bool WriteFileBytes(const std::wstring& path, const void* data, size_t size);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
// The whole file; "" when it is missing, empty or unreadable.
std::string ReadFileBytes(const std::wstring& path);

// A file in the temporary folder holding the given bytes, deleted with this object. Either under a
// fixed name (tests that need to know it) or under a fresh unique one. Does not check that writing
// succeeded: tests see a bad file through what they read from it.
class TempFile {
 public:
  TempFile(const std::wstring& name, const std::string& contents);
  TempFile(const std::wstring& name, const std::vector<unsigned char>& contents);
  explicit TempFile(const std::string& contents);
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile();

  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_TEMP_FILES_H_
