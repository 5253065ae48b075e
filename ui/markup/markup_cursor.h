#ifndef UI_MARKUP_MARKUP_CURSOR_H_
#define UI_MARKUP_MARKUP_CURSOR_H_

#include <cstdint>

namespace veneer {

class CMarkupDocument;

// A node of a loaded markup document: an element index plus a table of the element's attribute
// offsets, read on the first attribute query and kept in the node, so that reading attributes never
// allocates. A plain value, copied freely.
//
// It does not own or keep the document alive: a node is valid while its CMarkupDocument lives and
// is not cleared or reloaded; after that it dangles. Every text it returns points into the
// document's buffer and has the same lifetime. Attributes past the 64th of an element are not
// visible through a node. One thread at a time, like its document.
class CMarkupCursor {
 public:
  static constexpr int kMaxAttributes = 64;

  CMarkupCursor();  // An invalid node.
  CMarkupCursor(const CMarkupDocument* document, uint32_t element);

  bool IsValid() const { return document_ != nullptr; }
  // Null for an invalid node.
  const wchar_t* ElementName() const;

  // An invalid node when there is none.
  CMarkupCursor FirstChild() const;
  CMarkupCursor NextSibling() const;
  bool HasChildElements() const;

  // False and 0 on an invalid node.
  bool HasAttributeList() const;
  int AttributeCount() const;
  // The empty text for an index outside 0..count-1; null on an invalid node.
  const wchar_t* AttributeNameAt(int index) const;
  const wchar_t* AttributeValueAt(int index) const;
  // Finds the first attribute named `name` (ignoring case) and copies at most `maximum` characters
  // of its value to `buffer`, terminating the copy only when the value is shorter than `maximum`:
  // callers pass a zero-filled buffer of maximum + 1 characters. True when the attribute exists.
  bool CopyAttributeValue(const wchar_t* name, wchar_t* buffer, int maximum) const;

 private:
  struct AttributeOffsets {
    uint32_t name;  // Buffer offsets, in characters.
    uint32_t value;
  };

  void ReadAttributes() const;
  const wchar_t* TextAt(uint32_t offset) const;

  uint32_t element_;
  // The attribute table is a cache filled by the const queries; 0 also means "not read yet".
  mutable uint32_t attribute_count_;
  mutable AttributeOffsets attributes_[kMaxAttributes];
  const CMarkupDocument* document_;  // Not owned; null for an invalid node.
};

}  // namespace veneer

#endif  // UI_MARKUP_MARKUP_CURSOR_H_
