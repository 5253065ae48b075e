#ifndef UI_MARKUP_MARKUP_ENCODING_H_
#define UI_MARKUP_MARKUP_ENCODING_H_

#include <cstddef>

namespace veneer {

// How markup bytes are encoded. The encoding named in an XML declaration is ignored: the caller
// decides.
enum class MarkupEncoding : int {
  Utf8 = 0,   // With or without the EF BB BF mark.
  Utf16 = 1,  // Requires a byte-order mark: FF FE (little-endian) or FE FF (big-endian).
  Ansi = 2,   // The system's ANSI code page.
};

// Converts markup bytes into the one wide buffer the parser works on: a fresh NUL-terminated block
// from malloc that the caller owns and frees with free(). `*length` receives the characters before
// the terminator. The bytes are only read (big-endian UTF-16 is swapped while copying).
//
// UTF-8 and ANSI give the platform's conversion (MultiByteToWideChar, no flags, malformed input
// replaced as it does); the block holds byte_count + 1 characters, so no sizing pass is needed.
// UTF-16 copies the code units after the mark into byte_count / 2 units, the last of which is the
// terminator (a trailing odd byte is ignored). Null when UTF-16 has no mark, when the bytes are null
// with a non-zero count, when the platform cannot convert, or when memory runs out.
wchar_t* ConvertMarkupBytes(const void* bytes, size_t byte_count, MarkupEncoding encoding, size_t* length);

}  // namespace veneer

#endif  // UI_MARKUP_MARKUP_ENCODING_H_
