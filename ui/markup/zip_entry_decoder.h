#ifndef UI_MARKUP_ZIP_ENTRY_DECODER_H_
#define UI_MARKUP_ZIP_ENTRY_DECODER_H_

#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <string>

namespace veneer {

// Where one archive entry's stored bytes are and what they must turn into.
struct ZipEntrySource {
  const unsigned char* data;    // Not owned: the entry's bytes inside the archive block.
  size_t size;                  // Stored (compressed, and for encrypted entries encrypted) size.
  bool deflated;                // Otherwise stored as is.
  const std::string* password;  // Not owned; null when the entry is not encrypted.
  unsigned char check_byte;     // Encrypted entries: the last byte of the decrypted header.
  uint32_t crc;
  uint64_t uncompressed_size;
};

// Turns one entry's stored bytes into its data, piece by piece into caller buffers: traditional
// ZIP decryption, then inflate or a plain copy, checking size and CRC when the data ends. It reads
// the archive block in place (only encrypted input passes through a small scratch buffer) and never
// past the source's range. It does not read the archive's directory or headers: the archive layer
// locates the entry. Owned by an archive handle; one entry at a time, one thread at a time.
class ZipEntryDecoder {
 public:
  ZipEntryDecoder() = default;
  ZipEntryDecoder(const ZipEntryDecoder&) = delete;
  ZipEntryDecoder& operator=(const ZipEntryDecoder&) = delete;
  ~ZipEntryDecoder() { Close(); }

  // Starts decoding `source`, whose data must stay valid until Close. Returns kArchiveOk,
  // kArchiveWrongPassword (the header does not decrypt to the check byte) or
  // kArchiveDecompressError; only kArchiveOk leaves the decoder open.
  DWORD Open(const ZipEntrySource& source);

  // Fills `buffer` with the next data. kArchiveOk: the data ended with the stated size and CRC;
  // kArchiveMoreData: the buffer is full and data remains; kArchiveDecompressError: damaged or
  // short data (kArchiveWrongPassword instead for encrypted entries, whose damage almost always
  // means a password that passed the header check by chance). Every result but kArchiveMoreData
  // closes the decoder.
  DWORD Read(unsigned char* buffer, DWORD size);

  void Close();
  bool IsOpen() const { return open_; }

 private:
  // Traditional PKWARE stream cipher state.
  struct CipherKeys {
    uint32_t keys[3];
  };

  enum class Step { kProgress, kStuck, kError };

  Step DecodeSome(unsigned char* out, DWORD room, DWORD* produced);
  Step CopyStored(unsigned char* out, DWORD room, DWORD* produced);
  Step InflateSome(unsigned char* out, DWORD room, DWORD* produced);
  void RefillInflateInput();
  DWORD Finish();
  DWORD Failure();

  void InitKeys(const std::string& password);
  void UpdateKeys(unsigned char plain);
  unsigned char DecryptByte(unsigned char cipher_byte);

  bool open_ = false;
  ZipEntrySource source_ = {};
  const unsigned char* input_ = nullptr;  // Not owned: next unread stored byte in the block.
  size_t input_left_ = 0;
  CipherKeys keys_ = {};
  z_stream stream_ = {};
  bool stream_ready_ = false;  // inflateInit2 succeeded; inflateEnd pending.
  uint32_t crc_ = 0;
  uint64_t produced_ = 0;
  unsigned char scratch_[4096];  // Decrypted input for inflate.
};

}  // namespace veneer

#endif  // UI_MARKUP_ZIP_ENTRY_DECODER_H_
