#include "ui/render/formatted_text.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <vector>

#include "ui/core/attribute_values.h"
#include "ui/core/geometry.h"
#include "ui/render/font_record.h"
#include "ui/render/image_record.h"
#include "ui/render/persistent_stack.h"
#include "ui/render/render_engine.h"
#include "ui/render/render_resources.h"
#include "ui/render/tagged_text_layout.h"
#include "ui/render/tagged_text_syntax.h"

namespace veneer {
namespace {

constexpr UINT kAlignmentFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
// The whole text is measured in this width when it is one line, and in this height in any case.
constexpr int kMeasuringExtent = 9999;
// New font variants are registered only while the window's font table holds fewer fonts than this, so
// that no text, however often painted, can make more GDI fonts than this per window.
constexpr int kMaxWindowFontsForVariants = 256;
// Tag numbers (pen moves, line heights, spacings) are clamped to this magnitude, and pen positions to
// kMaxPenPosition, so that the pen and line arithmetic never overflows.
constexpr int kMaxTagNumber = 1 << 20;
constexpr int kMaxPenPosition = 1 << 28;

// Ids of registered font variants: negative, so that they never meet a skin's ids (which are 0 or
// more), counting down from -2 and wrapping before INT_MIN. UI thread only, like the font tables.
int NextVariantFontId() {
  static int next = -2;
  const int id = next;
  next = next == INT_MIN + 1 ? -2 : next - 1;
  return id;
}

int AddSaturated(int a, int b) {
  const long long sum = static_cast<long long>(a) + b;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

int ClampTagNumber(int value) { return std::clamp(value, -kMaxTagNumber, kMaxTagNumber); }

int FontHeight(const FontRecord* font) { return font->metrics.tmHeight + font->metrics.tmExternalLeading; }

enum class Pass { kMeasure, kDraw };

// What a line starts from: saved before its measuring pass and put back for its drawing pass.
struct LayoutState {
  int position = 0;
  PersistentStack<const FontRecord*>::Top fonts = PersistentStack<const FontRecord*>::kEmpty;
  PersistentStack<uint32_t>::Top colours = PersistentStack<uint32_t>::kEmpty;
  PersistentStack<int>::Top spacings = PersistentStack<int>::kEmpty;
  bool raw = false;
  bool selected = false;
  bool in_link = false;
  int link_target_start = 0;  // The open link's target in the text.
  int link_target_length = 0;
};

// The pen within one pass over one line.
struct LinePen {
  int x = 0;
  int top = 0;
  int height = 0;  // Grows while measuring; fixed to the measured height while drawing.
  int shift = 0;   // Alignment offset applied when drawing.
  int right = 0;   // Farthest x reached on this line.
  bool has_content = false;
  wchar_t previous = 0;  // The last character laid out on this line; 0 at the start and after an image.
  int link_start_x = 0;  // Where the open link's part on this line begins.
};

struct LineResult {
  int height;
  int shift;
};

// The caller's link arrays (not owned; `capacity` entries each, valid for the call).
struct LinkArrays {
  RECT* rects = nullptr;
  CUIString* texts = nullptr;
  int capacity = 0;
};

// One call's layout: lays the text out line by line into `area`, measuring each line and then (unless
// measuring only) drawing it. Lives for one call on the stack; the device context, manager, text and
// link arrays are the caller's and must outlive it. Font records belong to the manager's tables.
class FormattedTextPainter {
 public:
  FormattedTextPainter(HDC dc, IRenderResources* manager, const RECT& area, const wchar_t* text, int length,
                       uint32_t colour, int font_id, UINT format, const LinkArrays& links,
                       const CUIString* hover_text)
      : dc_(dc),
        manager_(manager),
        area_(area),
        text_(text),
        length_(length),
        scanner_(text, length),
        colour_(colour),
        format_(format),
        links_(links),
        hover_text_(hover_text),
        base_font_(manager->GetFontRecord(font_id)),
        farthest_(area.left),
        image_bottom_(area.top) {}

  // Lays out every line that fits; returns the measured extent (the area with its right lowered to the
  // farthest pen position and its bottom set to the last line's or the lowest image's bottom).
  CUIRect Run();
  int GetLinkCount() const { return std::min(link_index_, links_.capacity); }

 private:
  LineResult LayOutLine(Pass pass, int top, int height, int shift);
  bool LayOutToken();
  bool LayOutText(int length);
  bool LayOutEscape(wchar_t character, int length);
  RunFit LayOutCharacters(const wchar_t* chars, int count);
  void DrawCharacters(const wchar_t* chars, int count, int x);
  void Advance(int dx);

  bool ApplyOpenTag(const TaggedToken& token);
  bool ApplyCloseTag(wchar_t letter);
  bool LayOutImage(const CUIString& arguments);
  void StartParagraph(const CUIString& arguments);
  void SetLineHeight(const CUIString& arguments);

  const FontRecord* CurrentFont() const { return fonts_.Peek(state_.fonts, base_font_); }
  uint32_t CurrentColour() const { return colours_.Peek(state_.colours, colour_); }
  int CurrentSpacing() const { return spacings_.Peek(state_.spacings, 0); }
  void SelectFont(const FontRecord* font);
  void PushFont(const FontRecord* font);
  void PopFont();
  void PushVariant(FontStyle added);
  void PushTaggedFont(const CUIString& arguments);
  const FontRecord* FindOrRegisterFont(const wchar_t* face, int size, FontStyle style);
  int HalfBlankOverhang();

  void StartLink(const TaggedToken& token);
  void EndLink();
  void BeginLinkPart();
  void EndLinkPart(bool at_line_end);
  void FinishLineLinks(int first_link, const LineResult& line);

  HDC dc_;                     // Not owned.
  IRenderResources* manager_;  // Not owned.
  const CUIRect area_;
  const wchar_t* text_;  // Not owned; `length_` characters.
  const int length_;
  TaggedTextScanner scanner_;
  const uint32_t colour_;
  const UINT format_;
  const LinkArrays links_;
  const CUIString* hover_text_;  // Not owned; null when no link is hovered.
  const FontRecord* base_font_;  // Owned by the manager's font tables.

  PersistentStack<const FontRecord*> fonts_;
  PersistentStack<uint32_t> colours_;
  PersistentStack<int> spacings_;
  LayoutState state_;
  LinePen line_;
  Pass pass_ = Pass::kMeasure;
  int link_index_ = 0;
  int farthest_;
  int image_bottom_;
  std::vector<wchar_t> run_;
  std::vector<int> extents_;
};

CUIRect FormattedTextPainter::Run() {
  const bool measuring_only = (format_ & DT_CALCRECT) != 0;
  int top = area_.top;
  int last_bottom = area_.top;
  while (state_.position < length_) {
    const LayoutState start = state_;
    const LineResult line = LayOutLine(Pass::kMeasure, top, 0, 0);
    if (!measuring_only) {
      const LayoutState end = state_;
      state_ = start;
      LayOutLine(Pass::kDraw, top, line.height, line.shift);
      state_ = end;
    }
    // A line that consumed nothing would repeat identically forever.
    if (state_.position == start.position) break;
    last_bottom = AddSaturated(top, line.height);
    top = last_bottom;
    if ((format_ & DT_SINGLELINE) || top >= area_.bottom) break;
  }
  CUIRect extent(area_);
  extent.right = std::min<int>(area_.right, farthest_);
  extent.bottom = std::max(last_bottom, image_bottom_);
  return extent;
}

LineResult FormattedTextPainter::LayOutLine(Pass pass, int top, int height, int shift) {
  pass_ = pass;
  line_ = LinePen();
  line_.x = area_.left;
  line_.right = area_.left;
  line_.top = top;
  line_.height = height;
  line_.shift = shift;
  SelectFont(CurrentFont());
  const int first_link = link_index_;
  if (state_.in_link) BeginLinkPart();
  while (state_.position < length_ && LayOutToken()) {
  }
  if (state_.in_link) EndLinkPart(true);
  const LineResult result = {line_.height, LineShift(area_, line_.right, format_)};
  if (pass == Pass::kMeasure) FinishLineLinks(first_link, result);
  return result;
}

// Lays out the token at the current position; false when the line ends there.
bool FormattedTextPainter::LayOutToken() {
  const TaggedToken token = scanner_.Scan(state_.position, state_.raw);
  switch (token.kind) {
    case TaggedTokenKind::kNewline:
      state_.position += token.length;
      return false;
    case TaggedTokenKind::kText:
      return LayOutText(token.length);
    case TaggedTokenKind::kEscape:
      return LayOutEscape(token.character, token.length);
    case TaggedTokenKind::kOpenTag:
      return ApplyOpenTag(token);
    case TaggedTokenKind::kCloseTag:
      state_.position += token.length;
      return ApplyCloseTag(token.letter);
  }
  return false;
}

bool FormattedTextPainter::LayOutText(int length) {
  // No more characters than pixels left (plus two) can fit, so a long run is measured in pieces; a piece
  // takes the blanks after it too, which stay on the line however many there are. A tab is measured and
  // drawn as a blank.
  const int room = std::max<int>(0, area_.right - line_.x);
  const wchar_t* source = text_ + state_.position;
  int count = room >= length - 2 ? length : room + 2;
  while (count < length && (source[count] == L' ' || source[count] == L'\t')) ++count;
  run_.assign(source, source + count);
  std::replace(run_.begin(), run_.end(), L'\t', L' ');
  const RunFit fit = LayOutCharacters(run_.data(), count);
  state_.position += fit.count;
  return !fit.cut;
}

bool FormattedTextPainter::LayOutEscape(wchar_t character, int length) {
  const RunFit fit = LayOutCharacters(&character, 1);
  if (fit.count == 1) state_.position += length;
  return !fit.cut;
}

// Fits the characters on the line, draws them in the drawing pass and moves the pen past them.
RunFit FormattedTextPainter::LayOutCharacters(const wchar_t* chars, int count) {
  extents_.assign(count, 0);
  SIZE size;
  GetTextExtentExPointW(dc_, chars, count, 0, nullptr, extents_.data(), &size);
  const RunFit fit = FitRun(chars, extents_.data(), count, area_.right - line_.x, line_.has_content,
                            line_.previous, format_);
  if (fit.count > 0) {
    if (pass_ == Pass::kDraw) DrawCharacters(chars, fit.count, line_.x);
    Advance(extents_[fit.count - 1]);
    line_.has_content = true;
    line_.previous = chars[fit.count - 1];
  }
  if (fit.ellipsis) {
    static constexpr wchar_t kEllipsis[] = L"...";
    SIZE ellipsis = {};
    GetTextExtentPoint32W(dc_, kEllipsis, 3, &ellipsis);
    if (pass_ == Pass::kDraw) DrawCharacters(kEllipsis, 3, line_.x);
    Advance(ellipsis.cx);
  }
  return fit;
}

// Draws with the current font and colour, the baseline on the line's bottom.
void FormattedTextPainter::DrawCharacters(const wchar_t* chars, int count, int x) {
  SetTextColor(dc_, ToColorRef(CurrentColour()));
  SetBkMode(dc_, state_.selected ? OPAQUE : TRANSPARENT);
  const int y = line_.top + line_.height - FontHeight(CurrentFont());
  TextOutW(dc_, AddSaturated(x, line_.shift), y, chars, count);
}

void FormattedTextPainter::Advance(int dx) {
  line_.x = std::clamp(AddSaturated(line_.x, dx), -kMaxPenPosition, kMaxPenPosition);
  line_.right = std::max(line_.right, line_.x);
  if (pass_ == Pass::kMeasure) farthest_ = std::max(farthest_, line_.x);
}

// Tags -------------------------------------------------------------------------------------------

// Applies an opening tag and moves past it; false when the line ends before it (the tag is then read
// again at the start of the next line) or at it.
bool FormattedTextPainter::ApplyOpenTag(const TaggedToken& token) {
  const CUIString arguments(text_ + token.arguments_start, token.arguments_length);
  switch (token.letter) {
    case L'a':
      StartLink(token);
      break;
    case L'b':
      PushVariant(FontStyle::kBold);
      break;
    case L'c':
      state_.colours = colours_.Push(state_.colours, ParseColorValue(arguments));
      break;
    case L'f':
      PushTaggedFont(arguments);
      break;
    case L'i':
      if (!arguments.IsEmpty()) {
        if (!LayOutImage(arguments)) return false;
      } else {
        PushVariant(FontStyle::kItalic);
      }
      break;
    case L'n':
      if (!(format_ & DT_SINGLELINE)) {
        state_.position += token.length;
        return false;
      }
      break;
    case L'p':
      if (line_.has_content) return false;
      StartParagraph(arguments);
      break;
    case L'r':
      state_.raw = true;
      break;
    case L's':
      state_.selected = !state_.selected;
      break;
    case L'u':
      PushVariant(FontStyle::kUnderline);
      break;
    case L'x':
      Advance(ClampTagNumber(ParseIntValue(arguments)));
      break;
    case L'y':
      SetLineHeight(arguments);
      break;
    default:
      break;
  }
  state_.position += token.length;
  return true;
}

// Applies a closing tag (already moved past); false when it ends the line.
bool FormattedTextPainter::ApplyCloseTag(wchar_t letter) {
  switch (letter) {
    case L'a':
      EndLink();
      break;
    case L'b':
    case L'f':
    case L'i':
    case L'u':
      PopFont();
      break;
    case L'c':
      state_.colours = colours_.Pop(state_.colours);
      break;
    case L'p':
      state_.spacings = spacings_.Pop(state_.spacings);
      return !line_.has_content;
    case L'r':
      state_.raw = false;
      break;
    case L's':
      state_.selected = !state_.selected;
      break;
    default:
      break;
  }
  return true;
}

// An inline image cell at the pen; false when it does not fit (the line ends before it). An image that
// cannot be obtained is passed over.
bool FormattedTextPainter::LayOutImage(const CUIString& arguments) {
  const ImageTagArguments tag = ParseImageTagArguments(arguments);
  ImageRecord* image = tag.name.IsEmpty()
                           ? nullptr
                           : manager_->FindOrLoadImage(tag.name, tag.resource_type, 0, false, nullptr);
  if (!image) return true;
  const int cell_width = image->width / tag.count;
  const bool fits = line_.x + cell_width <= area_.right || !line_.has_content || (format_ & DT_SINGLELINE);
  if (!fits) return false;
  if (pass_ == Pass::kMeasure) {
    line_.height = std::max(line_.height, image->height);
    image_bottom_ = std::max<int>(
        image_bottom_, InlineImageDest(line_.x, line_.top, line_.height, cell_width, image->height).bottom);
  } else {
    const CUIRect dest = InlineImageDest(AddSaturated(line_.x, line_.shift), line_.top, line_.height,
                                         cell_width, image->height);
    const CUIRect source = ImageCellSource(image->width, image->height, tag.count, tag.index);
    Renderer::DrawBitmap(dc_, image->bitmap.get(), dest, area_, source, CUIRect(), image->has_alpha, 255);
  }
  Advance(cell_width);
  line_.has_content = true;
  line_.previous = 0;
  return true;
}

void FormattedTextPainter::StartParagraph(const CUIString& arguments) {
  const int spacing = manager_->ScaleForDpi(ClampTagNumber(ParseIntValue(arguments)));
  state_.spacings = spacings_.Push(state_.spacings, spacing);
  if (pass_ == Pass::kMeasure) line_.height = std::max(line_.height, spacing + FontHeight(CurrentFont()));
}

void FormattedTextPainter::SetLineHeight(const CUIString& arguments) {
  if (pass_ != Pass::kMeasure) return;
  const int height = manager_->ScaleForDpi(ClampTagNumber(ParseIntValue(arguments)));
  line_.height = std::max(0, height);
}

// Fonts ------------------------------------------------------------------------------------------

// Selects the font; while measuring, the line becomes at least as high as the font plus the spacing.
void FormattedTextPainter::SelectFont(const FontRecord* font) {
  SelectObject(dc_, font->handle.get());
  if (pass_ == Pass::kMeasure) line_.height = std::max(line_.height, FontHeight(font) + CurrentSpacing());
}

void FormattedTextPainter::PushFont(const FontRecord* font) {
  state_.fonts = fonts_.Push(state_.fonts, font);
  SelectFont(font);
}

// Goes back to the font below; leaving italic for upright moves the pen by half the blank's C width.
void FormattedTextPainter::PopFont() {
  const bool was_italic = CurrentFont()->italic;
  const int overhang = was_italic ? HalfBlankOverhang() : 0;
  state_.fonts = fonts_.Pop(state_.fonts);
  const FontRecord* font = CurrentFont();
  if (was_italic && !font->italic) Advance(overhang);
  SelectFont(font);
}

// Half the C width (which may be negative) of the blank in the selected font; 0 when unknown.
int FormattedTextPainter::HalfBlankOverhang() {
  ABC widths = {};
  return GetCharABCWidthsW(dc_, L' ', L' ', &widths) ? widths.abcC / 2 : 0;
}

// The current font with the asked styles added; the current font itself when it has them already.
void FormattedTextPainter::PushVariant(FontStyle added) {
  const FontRecord* current = CurrentFont();
  const FontStyle current_style = current->Style() & kVariantStyles;
  const FontStyle style = current_style | added;
  const FontRecord* variant =
      style == current_style ? current : FindOrRegisterFont(current->faceName, current->size, style);
  PushFont(variant ? variant : current);
}

// {f id} or {f face size styles}; an empty tag keeps the current font.
void FormattedTextPainter::PushTaggedFont(const CUIString& arguments) {
  const FontTagArguments tag = ParseFontTagArguments(arguments);
  const FontRecord* font = nullptr;
  if (tag.by_id) {
    font = manager_->GetFontRecord(tag.id);
  } else if (!tag.face.IsEmpty()) {
    font = FindOrRegisterFont(tag.face, tag.size, tag.style);
  }
  PushFont(font ? font : CurrentFont());
}

// A font of the manager's tables with exactly this face, size and styles, registered when missing;
// null when it can be neither found nor registered.
const FontRecord* FormattedTextPainter::FindOrRegisterFont(const wchar_t* face, int size, FontStyle style) {
  HFONT handle = manager_->FindFontHandle(face, size, style);
  if (!handle && manager_->GetFontCount() < kMaxWindowFontsForVariants) {
    handle = manager_->RegisterFont(NextVariantFontId(), face, size, style, false);
  }
  return handle ? manager_->GetFontRecordByHandle(handle) : nullptr;
}

// Links ------------------------------------------------------------------------------------------

void FormattedTextPainter::StartLink(const TaggedToken& token) {
  if (state_.in_link) EndLinkPart(false);
  state_.in_link = true;
  state_.link_target_start = token.arguments_start;
  state_.link_target_length = token.arguments_length;
  BeginLinkPart();
  const CUIString target(text_ + token.arguments_start, token.arguments_length);
  const bool hovered = hover_text_ && hover_text_->Compare(target) == 0;
  const uint32_t colour =
      LinkColour(colour_, hovered, manager_->GetDefaultLinkColour(), manager_->GetDefaultLinkHoverColour());
  state_.colours = colours_.Push(state_.colours, colour);
  PushVariant(FontStyle::kUnderline);
}

void FormattedTextPainter::EndLink() {
  if (!state_.in_link) return;
  EndLinkPart(false);
  state_.in_link = false;
  state_.colours = colours_.Pop(state_.colours);
  PopFont();
}

// Starts the open link's part on this line; while measuring, the link's text goes into its slot.
void FormattedTextPainter::BeginLinkPart() {
  line_.link_start_x = line_.x;
  if (pass_ == Pass::kMeasure && link_index_ < links_.capacity) {
    links_.texts[link_index_].Assign(text_ + state_.link_target_start, state_.link_target_length);
  }
}

// While measuring, stores the open link's part on this line (its top and bottom follow at the line's
// end) and moves to the next link. A line that ends before any of the link's content stores nothing.
void FormattedTextPainter::EndLinkPart(bool at_line_end) {
  if (pass_ != Pass::kMeasure || (at_line_end && line_.x <= line_.link_start_x)) return;
  if (link_index_ < links_.capacity) {
    links_.rects[link_index_] =
        CUIRect(line_.link_start_x, line_.top, std::min<int>(line_.x, area_.right), line_.top);
  }
  if (link_index_ < INT_MAX) ++link_index_;
}

// The bottoms of this line's link rectangles become the line's bottom; they move with its alignment.
void FormattedTextPainter::FinishLineLinks(int first_link, const LineResult& line) {
  const int end = std::min(link_index_, links_.capacity);
  for (int index = first_link; index < end; ++index) {
    RECT& rect = links_.rects[index];
    rect.bottom = AddSaturated(line_.top, line.height);
    rect.left = AddSaturated(rect.left, line.shift);
    rect.right = AddSaturated(rect.right, line.shift);
  }
}

// The extent of the whole text for aligning it: measured in its own width when it may wrap, else on
// one long line.
SIZE MeasureWholeText(HDC dc, IRenderResources* manager, const RECT& rect, const wchar_t* text,
                      uint32_t colour, int font_id, UINT format, POINT pointer) {
  const int width = (format & DT_SINGLELINE) ? kMeasuringExtent : rect.right - rect.left;
  RECT measured = {0, 0, width, kMeasuringExtent};
  int no_links = 0;
  DrawFormattedTextAtPointer(dc, manager, &measured, text, colour, nullptr, nullptr, &no_links, font_id,
                             format | DT_CALCRECT, pointer);
  return SIZE{measured.right - measured.left, measured.bottom - measured.top};
}

}  // namespace

void DrawFormattedText(HDC dc, IRenderResources* manager, RECT* rect, const wchar_t* text, uint32_t colour,
                       RECT* link_rects, CUIString* link_texts, int* link_count, int font_id, UINT format) {
  const POINT pointer = manager ? manager->GetLastMousePoint() : POINT{-1, -1};
  DrawFormattedTextAtPointer(dc, manager, rect, text, colour, link_rects, link_texts, link_count, font_id,
                             format, pointer);
}

void DrawFormattedTextAtPointer(HDC dc, IRenderResources* manager, RECT* rect, const wchar_t* text,
                                uint32_t colour, RECT* link_rects, CUIString* link_texts, int* link_count,
                                int font_id, UINT format, POINT pointer) {
  LinkArrays links;
  if (link_rects && link_texts && link_count && *link_count > 0) {
    links = LinkArrays{link_rects, link_texts, *link_count};
  }
  if (link_count) *link_count = 0;
  if (!dc || !manager || !rect || !text || IsRectEmpty(rect)) return;

  // The hovered link's text is copied: the layout rewrites the arrays it was found in.
  const CUIString* hovered = FindHoverLink(pointer, links.rects, links.texts, links.capacity);
  const CUIString hover_text = hovered ? *hovered : CUIString();

  CUIRect area(*rect);
  if ((format & kAlignmentFlags) && !(format & DT_CALCRECT)) {
    area = AlignTextArea(*rect, MeasureWholeText(dc, manager, *rect, text, colour, font_id, format, pointer),
                         format);
  }
  const int saved_state = SaveDC(dc);
  if (!saved_state) return;
  if (!(format & DT_CALCRECT)) {
    IntersectClipRect(dc, rect->left, rect->top, rect->right, rect->bottom);
    SetBkColor(dc, ToColorRef(manager->GetDefaultSelectedColour()));
  }
  SetBkMode(dc, TRANSPARENT);
  const int length = static_cast<int>(std::min<size_t>(wcslen(text), INT_MAX));
  FormattedTextPainter painter(dc, manager, area, text, length, colour, font_id, format, links,
                               hovered ? &hover_text : nullptr);
  const CUIRect extent = painter.Run();
  RestoreDC(dc, saved_state);
  if (format & DT_CALCRECT) *rect = extent;
  if (link_count) *link_count = painter.GetLinkCount();
}

}  // namespace veneer
