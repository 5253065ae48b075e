#include "tools/skin_preview/preview_options.h"

#include <cstddef>

namespace tessaro::preview {
namespace {

// The options that change a control, each followed by the control's name (with "=VALUE" where a
// value is taken).
struct ChangeOption {
  const wchar_t* name;
  ControlChangeKind kind;
  bool takes_value;
};

constexpr ChangeOption kChangeOptions[] = {
    {L"--text", ControlChangeKind::kText, true},        {L"--show", ControlChangeKind::kShow, false},
    {L"--hide", ControlChangeKind::kHide, false},       {L"--enable", ControlChangeKind::kEnable, false},
    {L"--disable", ControlChangeKind::kDisable, false}, {L"--image", ControlChangeKind::kImage, true},
};

const ChangeOption* FindChangeOption(const std::wstring& argument) {
  for (const ChangeOption& option : kChangeOptions) {
    if (argument == option.name) return &option;
  }
  return nullptr;
}

bool IsHelp(const std::wstring& argument) {
  return argument == L"--help" || argument == L"-h" || argument == L"/?";
}

// "NAME=VALUE" for options with a value, "NAME" for the others; false with *error when it is not.
bool ReadChange(const ChangeOption& option, const std::wstring& operand, ControlChange* change,
                std::wstring* error) {
  change->kind = option.kind;
  if (!option.takes_value) {
    change->name = operand;
    if (!operand.empty()) return true;
    *error = std::wstring(option.name) + L" needs a control name";
    return false;
  }
  const size_t equals = operand.find(L'=');
  if (equals == std::wstring::npos || equals == 0) {
    *error = std::wstring(option.name) + L" needs NAME=VALUE, not '" + operand + L"'";
    return false;
  }
  change->name = operand.substr(0, equals);
  change->value = operand.substr(equals + 1);
  return true;
}

// --folder and --archive: at most one of them, once.
bool ReadOrigin(SkinOrigin origin, const std::wstring& path, PreviewOptions* options, std::wstring* error) {
  if (options->origin != SkinOrigin::kEmbeddedArchive) {
    *error = L"--folder and --archive may be given once, and not both";
    return false;
  }
  if (path.empty()) {
    *error = origin == SkinOrigin::kFolder ? L"--folder needs a folder" : L"--archive needs a file";
    return false;
  }
  options->origin = origin;
  options->origin_path = path;
  return true;
}

bool ReadArgument(const std::vector<std::wstring>& arguments, size_t* index, PreviewOptions* options,
                  std::wstring* error) {
  const std::wstring& argument = arguments[*index];
  const bool is_option = argument.size() > 1 && argument[0] == L'-';
  if (!is_option) {
    if (options->skin_file.empty()) {
      options->skin_file = argument;
      return true;
    }
    *error = L"more than one skin file: '" + options->skin_file + L"' and '" + argument + L"'";
    return false;
  }
  if (argument == L"--shadow") {
    options->with_shadow = true;
    return true;
  }
  const ChangeOption* change_option = FindChangeOption(argument);
  const bool known =
      change_option || argument == L"--out" || argument == L"--folder" || argument == L"--archive";
  if (!known) {
    *error = L"unknown option '" + argument + L"' (--help lists the options)";
    return false;
  }
  if (*index + 1 >= arguments.size()) {
    *error = argument + L" needs a value";
    return false;
  }
  const std::wstring& operand = arguments[++*index];
  if (change_option) {
    ControlChange change;
    if (!ReadChange(*change_option, operand, &change, error)) return false;
    options->changes.push_back(change);
    return true;
  }
  if (argument == L"--out") {
    options->output = operand;
    if (!operand.empty()) return true;
    *error = L"--out needs a file name";
    return false;
  }
  return ReadOrigin(argument == L"--folder" ? SkinOrigin::kFolder : SkinOrigin::kArchiveFile, operand,
                    options, error);
}

}  // namespace

ParseOutcome ParsePreviewArguments(const std::vector<std::wstring>& arguments, PreviewOptions* options,
                                   std::wstring* error) {
  *options = PreviewOptions();
  error->clear();
  for (const std::wstring& argument : arguments) {
    if (IsHelp(argument)) return ParseOutcome::kHelp;
  }
  for (size_t index = 0; index < arguments.size(); ++index) {
    if (!ReadArgument(arguments, &index, options, error)) return ParseOutcome::kBadArguments;
  }
  if (options->skin_file.empty()) {
    *error = L"no skin file given (--help shows how to call the previewer)";
    return ParseOutcome::kBadArguments;
  }
  if (options->output.empty()) options->output = DefaultOutputName(options->skin_file);
  return ParseOutcome::kPreview;
}

std::wstring DefaultOutputName(const std::wstring& skin_file) {
  const size_t folder_end = skin_file.find_last_of(L"\\/:");
  std::wstring name = folder_end == std::wstring::npos ? skin_file : skin_file.substr(folder_end + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  if (name.empty()) name = L"preview";
  return name + L".png";
}

const wchar_t* PreviewUsage() {
  return LR"(Usage: skin_preview.exe SKIN_FILE [options]

Builds SKIN_FILE (for example MainWnd.xml) into a window of the skin's size, on the window base the
product's windows use, lays it out, paints it and writes the window's client area to a PNG file.
Exit status: 0 when the picture was written, 1 when the skin cannot be previewed (it cannot be
built, a control name is unknown, its drop shadow cannot be drawn, the picture cannot be written),
2 for a bad command line. Failures are one line on standard error, never a message box.

Where the skin files come from (default: the skin archive built into this program):
  --folder DIR          plain files in DIR (includes and images are read relative to it)
  --archive FILE.zip    a skin archive on disk

What the picture shows and where it goes:
  --shadow              the window over its drop shadow, both on a light grey backdrop (#DCDCDC):
                        the picture grows by the skin's shadowsize on each side (MainWnd.xml:
                        996 x 756, the window at 18,18). A skin without showshadow="true" gives
                        the client area alone and a note on standard error; a shadow image that
                        cannot be loaded is an error
  --out FILE.png        default: the skin file's base name with .png, in the current folder

Changes to named controls, made in the order given, after building and before painting:
  --text NAME=TEXT      set the control's text
  --show NAME           make the control visible
  --hide NAME           make the control invisible
  --enable NAME         enable the control
  --disable NAME        disable the control
  --image NAME=DESC     set the control's background image (an image descriptor, for example
                        "file='card.png' corner='4,4,4,4'")
  An unknown control name is an error.

  --help                print this text

Examples: skin_preview.exe MainWnd.xml --show hor_main --out main.png
          skin_preview.exe MainWnd.xml --shadow --out main_shadow.png
)";
}

}  // namespace tessaro::preview
