#include "ui/markup/markup_cursor.h"

#include <cwchar>

#include "ui/core/ui_string.h"
#include "ui/markup/markup_document.h"
#include "ui/markup/markup_text.h"

namespace veneer {
namespace {

bool NamesEqualNoCase(const wchar_t* left, const wchar_t* right) {
  for (; *left != L'\0' && *right != L'\0'; ++left, ++right) {
    if (*left != *right && FoldToLower(*left) != FoldToLower(*right)) return false;
  }
  return *left == *right;
}

}  // namespace

CMarkupCursor::CMarkupCursor() : element_(0), attribute_count_(0), document_(nullptr) {}

CMarkupCursor::CMarkupCursor(const CMarkupDocument* document, uint32_t element)
    : element_(element), attribute_count_(0), document_(document) {}

const wchar_t* CMarkupCursor::TextAt(uint32_t offset) const { return document_->DocumentBuffer() + offset; }

const wchar_t* CMarkupCursor::ElementName() const {
  if (!IsValid()) return nullptr;
  return TextAt(document_->ElementRecord(element_)->start);
}

CMarkupCursor CMarkupCursor::FirstChild() const {
  if (!IsValid()) return CMarkupCursor();
  uint32_t child = document_->ElementRecord(element_)->first_child;
  return child != 0 ? CMarkupCursor(document_, child) : CMarkupCursor();
}

CMarkupCursor CMarkupCursor::NextSibling() const {
  if (!IsValid()) return CMarkupCursor();
  uint32_t sibling = document_->ElementRecord(element_)->next_sibling;
  return sibling != 0 ? CMarkupCursor(document_, sibling) : CMarkupCursor();
}

bool CMarkupCursor::HasChildElements() const {
  return IsValid() && document_->ElementRecord(element_)->first_child != 0;
}

// Walks the start tag as loading left it: the element name, then for each attribute its
// NUL-terminated name, white space, the opening quote and the NUL-terminated value. Every step is
// checked against the element's data offset (which lies inside the buffer) before the character
// there is read, so the walk never leaves the start tag.
void CMarkupCursor::ReadAttributes() const {
  if (!IsValid() || attribute_count_ != 0) return;
  const wchar_t* buffer = document_->DocumentBuffer();
  const MarkupElement* element = document_->ElementRecord(element_);
  const wchar_t* data = buffer + element->data;
  const wchar_t* pos = buffer + element->start;
  while (attribute_count_ < kMaxAttributes) {
    pos += wcslen(pos) + 1;
    if (pos >= data) return;
    pos = SkipMarkupWhitespace(pos);
    if (pos >= data) return;
    const wchar_t* name = pos;
    pos += wcslen(pos) + 1;
    if (pos >= data) return;
    pos = SkipMarkupWhitespace(pos);
    if (pos >= data || *pos != L'"') return;
    ++pos;
    attributes_[attribute_count_].name = static_cast<uint32_t>(name - buffer);
    attributes_[attribute_count_].value = static_cast<uint32_t>(pos - buffer);
    ++attribute_count_;
  }
}

bool CMarkupCursor::HasAttributeList() const { return AttributeCount() > 0; }

int CMarkupCursor::AttributeCount() const {
  ReadAttributes();
  return static_cast<int>(attribute_count_);
}

const wchar_t* CMarkupCursor::AttributeNameAt(int index) const {
  if (!IsValid()) return nullptr;
  if (index < 0 || index >= AttributeCount()) return L"";
  return TextAt(attributes_[index].name);
}

const wchar_t* CMarkupCursor::AttributeValueAt(int index) const {
  if (!IsValid()) return nullptr;
  if (index < 0 || index >= AttributeCount()) return L"";
  return TextAt(attributes_[index].value);
}

bool CMarkupCursor::CopyAttributeValue(const wchar_t* name, wchar_t* buffer, int maximum) const {
  if (!name || !buffer || maximum < 0) return false;
  int count = AttributeCount();
  for (int i = 0; i < count; ++i) {
    if (!NamesEqualNoCase(TextAt(attributes_[i].name), name)) continue;
    const wchar_t* value = TextAt(attributes_[i].value);
    int copied = 0;
    for (; copied < maximum && value[copied] != L'\0'; ++copied) buffer[copied] = value[copied];
    if (copied < maximum) buffer[copied] = L'\0';
    return true;
  }
  return false;
}

}  // namespace veneer
