#ifndef TOOLS_SKIN_PREVIEW_PREVIEW_OPTIONS_H_
#define TOOLS_SKIN_PREVIEW_PREVIEW_OPTIONS_H_

#include <string>
#include <vector>

namespace tessaro::preview {

// The skin previewer's command line as plain values, and the functions that read it. Nothing here
// touches a window, a file or the skin source: the program acts on what they return.

// Where skin files are read from.
enum class SkinOrigin {
  kEmbeddedArchive,  // The archive the program carries as resource "ZIPRES" 102.
  kArchiveFile,      // A ZIP file on disk (--archive).
  kFolder,           // Plain files in a folder (--folder).
};

// A change made to a named control after the skin is built and before it is painted.
enum class ControlChangeKind { kText, kShow, kHide, kEnable, kDisable, kImage };

struct ControlChange {
  ControlChangeKind kind;
  std::wstring name;
  std::wstring value;  // The text or the image descriptor; empty for the other kinds.
};

struct PreviewOptions {
  std::wstring skin_file;
  SkinOrigin origin = SkinOrigin::kEmbeddedArchive;
  std::wstring origin_path;  // The archive file or the folder; empty for the embedded archive.
  std::wstring output;       // Where the PNG goes; DefaultOutputName(skin_file) unless --out names it.
  std::vector<ControlChange> changes;  // In command-line order.
  bool with_shadow = false;            // --shadow: the window over its drop shadow.
};

enum class ParseOutcome { kPreview, kHelp, kBadArguments };

// Reads the arguments that follow the program name. kPreview fills *options; kBadArguments leaves a
// one-line reason in *error; --help (or -h, /?) anywhere gives kHelp.
ParseOutcome ParsePreviewArguments(const std::vector<std::wstring>& arguments, PreviewOptions* options,
                                   std::wstring* error);

// The picture's default name: the skin file's base name with ".png", in the current folder
// ("skins\MainWnd.xml" gives "MainWnd.png").
std::wstring DefaultOutputName(const std::wstring& skin_file);

// The text --help prints.
const wchar_t* PreviewUsage();

}  // namespace tessaro::preview

#endif  // TOOLS_SKIN_PREVIEW_PREVIEW_OPTIONS_H_
