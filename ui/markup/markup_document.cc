#include "ui/markup/markup_document.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "ui/markup/markup_text.h"
#include "ui/markup/skin_source.h"

namespace veneer {
namespace {

const wchar_t kOutOfMemory[] = L"Out of memory";
const wchar_t kCannotConvert[] = L"Could not convert document";

void CopyLimited(wchar_t* target, int size, const wchar_t* text) {
  int i = 0;
  for (; i < size - 1 && text[i] != L'\0'; ++i) target[i] = text[i];
  target[i] = L'\0';
}

// The message recorded for a skin file that could not be read.
const wchar_t* ReadFailureMessage(SkinReadStatus status) {
  switch (status) {
    case SkinReadStatus::kCannotOpen:
      return L"Error opening file";
    case SkinReadStatus::kEmpty:
      return L"File is empty";
    case SkinReadStatus::kTooLarge:
      return L"File too large";
    case SkinReadStatus::kShortRead:
      return L"Could not read file";
    case SkinReadStatus::kNoArchive:
      return L"Error opening zip file";
    case SkinReadStatus::kEntryNotFound:
      return L"Could not find ziped file";
    case SkinReadStatus::kExtractFailed:
      return L"Could not unzip file";
    case SkinReadStatus::kRead:
      break;
  }
  return L"";
}

}  // namespace

CMarkupDocument::CMarkupDocument()
    : buffer_(nullptr), elements_(nullptr), element_count_(0), element_capacity_(0) {
  error_message_[0] = L'\0';
  error_location_[0] = L'\0';
}

CMarkupDocument::CMarkupDocument(const wchar_t* text) : CMarkupDocument() { LoadFromText(text); }

CMarkupDocument::~CMarkupDocument() { Clear(); }

void CMarkupDocument::Clear() {
  free(buffer_);
  free(elements_);
  buffer_ = nullptr;
  elements_ = nullptr;
  element_count_ = 0;
  element_capacity_ = 0;
}

const MarkupElement* CMarkupDocument::ElementRecord(uint32_t index) const {
  if (index == 0 || index >= element_count_) return nullptr;
  return &elements_[index];
}

CMarkupCursor CMarkupDocument::RootElement() const {
  if (element_count_ < 2) return CMarkupCursor();
  return CMarkupCursor(this, 1);
}

bool CMarkupDocument::Fail(const wchar_t* message, const wchar_t* location) {
  CopyLimited(error_message_, kErrorMessageSize, message);
  // Failure positions lie inside the buffer or on its terminator; the copy stops at a NUL, so it
  // never reads past the end.
  CopyLimited(error_location_, kErrorLocationSize, location ? location : L"");
  return false;
}

// Each load reads its input completely before clearing the previous document, so that a text, byte
// block or file name taken from this document's own buffer (a node's value) is still there to read.
bool CMarkupDocument::LoadFromText(const wchar_t* text) {
  if (!text) {
    Clear();
    return Fail(kCannotConvert, nullptr);
  }
  size_t length = wcslen(text);
  wchar_t* buffer = static_cast<wchar_t*>(malloc((length + 1) * sizeof(wchar_t)));
  if (buffer) memcpy(buffer, text, (length + 1) * sizeof(wchar_t));
  Clear();
  if (!buffer) return Fail(kOutOfMemory, nullptr);
  return TakeBuffer(buffer, length);
}

bool CMarkupDocument::LoadFromBytes(const void* bytes, size_t byte_count, MarkupEncoding encoding) {
  size_t length = 0;
  wchar_t* buffer = ConvertMarkupBytes(bytes, byte_count, encoding, &length);
  Clear();
  if (!buffer) return Fail(kCannotConvert, nullptr);
  return TakeBuffer(buffer, length);
}

// Archive mode reads the entry from the cached archive (never falling back to the disk); folder mode
// reads the name as a file path. The location of a read failure is the file name.
bool CMarkupDocument::LoadFromSkinFile(const wchar_t* file_name, MarkupEncoding encoding) {
  if (!file_name) file_name = L"";
  std::vector<unsigned char> bytes;
  SkinReadStatus status = GetSkinArchiveName().IsEmpty()
                              ? ReadSkinDiskFile(file_name, kMaxFileSize, &bytes)
                              : ReadSkinArchiveFile(GetCachedSkinArchive(), file_name, kMaxFileSize, &bytes);
  if (status != SkinReadStatus::kRead) {
    Fail(ReadFailureMessage(status), file_name);
    Clear();
    return false;
  }
  return LoadFromBytes(bytes.data(), bytes.size(), encoding);
}

// Adopts a freshly converted, NUL-terminated buffer and parses it; a failed parse clears it.
bool CMarkupDocument::TakeBuffer(wchar_t* buffer, size_t length) {
  buffer_ = buffer;
  if (length >= 0xFFFFFFFFu) {  // Offsets are 32-bit.
    Clear();
    return Fail(kCannotConvert, nullptr);
  }
  if (Parse()) return true;
  Clear();
  return false;
}

bool CMarkupDocument::ReserveElement(uint32_t* index) {
  if (element_count_ == element_capacity_) {
    uint32_t capacity = element_capacity_ + element_capacity_ / 2 + 500;
    if (capacity < element_capacity_ || capacity > 0xFFFFFFFFu / sizeof(MarkupElement)) return false;
    void* grown = realloc(elements_, capacity * sizeof(MarkupElement));
    if (!grown) return false;
    elements_ = static_cast<MarkupElement*>(grown);
    element_capacity_ = capacity;
  }
  *index = element_count_++;
  return true;
}

// Walks the buffer once, from the first character to the terminator. Elements are linked as they
// open; instead of recursing per nesting level (which deep hostile input would turn into a stack
// overflow), the open element is tracked as `parent` and closing it climbs its parent link.
bool CMarkupDocument::Parse() {
  uint32_t reserved;
  if (!ReserveElement(&reserved)) return Fail(kOutOfMemory, nullptr);
  error_message_[0] = L'\0';
  error_location_[0] = L'\0';

  wchar_t* pos = buffer_;
  uint32_t parent = 0;    // The element whose children are being read; 0 at the top level.
  uint32_t previous = 0;  // The last element read in that list, 0 before the first.
  for (;;) {
    pos = SkipMarkupWhitespace(pos);
    // At the end, an unclosed first element (or nothing open) is accepted.
    if (*pos == L'\0' && parent <= 1) return true;
    if (*pos != L'<') return Fail(L"Expected start tag", pos);

    if (pos[1] == L'/') {
      // The end tag of `parent`: the same name exactly, optional white space, '>'.
      // An end tag with nothing open ends the document; what follows it is ignored, as existing
      // skins with trailing text after their last element have always loaded.
      if (parent == 0) return true;
      *pos = L'\0';
      wchar_t* end_name = SkipMarkupWhitespace(pos + 2);
      const wchar_t* name = buffer_ + elements_[parent].start;
      pos = end_name;
      while (*name != L'\0' && *pos == *name) ++pos, ++name;
      pos = SkipMarkupWhitespace(pos);
      if (*name != L'\0' || *pos != L'>') return Fail(L"Unmatched closing tag", end_name);
      ++pos;
      previous = parent;
      parent = elements_[parent].parent;
      continue;
    }

    *pos = L'\0';
    pos = SkipMarkupWhitespace(pos + 1);
    if (*pos == L'!' || *pos == L'?') {
      // The search starts at the '!' or '?' itself, so "<?>" is a whole processing instruction.
      pos = SkipPastMarker(pos, *pos == L'!' ? L'-' : L'?');
      continue;
    }

    uint32_t index;
    if (!ReserveElement(&index)) return Fail(kOutOfMemory, pos);
    MarkupElement& element = elements_[index];  // Valid until the next ReserveElement.
    element.start = OffsetOf(pos);
    element.first_child = 0;
    element.next_sibling = 0;
    element.parent = parent;
    element.data = 0;
    if (previous != 0) {
      elements_[previous].next_sibling = index;
    } else if (parent != 0) {
      elements_[parent].first_child = index;
    }

    wchar_t* name_end = SkipMarkupName(pos);
    if (*name_end == L'\0') return Fail(L"Error parsing element name", pos);
    pos = name_end;
    if (!ParseAttributes(pos)) return false;
    pos = SkipMarkupWhitespace(pos);

    if (pos[0] == L'/' && pos[1] == L'>') {
      element.data = OffsetOf(pos);
      *pos = L'\0';
      *name_end = L'\0';
      pos += 2;
      previous = index;
      continue;
    }
    if (*pos != L'>') return Fail(L"Expected start-tag closing", pos);
    element.data = OffsetOf(pos + 1);
    *name_end = L'\0';  // The name ends here now that the '>' after it has been seen.

    wchar_t* text_end = DecodeMarkupText(pos + 1, L'<', &pos);
    if (text_end != pos) *text_end = L'\0';
    if (*pos == L'\0') {
      // The document ends inside this element: accepted for the first element or a direct child.
      if (parent <= 1) return true;
      return Fail(L"Expected end-tag start", pos);
    }
    // A child element or the end tag follows; either way this element is now the open one.
    parent = index;
    previous = 0;
  }
}

// Reads the attributes after an element name, leaving `pos` on the character that ends them. The
// character after the name, each attribute name's end and each value's end become NULs; '=' becomes
// a space, as does a closing quote when decoding shortened the value.
bool CMarkupDocument::ParseAttributes(wchar_t*& pos) {
  if (*pos == L'>' || (pos[0] == L'/' && pos[1] == L'>')) return true;
  *pos = L'\0';
  pos = SkipMarkupWhitespace(pos + 1);
  while (*pos != L'\0' && *pos != L'>' && *pos != L'/') {
    wchar_t* name_end = SkipMarkupName(pos);
    pos = SkipMarkupWhitespace(name_end);
    if (*pos != L'=') return Fail(L"Error while parsing attributes", pos);
    *pos = L' ';
    *name_end = L'\0';
    pos = SkipMarkupWhitespace(pos + 1);
    if (*pos != L'"') return Fail(L"Expected attribute value", pos);
    wchar_t* value_end = DecodeMarkupText(pos + 1, L'"', &pos);
    if (*pos == L'\0') return Fail(L"Error while parsing attribute string", pos);
    *value_end = L'\0';
    if (value_end != pos) *pos = L' ';
    pos = SkipMarkupWhitespace(pos + 1);
  }
  return true;
}

}  // namespace veneer
