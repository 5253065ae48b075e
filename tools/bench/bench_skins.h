#ifndef TOOLS_BENCH_BENCH_SKINS_H_
#define TOOLS_BENCH_BENCH_SKINS_H_

#include <string>

// The UTF-8 documents the markup benchmark parses.

// A generated skin of `controls` controls (buttons, labels, options, texts, progress bars) in rows
// of horizontal layouts, each with the attributes real skins give them: names, positions, colours,
// fonts, image descriptors with entities, Chinese texts.
std::string MakeLargeSkin(int controls);

// A window skin like the installer's main window: title bar, pages, cards, navigation and install
// area, with an included list of default attributes.
std::string RealisticWindowSkin();

#endif  // TOOLS_BENCH_BENCH_SKINS_H_
