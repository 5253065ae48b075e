#include "tests/fuzz/fuzz_kinds.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <memory>

#include "tests/markup/test_archive.h"
#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/core/attribute_values.h"
#include "ui/markup/markup_document.h"
#include "ui/markup/skin_source.h"
#include "ui/markup/zip_archive.h"
#include "ui/render/formatted_text.h"
#include "ui/render/image_descriptor.h"
#include "ui/render/image_loader.h"
#include "ui/render/tagged_text_syntax.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

bool Fault(std::string* fault, const std::string& what) {
  *fault = what;
  return false;
}

std::string Bytes(const std::vector<unsigned char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring WideText(const std::string& input) {
  return std::wstring(reinterpret_cast<const wchar_t*>(input.data()), input.size() / sizeof(wchar_t));
}

const unsigned char* ByteData(const std::string& input) {
  return reinterpret_cast<const unsigned char*>(input.data());
}

// A text input, NUL-terminated, placed so that any read past its terminator faults.
class GuardedText {
 public:
  explicit GuardedText(const std::wstring& text)
      : block_(reinterpret_cast<const unsigned char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t)) {}
  const wchar_t* get() const { return reinterpret_cast<const wchar_t*>(block_.data()); }

 private:
  GuardedBlock block_;
};

// FNV-1a: picks per-input variations (drawing flags) that a replay of the same bytes repeats.
uint32_t Fingerprint(const std::string& input) {
  uint32_t hash = 2166136261u;
  for (const char byte : input) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
  return hash;
}

// ---- Markup -------------------------------------------------------------------------------------

