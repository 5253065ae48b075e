#ifndef TESTS_MARKUP_TEST_ARCHIVE_H_
#define TESTS_MARKUP_TEST_ARCHIVE_H_

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace veneer::test {

// One entry of an archive that a test builds.
struct TestArchiveEntry {
  TestArchiveEntry(std::string entry_name, std::string entry_data, bool deflated = true)
      : name(std::move(entry_name)), data(std::move(entry_data)), deflate(deflated) {}

  std::string name;  // Stored as given (UTF-8 bytes).
  std::string data;
  bool deflate = true;
  const char* password = nullptr;  // Traditional encryption when not null.
  unsigned version_made_by = 0;    // Host system in the high byte.
  unsigned long external_attributes = 0;
  std::string local_extra;                                                    // Raw local extra field blocks.
  int year = 2020, month = 2, day = 29, hour = 13, minute = 45, second = 58;  // Local DOS time.
};

// Writes the entries with minizip's zip writer and returns the archive bytes (empty on failure).
std::vector<unsigned char> BuildTestArchive(const std::vector<TestArchiveEntry>& entries);

// Offset of the first occurrence of `signature` (a 4-byte ZIP record signature) at or after `from`,
// or npos; tests use it to forge header fields.
size_t FindZipRecord(const std::vector<unsigned char>& archive, unsigned signature, size_t from = 0);
void WriteLittleEndian16(std::vector<unsigned char>* bytes, size_t offset, unsigned value);
void WriteLittleEndian32(std::vector<unsigned char>* bytes, size_t offset, unsigned long value);
// Rewrites the uncompressed size that the local and the central header of entry `index` (in the
// order written) state; false when the archive has no such entry.
bool ForgeUncompressedSize(std::vector<unsigned char>* archive, int index, unsigned long size);

// A copy of some bytes placed so that they end exactly where an inaccessible page begins: any read
// past the end faults at once instead of going unnoticed. Owns its pages.
class GuardedBlock {
 public:
  explicit GuardedBlock(const std::vector<unsigned char>& bytes);
  GuardedBlock(const unsigned char* bytes, size_t size);
  GuardedBlock(const GuardedBlock&) = delete;
  GuardedBlock& operator=(const GuardedBlock&) = delete;
  ~GuardedBlock();

  const unsigned char* data() const { return data_; }
  DWORD size() const { return static_cast<DWORD>(size_); }

 private:
  void* region_;               // Owned: the readable pages plus the guard page.
  const unsigned char* data_;  // Inside region_.
  size_t size_;
};

}  // namespace veneer::test

#endif  // TESTS_MARKUP_TEST_ARCHIVE_H_
