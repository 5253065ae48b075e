#include "ui/markup/markup_encoding.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace veneer {
namespace {

// Converts with the platform into `out`, which has room for `byte_count` characters (a byte never
// yields more than one UTF-16 code unit). Returns the number of characters, or -1.
int ConvertWithPlatform(UINT code_page, const unsigned char* bytes, size_t byte_count, wchar_t* out) {
  if (byte_count == 0) return 0;
  int converted = MultiByteToWideChar(code_page, 0, reinterpret_cast<const char*>(bytes),
                                      static_cast<int>(byte_count), out, static_cast<int>(byte_count));
  return converted > 0 ? converted : -1;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one well-formed UTF-8 sequence of two to four bytes (no overlong forms, no surrogates,
// nothing above U+10FFFF) into one or two code units. Returns the bytes used, or 0 when the sequence
// is malformed or cut short by the end.
int DecodeUtf8Sequence(const unsigned char* bytes, size_t available, wchar_t* out, int* units) {
  unsigned char lead = bytes[0];
  if (lead >= 0xC2 && lead <= 0xDF) {
    if (available < 2 || !IsContinuation(bytes[1])) return 0;
    out[0] = static_cast<wchar_t>(((lead & 0x1F) << 6) | (bytes[1] & 0x3F));
    *units = 1;
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (available < 3 || !IsContinuation(bytes[1]) || !IsContinuation(bytes[2])) return 0;
    if ((lead == 0xE0 && bytes[1] < 0xA0) || (lead == 0xED && bytes[1] > 0x9F)) return 0;
    out[0] = static_cast<wchar_t>(((lead & 0x0F) << 12) | ((bytes[1] & 0x3F) << 6) | (bytes[2] & 0x3F));
    *units = 1;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (available < 4 || !IsContinuation(bytes[1]) || !IsContinuation(bytes[2]) ||
        !IsContinuation(bytes[3])) {
      return 0;
    }
    if ((lead == 0xF0 && bytes[1] < 0x90) || (lead == 0xF4 && bytes[1] > 0x8F)) return 0;
    uint32_t code_point =
        ((lead & 0x07u) << 18) | ((bytes[1] & 0x3Fu) << 12) | ((bytes[2] & 0x3Fu) << 6) | (bytes[3] & 0x3Fu);
    code_point -= 0x10000;
    out[0] = static_cast<wchar_t>(0xD800 + (code_point >> 10));
    out[1] = static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF));
    *units = 2;
    return 4;
  }
  return 0;
}

// Decodes a run of bytes from 0x80 up into `out`. Well-formed sequences have exactly one decoding;
// a run holding anything malformed goes to the platform as a whole, which decides how it is
// replaced. Returns the number of characters, or -1.
int ConvertUtf8Run(const unsigned char* bytes, size_t byte_count, wchar_t* out) {
  size_t in = 0;
  int written = 0;
  while (in < byte_count) {
    int units = 0;
    int used = DecodeUtf8Sequence(bytes + in, byte_count - in, out + written, &units);
    if (used == 0) return ConvertWithPlatform(CP_UTF8, bytes, byte_count, out);
    in += static_cast<size_t>(used);
    written += units;
  }
  return written;
}

// UTF-8 never uses a byte below 0x80 inside a multi-byte sequence, so the text can be cut at ASCII
// bytes without changing the result: ASCII runs (most of a skin) are widened eight bytes at a time
// where possible, and each run of other bytes is decoded on its own. The result equals the
// platform's conversion of the whole text.
int ConvertUtf8(const unsigned char* bytes, size_t byte_count, wchar_t* out) {
  size_t in = 0;
  size_t written = 0;
  while (in < byte_count) {
    for (uint64_t word; in + 8 <= byte_count; in += 8, written += 8) {
      memcpy(&word, bytes + in, 8);
      if (word & 0x8080808080808080ull) break;
      for (int i = 0; i < 8; ++i) out[written + i] = bytes[in + i];
    }
    for (; in < byte_count && bytes[in] < 0x80; ++in) out[written++] = bytes[in];
    size_t run = in;
    while (in < byte_count && bytes[in] >= 0x80) ++in;
    if (in == run) continue;
    int converted = ConvertUtf8Run(bytes + run, in - run, out + written);
    if (converted < 0) return -1;
    written += static_cast<size_t>(converted);
  }
  return static_cast<int>(written);
}

// Converts UTF-8 or ANSI bytes into a fresh buffer of byte_count + 1 characters, so that one
// conversion pass suffices. Null when the conversion fails or memory runs out.
wchar_t* ConvertMultiByte(UINT code_page, const unsigned char* bytes, size_t byte_count, size_t* length) {
  if (byte_count > 0x7FFFFFFE) return nullptr;
  wchar_t* buffer = static_cast<wchar_t*>(malloc((byte_count + 1) * sizeof(wchar_t)));
  if (!buffer) return nullptr;
  int converted = code_page == CP_UTF8 ? ConvertUtf8(bytes, byte_count, buffer)
                                       : ConvertWithPlatform(code_page, bytes, byte_count, buffer);
  if (converted < 0) {
    free(buffer);
    return nullptr;
  }
  buffer[converted] = L'\0';
  *length = static_cast<size_t>(converted);
  return buffer;
}

// UTF-16 after a byte-order mark, into a fresh buffer of byte_count / 2 units whose last unit is the
// terminator; a trailing odd byte is ignored. The caller's bytes are never modified. Null without
// a mark or when memory runs out.
wchar_t* ConvertUtf16(const unsigned char* bytes, size_t byte_count, size_t* length) {
  if (byte_count < 2) return nullptr;
  bool big_endian = bytes[0] == 0xFE && bytes[1] == 0xFF;
  if (!big_endian && !(bytes[0] == 0xFF && bytes[1] == 0xFE)) return nullptr;
  size_t units = byte_count / 2 - 1;
  wchar_t* buffer = static_cast<wchar_t*>(malloc((units + 1) * sizeof(wchar_t)));
  if (!buffer) return nullptr;
  const unsigned char* source = bytes + 2;
  int high = big_endian ? 0 : 1;
  for (size_t i = 0; i < units; ++i, source += 2) {
    buffer[i] = static_cast<wchar_t>((source[high] << 8) | source[1 - high]);
  }
  buffer[units] = L'\0';
  *length = units;
  return buffer;
}

}  // namespace

wchar_t* ConvertMarkupBytes(const void* bytes, size_t byte_count, MarkupEncoding encoding, size_t* length) {
  if (!bytes && byte_count > 0) return nullptr;
  const unsigned char* data = static_cast<const unsigned char*>(bytes);
  switch (encoding) {
    case MarkupEncoding::Utf8:
      if (byte_count > 2 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        data += 3;
        byte_count -= 3;
      }
      return ConvertMultiByte(CP_UTF8, data, byte_count, length);
    case MarkupEncoding::Ansi:
      return ConvertMultiByte(CP_ACP, data, byte_count, length);
    case MarkupEncoding::Utf16:
      return ConvertUtf16(data, byte_count, length);
  }
  return nullptr;
}

}  // namespace veneer