const char kSkinMarkup[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<!-- main window -->\n"
    "<Window size=\"640,480\" caption=\"0,0,0,36\" sizebox=\"4,4,4,4\">\n"
    "  <Font id=\"0\" name=\"Tahoma\" size=\"12\" bold=\"true\" default=\"true\" />\n"
    "  <Default name=\"Button\" value=\"bkcolor=&quot;#FF000000&quot; textcolor=&apos;#FFFFFFFF&apos;\" />\n"
    "  <VerticalLayout name=\"ver_main\" bkcolor=\"#ff252733\">\n"
    "    <Label name=\"lab_title\" text=\"Tessaro &amp; &lt;friends&gt;\">Caption text</Label>\n"
    "    <HorizontalLayout><Button name=\"btn_ok\" text=\"OK\"/><Text/></HorizontalLayout>\n"
    "  </VerticalLayout>\n"
    "</Window>\n";

const std::vector<std::string> kMarkupTokens = {
    "<",  ">",    "</",      "/>", "=",  "\"",       "&amp;",     "&lt;",     "&quot;",       "&",
    ";",  "<!--", "-->",     "<?", "?>", "<Window>", "</Window>", " a=\"1\"", "\xEF\xBB\xBF", "\xFF\xFE",
    "\n", "\xC3", "\xE2\x82"};

std::vector<std::string> MarkupSeeds() {
  const std::wstring small =
      L"<Window><Label text=\"a&amp;b\">Text &lt;here&gt;</Label><!-- c --><Button/></Window>";
  std::string big_endian = "\xFE\xFF";
  for (const wchar_t ch : small) big_endian.append({static_cast<char>(ch >> 8), static_cast<char>(ch)});
  return {kSkinMarkup, std::string("\xEF\xBB\xBF") + kSkinMarkup, "\xFF\xFE" + Utf16Bytes(small), big_endian};
}

// A node reads its name and attributes, and CopyAttributeValue finds the first attribute by its name.
bool CheckMarkupNode(const CMarkupCursor& node, std::string* fault) {
  const int count = node.AttributeCount();
  if (!node.ElementName() || count > CMarkupCursor::kMaxAttributes) return Fault(fault, "bad node");
  for (int index = 0; index < count; ++index) {
    if (!node.AttributeNameAt(index) || !node.AttributeValueAt(index)) return Fault(fault, "null attribute");
  }
  wchar_t value[9] = {};
  if (count > 0 && (!node.CopyAttributeValue(node.AttributeNameAt(0), value, 8) ||
                    std::wcsncmp(value, node.AttributeValueAt(0), 8) != 0)) {
    return Fault(fault, "CopyAttributeValue disagrees with AttributeValueAt");
  }
  return true;
}

// Element links point forwards (children and siblings come later in the text, parents earlier), and
// a walk from the root through the cursors reaches every element exactly once.
bool CheckMarkupTree(const CMarkupDocument& document, std::string* fault) {
  const uint32_t count = document.ElementCount();
  if (count > document.ElementCapacity()) return Fault(fault, "more element records than capacity");
  auto forward = [&](uint32_t link, uint32_t index) { return link == 0 || (link > index && link < count); };
  for (uint32_t index = 1; index < count; ++index) {
    const MarkupElement* element = document.ElementRecord(index);
    if (element->parent >= index || !forward(element->first_child, index) ||
        !forward(element->next_sibling, index)) {
      return Fault(fault, "element " + std::to_string(index) + " links out of order or range");
    }
  }
  uint32_t visited = 0;
  std::vector<CMarkupCursor> pending = {document.RootElement()};
  while (!pending.empty()) {
    const CMarkupCursor node = pending.back();
    pending.pop_back();
    if (!node.IsValid()) continue;
    if (++visited >= count) return Fault(fault, "the cursor walk visits more elements than there are");
    if (!CheckMarkupNode(node, fault)) return false;
    pending.push_back(node.NextSibling());
    pending.push_back(node.FirstChild());
  }
  if (count > 0 && visited != count - 1) return Fault(fault, "the cursor walk misses elements");
  return true;
}

// A failed load leaves the document empty with a message.
bool CheckFailedLoad(const CMarkupDocument& document, std::string* fault) {
  if (document.DocumentBuffer() || document.ElementCount() != 0) {
    return Fault(fault, "failed load kept a document");
  }
  if (document.LastErrorMessage()[0] == L'\0') return Fault(fault, "failed load without a message");
  return true;
}

bool RunMarkup(const std::string& input, std::string* fault) {
  const GuardedBlock bytes(ByteData(input), input.size());  // Reading past its end faults.
  bool accepted = false;
  for (const MarkupEncoding encoding : {MarkupEncoding::Utf8, MarkupEncoding::Ansi, MarkupEncoding::Utf16}) {
    CMarkupDocument document;
    const bool loaded = document.LoadFromBytes(bytes.data(), bytes.size(), encoding);
    accepted = accepted || loaded;
    if (!(loaded ? CheckMarkupTree(document, fault) : CheckFailedLoad(document, fault))) break;
  }
  return accepted;
}

// ---- Skin archives ------------------------------------------------------------------------------

const char kArchivePassword[] = "fuzz";
const wchar_t* const kArchiveNames[] = {L"skin/MainWnd.xml", L"SKIN\\logo.png", L"default.xml",
                                        L"secret.xml",       L"stored.bin",     L"open.txt",
                                        L"unix/file.txt",    L"stamped.txt"};

const std::vector<std::string> kArchiveTokens = {"PK\x03\x04", "PK\x01\x02", "PK\x05\x06", "PK\x06\x06",
                                                 "PK\x06\x07", "UT",         "ux"};

// R, G, B, A pixels with every channel varying, alpha included.
std::vector<unsigned char> Gradient(int width, int height) {
  std::vector<unsigned char> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgba.insert(rgba.end(),
                  {static_cast<unsigned char>(x * 31), static_cast<unsigned char>(y * 47),
                   static_cast<unsigned char>((x + y) * 13), static_cast<unsigned char>(255 - x * 9)});
    }
  }
  return rgba;
}

std::vector<std::string> ArchiveSeeds() {
  TestArchiveEntry secret("secret.xml", "<Window text=\"hidden\"/>");
  TestArchiveEntry stored_secret("stored.bin", "0123456789abcdef", false);
  secret.password = stored_secret.password = kArchivePassword;
  TestArchiveEntry unix_file("unix/file.txt", "mode 0644");
  unix_file.version_made_by = 3u << 8;
  unix_file.external_attributes = 0100644ul << 16;
  TestArchiveEntry stamped("stamped.txt", "extended time stamp");
  stamped.local_extra = std::string("\x55\x54\x05\x00\x01\x00\x00\x00\x60", 9);
  return {Bytes(BuildTestArchive({{"skin/MainWnd.xml", kSkinMarkup},
                                  {"skin/logo.png", Bytes(EncodePng(3, 2, Gradient(3, 2))), false},
                                  {"Default.xml", "<Default/>"}})),
          Bytes(BuildTestArchive({secret, stored_secret, {"open.txt", "plain"}})),
          Bytes(BuildTestArchive({unix_file, stamped}))};
}

