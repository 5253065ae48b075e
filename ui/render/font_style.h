#ifndef UI_RENDER_FONT_STYLE_H_
#define UI_RENDER_FONT_STYLE_H_

namespace veneer {

// The style flags a font is registered with, combined with |: FontStyle::kBold | FontStyle::kItalic.
// A plain value; it names styles, it creates no font.
enum class FontStyle : unsigned {
  kRegular = 0,
  kBold = 1u << 0,
  kUnderline = 1u << 1,
  kItalic = 1u << 2,
  kStrikeOut = 1u << 3,
};

constexpr FontStyle operator|(FontStyle a, FontStyle b) {
  return static_cast<FontStyle>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr FontStyle operator&(FontStyle a, FontStyle b) {
  return static_cast<FontStyle>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
constexpr FontStyle& operator|=(FontStyle& a, FontStyle b) { return a = a | b; }

// True when `style` has every flag of `flags`.
constexpr bool HasStyle(FontStyle style, FontStyle flags) { return (style & flags) == flags; }

// The styles that font lookups by face compare and that style variants (bold, underlined or italic
// versions of a font) carry; strike-out is not among them.
constexpr FontStyle kVariantStyles = FontStyle::kBold | FontStyle::kUnderline | FontStyle::kItalic;

}  // namespace veneer

#endif  // UI_RENDER_FONT_STYLE_H_
