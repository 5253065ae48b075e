#ifndef APP_CONFIG_DOCUMENTS_H_
#define APP_CONFIG_DOCUMENTS_H_

#include <array>
#include <string>
#include <vector>

namespace tessaro {

// The configuration server's two JSON documents, read whole into plain records before anything of
// them is applied: a document is either read completely or refused, so a window never shows half of
// one. Reading is pure (no window, no file, no network) and runs on any thread; the records are
// plain values owned by whoever reads them.
//
// A member that is absent (or null) reads as "", false or no entries. A document is refused when it
// is empty or not JSON, is not an object, nests deeper than kMaxDocumentDepth, has a non-zero `code`,
// or has a member of the wrong kind: an object, array, integer or boolean where one is expected gets
// anything else, or text is expected and an object or array came (numbers and booleans give their
// text). URLs are kept only when IsWebUrl accepts them; any other URL reads as "".

// Nesting deeper than this refuses a document (the parser stops there instead of recursing on).
constexpr unsigned kMaxDocumentDepth = 64;
// Links of `data.navBar` beyond this many are ignored (not read): that is as many as the window's
// 960-pixel navigation bar shows beside its back button.
constexpr size_t kMaxNavigationLinks = 6;

struct CardConfig {
  std::wstring title;
  std::wstring description;  // Card 1 only.
  std::wstring url;
  std::wstring image;
};

struct NavigationLink {
  std::wstring name;
  std::wstring url;
};

// The close dialog's settings, kept by the main window until the dialog opens.
struct CloseDialogSettings {
  bool open = false;
  std::wstring image;
  std::wstring url;
};

// The global document: the main page's pictures, cards and links, and the close dialog.
struct GlobalConfig {
  std::wstring whole_background_image;     // data.main.wholeBackgroundImage
  std::wstring background_image;           // data.main.backgroundImage
  std::array<CardConfig, 4> cards;         // data.main.card1 ... card4
  std::vector<NavigationLink> navigation;  // data.navBar, links with a web URL only
  CloseDialogSettings close_dialog;        // data.dialog
};

// The goods document: the product's names and pictures and its install information.
struct GoodsConfig {
  std::wstring display_name;  // data.displayName
  std::wstring name;          // data.goodsInfo.name
  std::wstring logo;          // data.goodsInfo.logo
  std::wstring icon;          // data.goodsInfo.icon
  // data.installInfo as compact JSON text (one line, ending in a newline), all its members included;
  // "" when the object is absent or its downloadUrl is not a web URL, so that nothing can be installed.
  std::wstring install_info;
};

// Reads a reply body. False (and `config` unchanged) when the document is refused.
bool ReadGlobalConfig(const std::string& body, GlobalConfig* config);
bool ReadGoodsConfig(const std::string& body, GoodsConfig* config);

}  // namespace tessaro

#endif  // APP_CONFIG_DOCUMENTS_H_