// Extracts the entry in pieces, then reads it whole as the skin loader does: neither may deliver more
// than the entry's stated size, and a whole read delivers exactly that.
bool CheckArchiveEntry(ArchiveHandle* archive, const wchar_t* name, std::string* fault) {
  int index = -1;
  ArchiveEntry entry;
  if (FindArchiveEntry(archive, name, true, &index, &entry) != kArchiveOk) return true;
  if (!std::wmemchr(entry.name, L'\0', kArchiveEntryNameLength)) {
    return Fault(fault, "entry name not terminated");
  }
  unsigned char piece[4096];
  uint64_t delivered = 0;
  while (ExtractArchiveEntry(archive, index, piece, sizeof(piece)) == kArchiveMoreData) {
    delivered += sizeof(piece);
    if (delivered > entry.uncompressed_size) return Fault(fault, "extraction runs past the stated size");
  }
  std::vector<unsigned char> bytes;
  const SkinReadStatus status = ReadSkinArchiveFile(archive, name, 1u << 20, &bytes);
  if (status == SkinReadStatus::kRead && bytes.size() != entry.uncompressed_size) {
    return Fault(fault, "whole read of another size than stated");
  }
  return true;
}

bool RunArchive(const std::string& input, std::string* fault) {
  const GuardedBlock bytes(ByteData(input), input.size());  // Reading past its end faults.
  ArchiveHandle* archive = OpenArchiveMemory(bytes.data(), bytes.size(), kArchivePassword);
  if (!archive) return false;
  for (const wchar_t* name : kArchiveNames) {
    if (!CheckArchiveEntry(archive, name, fault)) break;
  }
  CloseArchive(archive);
  return true;
}

// ---- Images -------------------------------------------------------------------------------------

void AppendLittleEndian16(std::string* bytes, int value) {
  bytes->append({static_cast<char>(value), static_cast<char>(value >> 8)});
}

// A GIF89a of palette indexes 0 to 3 (a four-colour table, index 3 transparent), in the order the rows
// are stored (for an interlaced image not the order they show in). The LZW data is not compressed: a
// clear code before every second pixel keeps the code width at 3 bits.
std::string EncodeGif(int width, int height, bool interlaced) {
  constexpr int kClear = 4, kEnd = 5, kCodeBits = 3;
  std::string gif = "GIF89a";
  AppendLittleEndian16(&gif, width);
  AppendLittleEndian16(&gif, height);
  gif += std::string("\x81\x00\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\xFF", 15);
  gif += std::string("!\xF9\x04\x01\x00\x00\x03\x00,\x00\x00\x00\x00", 13);
  AppendLittleEndian16(&gif, width);
  AppendLittleEndian16(&gif, height);
  gif += std::string(interlaced ? "\x40\x02" : "\x00\x02", 2);  // Flags, minimum code size.
  std::string packed;
  uint32_t bits = 0;
  int bit_count = 0;
  auto put = [&](int code) {
    bits |= static_cast<uint32_t>(code) << bit_count;
    for (bit_count += kCodeBits; bit_count >= 8; bit_count -= 8, bits >>= 8) {
      packed += static_cast<char>(bits);
    }
  };
  for (int pixel = 0; pixel < width * height; ++pixel) {
    if (pixel % 2 == 0) put(kClear);
    put((pixel * 7 + pixel / width) % 4);
  }
  put(kEnd);
  if (bit_count > 0) packed += static_cast<char>(bits);
  for (size_t at = 0; at < packed.size(); at += 255) {
    const std::string block = packed.substr(at, 255);
    gif += static_cast<char>(block.size()) + block;
  }
  return gif + std::string("\x00;", 2);
}

