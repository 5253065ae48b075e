#ifndef UI_MARKUP_MARKUP_DOCUMENT_H_
#define UI_MARKUP_MARKUP_DOCUMENT_H_

#include <cstddef>
#include <cstdint>

#include "ui/markup/markup_cursor.h"
#include "ui/markup/markup_encoding.h"

namespace veneer {

// One index record per element. Offsets count characters from the start of the document buffer;
// element indexes count from 1, and 0 in a link means "none".
struct MarkupElement {
  uint32_t start;         // Offset of the element name.
  uint32_t first_child;   // Element index, 0 = none.
  uint32_t next_sibling;  // Element index, 0 = none.
  uint32_t parent;        // Element index, 0 for a top-level element.
  uint32_t data;          // Offset of the text after the start tag's '>', or of the '/' of "/>".
};

// The skin markup parser: a minimal, non-validating reader of the XML subset the skins use
// (elements, double-quoted attributes, the five character entities; comments and processing
// instructions are skipped). The document is held as one wide-character buffer that loading turns,
// in place, into NUL-terminated names, values and texts, plus a flat array of element records; no
// allocation per element or attribute.
//
// Not supported: DTDs, CDATA, namespaces, numeric character references, single-quoted values, text
// after a child element. Nothing is thrown and nothing is shown: a failed load returns false, leaves
// the document empty and keeps a message and the text at the failure position.
//
// The document owns its buffer and element array (one heap block each); nodes (CMarkupCursor) and
// every text they return point into them and are valid until the next load, Clear or destruction.
// One thread at a time.
class CMarkupDocument {
 public:
  // Files and archive entries larger than this are refused.
  static constexpr uint32_t kMaxFileSize = 4u * 1024 * 1024;
  static constexpr int kErrorMessageSize = 100;  // Including the terminator.
  static constexpr int kErrorLocationSize = 50;  // Including the terminator.

  CMarkupDocument();
  // Loads `text` at once, as LoadFromText; the result is seen through RootElement and the errors.
  explicit CMarkupDocument(const wchar_t* text);
  CMarkupDocument(const CMarkupDocument&) = delete;
  CMarkupDocument& operator=(const CMarkupDocument&) = delete;
  ~CMarkupDocument();

  // Every load replaces the previous document (Clear) and, when it fails, ends with Clear. The
  // caller's text, bytes or file name are only read, and need not outlive the call; they may lie in
  // this document's own buffer (a node's value), as the input is read before the old document goes.
  // Besides the parser's and the file messages, a load can fail with "Could not convert document"
  // (null input, UTF-16 without a byte-order mark, bytes the platform cannot convert) or "Out of
  // memory".
  bool LoadFromText(const wchar_t* text);
  bool LoadFromBytes(const void* bytes, size_t byte_count, MarkupEncoding encoding);
  // Reads the named file through the skin source: an entry of the handed-over skin archive
  // (backslashes read as slashes, letter case ignored), or a plain file path when there is none.
  // Files and entries of more than kMaxFileSize bytes are refused; when reading fails, the error
  // location is the file name.
  bool LoadFromSkinFile(const wchar_t* file_name, MarkupEncoding encoding);

  // Frees the buffer and the element records; the last error texts are kept.
  void Clear();

  // Element 1, or an invalid node when the document holds no element.
  CMarkupCursor RootElement() const;

  // The texts of the last failure; both empty after a successful parse.
  const wchar_t* LastErrorMessage() const { return error_message_; }
  const wchar_t* LastErrorLocation() const { return error_location_; }

  // Read access for nodes and inspection. The buffer is null when nothing is loaded. The count
  // includes the reserved record 0 (so it is 1 for a loaded document without elements and 0 when
  // empty); ElementRecord gives null for 0 and for indexes past the count.
  const wchar_t* DocumentBuffer() const { return buffer_; }
  uint32_t ElementCount() const { return element_count_; }
  uint32_t ElementCapacity() const { return element_capacity_; }
  const MarkupElement* ElementRecord(uint32_t index) const;

 private:
  bool TakeBuffer(wchar_t* buffer, size_t length);
  bool Parse();
  bool ParseAttributes(wchar_t*& pos);
  bool ReserveElement(uint32_t* index);
  bool Fail(const wchar_t* message, const wchar_t* location);
  uint32_t OffsetOf(const wchar_t* pos) const { return static_cast<uint32_t>(pos - buffer_); }

  wchar_t* buffer_;          // Owned NUL-terminated heap block (malloc), or null.
  MarkupElement* elements_;  // Owned heap block (malloc) of element_capacity_ records, or null.
  uint32_t element_count_;
  uint32_t element_capacity_;
  wchar_t error_message_[kErrorMessageSize];
  wchar_t error_location_[kErrorLocationSize];
};

}  // namespace veneer

#endif  // UI_MARKUP_MARKUP_DOCUMENT_H_
