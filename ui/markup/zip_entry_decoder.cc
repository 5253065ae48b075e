#include "ui/markup/zip_entry_decoder.h"

#include <climits>
#include <cstring>

#include "ui/markup/zip_archive.h"

namespace veneer {
namespace {

constexpr size_t kEncryptionHeaderSize = 12;

DWORD Smaller(uint64_t a, DWORD b) { return a < b ? static_cast<DWORD>(a) : b; }

}  // namespace

DWORD ZipEntryDecoder::Open(const ZipEntrySource& source) {
  Close();
  source_ = source;
  input_ = source.data;
  input_left_ = source.size;
  crc_ = 0;
  produced_ = 0;
  if (source.password) {
    if (input_left_ < kEncryptionHeaderSize) return kArchiveDecompressError;
    InitKeys(*source.password);
    unsigned char check = 0;
    for (size_t i = 0; i < kEncryptionHeaderSize; ++i) check = DecryptByte(input_[i]);
    if (check != source.check_byte) return kArchiveWrongPassword;
    input_ += kEncryptionHeaderSize;
    input_left_ -= kEncryptionHeaderSize;
  }
  if (source.deflated) {
    stream_ = z_stream{};
    if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) return kArchiveDecompressError;
    stream_ready_ = true;
  }
  open_ = true;
  return kArchiveOk;
}

DWORD ZipEntryDecoder::Read(unsigned char* buffer, DWORD size) {
  DWORD filled = 0;
  while (filled < size && produced_ < source_.uncompressed_size) {
    const DWORD room = Smaller(source_.uncompressed_size - produced_, size - filled);
    DWORD produced = 0;
    const Step step = DecodeSome(buffer + filled, room, &produced);
    crc_ = crc32(crc_, buffer + filled, produced);
    filled += produced;
    produced_ += produced;
    if (step == Step::kError) return Failure();
    if (step == Step::kStuck) break;
  }
  if (produced_ == source_.uncompressed_size) return Finish();
  if (filled == size) return kArchiveMoreData;
  return Failure();  // The stored data ran out before the stated size.
}

void ZipEntryDecoder::Close() {
  if (stream_ready_) inflateEnd(&stream_);
  stream_ready_ = false;
  open_ = false;
}

ZipEntryDecoder::Step ZipEntryDecoder::DecodeSome(unsigned char* out, DWORD room, DWORD* produced) {
  return source_.deflated ? InflateSome(out, room, produced) : CopyStored(out, room, produced);
}

ZipEntryDecoder::Step ZipEntryDecoder::CopyStored(unsigned char* out, DWORD room, DWORD* produced) {
  const DWORD count = Smaller(input_left_, room);
  if (count == 0) return Step::kStuck;
  if (source_.password) {
    for (DWORD i = 0; i < count; ++i) out[i] = DecryptByte(input_[i]);
  } else {
    std::memcpy(out, input_, count);
  }
  input_ += count;
  input_left_ -= count;
  *produced = count;
  return Step::kProgress;
}

ZipEntryDecoder::Step ZipEntryDecoder::InflateSome(unsigned char* out, DWORD room, DWORD* produced) {
  if (stream_.avail_in == 0) RefillInflateInput();
  const uInt input_before = stream_.avail_in;
  stream_.next_out = out;
  stream_.avail_out = room;
  const int result = inflate(&stream_, Z_NO_FLUSH);
  *produced = room - stream_.avail_out;
  if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return Step::kError;
  const bool moved = *produced != 0 || stream_.avail_in != input_before;
  return moved ? Step::kProgress : Step::kStuck;
}

void ZipEntryDecoder::RefillInflateInput() {
  if (input_left_ == 0) return;
  if (source_.password) {
    const size_t count = input_left_ < sizeof(scratch_) ? input_left_ : sizeof(scratch_);
    for (size_t i = 0; i < count; ++i) scratch_[i] = DecryptByte(input_[i]);
    stream_.next_in = scratch_;
    stream_.avail_in = static_cast<uInt>(count);
  } else {
    // Plain input is inflated straight from the archive block (zlib does not write to it).
    stream_.next_in = const_cast<unsigned char*>(input_);
    stream_.avail_in = input_left_ < UINT_MAX ? static_cast<uInt>(input_left_) : UINT_MAX;
  }
  input_ += stream_.avail_in;
  input_left_ -= stream_.avail_in;
}

DWORD ZipEntryDecoder::Finish() {
  if (crc_ != source_.crc) return Failure();
  Close();
  return kArchiveOk;
}

DWORD ZipEntryDecoder::Failure() {
  Close();
  return source_.password ? kArchiveWrongPassword : kArchiveDecompressError;
}

void ZipEntryDecoder::InitKeys(const std::string& password) {
  keys_ = CipherKeys{{305419896u, 591751049u, 878082192u}};
  for (char ch : password) UpdateKeys(static_cast<unsigned char>(ch));
}

void ZipEntryDecoder::UpdateKeys(unsigned char plain) {
  const z_crc_t* table = get_crc_table();
  keys_.keys[0] = table[(keys_.keys[0] ^ plain) & 0xFF] ^ (keys_.keys[0] >> 8);
  keys_.keys[1] = (keys_.keys[1] + (keys_.keys[0] & 0xFF)) * 134775813u + 1;
  keys_.keys[2] = table[(keys_.keys[2] ^ (keys_.keys[1] >> 24)) & 0xFF] ^ (keys_.keys[2] >> 8);
}

unsigned char ZipEntryDecoder::DecryptByte(unsigned char cipher_byte) {
  const uint32_t temp = (keys_.keys[2] & 0xFFFF) | 2;
  const unsigned char plain = cipher_byte ^ static_cast<unsigned char>(((temp * (temp ^ 1)) >> 8) & 0xFF);
  UpdateKeys(plain);
  return plain;
}

}  // namespace veneer