// Foreign formats: a 2 x 2 binary PPM and a 2 x 2 uncompressed true-colour TGA (top-left origin).
const char kPpm[] = "P6\n2 2\n255\n\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\x80\x80\x80";
const char kTga[] =
    "\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x02\x00\x18\x20"
    "\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\x80\x80\x80";
constexpr size_t kForeignImageSeeds = 2;

// PNG, BMP, GIF and JPEG markers, and the signatures of formats outside those four.
// clang-format off
const std::vector<std::string> kImageTokens = {
    "\x89PNG\r\n\x1A\n", "IHDR", "IDAT", "IEND", "PLTE", "tRNS",
    "BM", "GIF89a", "GIF87a", "!\xF9\x04",
    "\xFF\xD8", "\xFF\xC0", "\xFF\xC2", "\xFF\xC4", "\xFF\xDA", "\xFF\xDB", "\xFF\xDD", "\xFF\xD9",
    "P6\n", "P5\n", "8BPS"};
// clang-format on

std::vector<std::string> ImageSeeds() {
  return {Bytes(EncodePng(8, 8, Gradient(8, 8))),
          Bytes(EncodePng(1, 1, Gradient(1, 1))),
          Bytes(EncodeBmp(5, 3, Gradient(5, 3), false)),
          Bytes(EncodeBmp(4, 4, Gradient(4, 4), true)),
          Bytes(EncodeJpeg(16, 16, Gradient(16, 16), 75)),
          Bytes(EncodeJpeg(9, 7, Gradient(9, 7), 20)),
          EncodeGif(40, 30, false),
          EncodeGif(6, 11, true),
          std::string(kPpm, sizeof(kPpm) - 1),
          std::string(kTga, sizeof(kTga) - 1)};
}

bool RunImage(const std::string& input, std::string* fault) {
  const GuardedBlock bytes(ByteData(input), input.size());  // Reading past its end faults.
  const std::unique_ptr<ImageRecord> record = DecodeImageBytes(bytes.data(), bytes.size(), 0xFF00FF00);
  if (!record) return false;
  if (record->width < 1 || record->width > 4096 || record->height < 1 || record->height > 4096 ||
      !record->bitmap || !record->pixels) {
    Fault(fault, "decoded record out of range");
  }
  return true;
}

// ---- Image descriptors --------------------------------------------------------------------------

const std::vector<std::string> kDescriptorTokens = {
    "file='",   "res='",    "restype='", "dest='", "source='", "corner='", "mask='#", "fade='", "hole='",
    "xtiled='", "ytiled='", "hsl='",     "'",      "=",        " ",        "true",    ",",      "\x01"};

// A descriptor input holds the descriptor text, then optionally U+0001 and the modifier text.
std::vector<std::string> DescriptorSeeds() {
  return {Utf16Bytes(L"file='bk.png' corner='2,2,2,2' dest='0,0,100,30' source='0,0,50,50'"),
          Utf16Bytes(L"res='101' restype='PNG' mask='#FFFF00FF' fade='128' hole='true' xtiled='true' "
                     L"ytiled='false' hsl='true'"),
          Utf16Bytes(L"bare_name.png"),
          Utf16Bytes(L"file='a.png' fade='200'\x01"
                     L"corner='1,1,1,1' source='0,10,20,30'"),
          Utf16Bytes(L"file = 'my pictures/a,b.png'  fade= '128'")};
}

bool RunDescriptor(const std::string& input, std::string* /*fault*/) {
  const std::wstring text = WideText(input);
  const size_t split = text.find(L'\x01');
  const GuardedText descriptor(text.substr(0, split));
  const std::unique_ptr<GuardedText> modifier(
      split == std::wstring::npos ? nullptr : new GuardedText(text.substr(split + 1)));
  bool accepted = false;
  for (const int scale : {100, 250}) {
    ImageDescriptor record;
    ParseImageDescriptor(&record, descriptor.get(), modifier ? modifier->get() : nullptr, scale);
    accepted = accepted || !record.image_name.IsEmpty();
  }
  return accepted;
}

// ---- Attribute values ---------------------------------------------------------------------------

const std::vector<std::string> kAttributeTokens = {"#", ",", "-", "+", " ", "\t", "0x", "true", "ff"};

std::vector<std::string> AttributeSeeds() {
  std::vector<std::string> seeds;
  for (const wchar_t* text : {L"42", L"  -7px", L"960,720", L"0,0,0,36", L"2, 2", L"#ff10183F", L"#FFF",
                              L"true", L"TRUE", L"1, 2;-3x4", L"99999999999999"}) {
    seeds.push_back(Utf16Bytes(text));
  }
  return seeds;
}

bool RunAttribute(const std::string& input, std::string* fault) {
  const std::wstring wide = WideText(input);
  const GuardedText text(wide);
  int values[4];
  const int read = ParseIntList(text.get(), values, 4);
  if (read < 0 || read > 4) return Fault(fault, "ParseIntList read " + std::to_string(read) + " of 4 values");
  for (const wchar_t ch : wide) {
    const int digit = HexDigitValue(ch);
    if (digit < -1 || digit > 15) return Fault(fault, "HexDigitValue out of range");
  }
  const CUIRect rect = ParseRectValue(text.get());
  const bool any = ParseIntValue(text.get()) != 0 || ParseColorValue(text.get()) != 0 ||
                   ParseSizeValue(text.get()).cx != 0 || ParsePointValue(text.get()).y != 0 ||
                   rect.bottom != 0 || ParseBoolValue(text.get()) || ParseBoolValue(text.get(), true);
  return any;
}

// ---- Tagged text --------------------------------------------------------------------------------

constexpr int kTextFont = 1;
constexpr uint32_t kPaper = 0xFFFFFFFF;
constexpr int kMaxLinks = 8;
const UINT kTextFormats[] = {DT_WORDBREAK, DT_SINGLELINE | DT_CENTER | DT_VCENTER, DT_WORDBREAK | DT_CALCRECT,
                             DT_END_ELLIPSIS | DT_RIGHT | DT_BOTTOM,
                             DT_WORDBREAK | DT_END_ELLIPSIS | DT_CENTER};

const std::vector<std::string> kTextTokens = {
    "{",    "}",   "<",     ">",       "{/",         "{b}",  "{/b}",       "{i}",  "{u}", "{s}",  "{r}",
    "{/r}", "{n}", "{a ",   "{/a}",    "{c #",       "{f ",  "{f Tahoma ", "{/f}", "{p ", "{/p}", "{x ",
    "{y ",  "{i ", " bold", " italic", " underline", "\r\n", " ",          "<{>",  "{<}"};

std::vector<std::string> TextSeeds() {
  // Four 4 x 4 cells for the inline image tags.
  const std::wstring cells = TempPath(L"fuzz_cells.png");
  WriteFileBytes(cells, EncodePng(16, 4, Gradient(16, 4)));
  std::vector<std::string> seeds;
  for (const std::wstring& text : std::vector<std::wstring>{
           L"{b}Bold{/b} plain {i}italic{/i} {u}under{/u}",
           L"{c #FF0000}Red{/c}{n}{a link}Link{/a} {s}selected{/s}",
           L"{f Tahoma 16 bold italic}Face{/f} {f 1}id{/f} {x 10}x{y 30}y",
           L"{p 4}Paragraph one{/p}{p}two\r\nthree{/p}", L"{r}{b}raw{/b}{/r} <{>b<}> {<}x{>} <b>angle</b>",
           L"{i " + cells + L"} {i " + cells + L" 4 2} {i file='" + cells + L"' restype=''}",
           L"Word wrapping text that is long enough to wrap in the small rectangle several times over."}) {
    seeds.push_back(Utf16Bytes(text));
  }
  return seeds;
}

// An opening tag's arguments as the renderer reads them: an image tag's cell count and index end up
// in range.
bool CheckTagArguments(const wchar_t* arguments, wchar_t letter, std::string* fault) {
  if (letter == L'f') ParseFontTagArguments(arguments);
  if (letter != L'i') return true;
  const ImageTagArguments image = ParseImageTagArguments(arguments);
  if (image.count < 1 || image.index < 0 || image.index >= image.count) {
    return Fault(fault,
                 "image tag cell " + std::to_string(image.index) + " of " + std::to_string(image.count));
  }
  return true;
}

// Splits the text into tokens, in plain and raw mode, over an unterminated copy that ends at a guard
// page: every token covers at least one character and stays inside the text, and so do the arguments
// of an opening tag.
bool CheckTokens(const std::wstring& text, std::string* fault) {
  const GuardedBlock block(reinterpret_cast<const unsigned char*>(text.data()),
                           text.size() * sizeof(wchar_t));
  const wchar_t* chars = reinterpret_cast<const wchar_t*>(block.data());
  const int length = static_cast<int>(text.size());
  for (const bool raw : {false, true}) {
    TaggedTextScanner scanner(chars, length);
    for (int position = 0; position < length;) {
      const TaggedToken token = scanner.Scan(position, raw);
      if (token.length < 1 || token.length > length - position) return Fault(fault, "token outside the text");
      if (token.kind == TaggedTokenKind::kOpenTag) {
        if (token.arguments_start <= position || token.arguments_length < 0 ||
            token.arguments_start + token.arguments_length >= position + token.length) {
          return Fault(fault, "tag arguments outside the tag");
        }
        const std::wstring arguments = text.substr(token.arguments_start, token.arguments_length);
        if (!CheckTagArguments(arguments.c_str(), token.letter, fault)) return false;
      }
      position += token.length;
    }
  }
  return true;
}

// The device context keeps its font, text colour, background mode and (absent) clip region.
bool CheckContextRestored(HDC dc, HGDIOBJ font, COLORREF colour, int mode, std::string* fault) {
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  const int clipped = GetClipRgn(dc, clip);
  DeleteObject(clip);
  if (GetCurrentObject(dc, OBJ_FONT) != font || GetTextColor(dc) != colour || GetBkMode(dc) != mode ||
      clipped != 0) {
    return Fault(fault, "the device context was left changed");
  }
  return true;
}

bool RunText(const std::string& input, std::string* fault) {
  static DibSurface surface(160, 60);
  const std::wstring wide = WideText(input);
  if (!CheckTokens(wide, fault)) return false;
  const GuardedText text(wide);
  // A fresh manager per input: the style variants and images that one input registers do not carry
  // over into the next, so a replay of one input behaves as it did in the run.
  CPaintManagerUI manager;
  manager.RegisterFont(kTextFont, L"Tahoma", 14, FontStyle::kRegular, false);
  const UINT format = kTextFormats[Fingerprint(input) % std::size(kTextFormats)];
  surface.Fill(kPaper);
  HDC dc = surface.dc();
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const COLORREF colour = GetTextColor(dc);
  const int mode = GetBkMode(dc);
  RECT rect = {4, 4, 156, 56};
  RECT link_rects[kMaxLinks] = {};
  CUIString link_texts[kMaxLinks];
  int link_count = kMaxLinks;
  DrawFormattedTextAtPointer(dc, &manager, &rect, text.get(), 0xFF000000, link_rects, link_texts, &link_count,
                             kTextFont, format, POINT{40, 20});
  if (link_count < 0 || link_count > kMaxLinks) return Fault(fault, "link count out of range");
  if (!CheckContextRestored(dc, font, colour, mode, fault)) return false;
  return (format & DT_CALCRECT) ? rect.right > rect.left
                                : surface.CountPixelsNotEqual(kPaper, {0, 0, 160, 60}) > 0;
}

}  // namespace

const std::vector<FuzzKind>& FuzzKinds() {
  static const std::vector<FuzzKind> kinds = {
      // Name, {unit, maximum bytes, tokens}, inputs per test run, seeds, foreign seeds, reader.
      {"markup", {1, 65536, kMarkupTokens}, 20000, MarkupSeeds, 0, RunMarkup},
      {"archive", {1, 32768, kArchiveTokens}, 10000, ArchiveSeeds, 0, RunArchive},
      {"image", {1, 32768, kImageTokens}, 10000, ImageSeeds, kForeignImageSeeds, RunImage},
      {"descriptor", {2, 4096, kDescriptorTokens}, 20000, DescriptorSeeds, 0, RunDescriptor},
      {"attribute", {2, 256, kAttributeTokens}, 20000, AttributeSeeds, 0, RunAttribute},
      {"text", {2, 32768, kTextTokens}, 5000, TextSeeds, 0, RunText},
  };
  return kinds;
}

}  // namespace veneer::test
