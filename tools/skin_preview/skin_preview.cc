// skin_preview: builds one skin file into a window of the skin's size, paints it and writes the window's
// client area (with --shadow, over its drop shadow) to a PNG file, so that a skin can be looked at
// without the application. PreviewUsage describes the command line; every failure is one line on
// standard error and a non-zero exit status, never a message box.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/common/client_picture.h"
#include "tools/common/console_line.h"
#include "tools/skin_preview/preview_options.h"
#include "tools/skin_preview/preview_picture.h"
#include "tools/skin_preview/preview_window.h"
#include "ui/markup/skin_source.h"
#include "ui/runtime/control.h"

namespace tessaro::preview {
namespace {

using tools::WriteLine;

enum ExitStatus { kSuccess = 0, kPreviewFailed = 1, kBadCommandLine = 2 };

constexpr DWORD kMaxArchiveSize = 64 * 1024 * 1024;

void Report(const std::wstring& text) { WriteLine(STD_ERROR_HANDLE, L"skin_preview: " + text); }

int Fail(const std::wstring& reason) {
  Report(reason);
  return kPreviewFailed;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}

// The skin archive stays in memory for the rest of the process, as the skin source requires.
std::vector<unsigned char>& ArchiveBytes() {
  static std::vector<unsigned char> bytes;
  return bytes;
}

bool HandOverArchive(const std::wstring& description, std::wstring* error) {
  std::vector<unsigned char>& bytes = ArchiveBytes();
  veneer::SetSkinArchiveMemory(bytes.data(), static_cast<DWORD>(bytes.size()), nullptr);
  if (veneer::GetCachedSkinArchive()) return true;
  *error = description + L" is not a readable ZIP archive";
  return false;
}

// Points the skin source at the skin files: the embedded archive, an archive file, or a folder (made
// the current folder, so that skin files, includes and images are read relative to it).
bool UseSkinOrigin(const PreviewOptions& options, std::wstring* error) {
  veneer::SetAppModule(GetModuleHandleW(nullptr));
  const std::wstring quoted = L"'" + options.origin_path + L"'";
  switch (options.origin) {
    case SkinOrigin::kEmbeddedArchive:
      if (!veneer::ReadSkinResource(nullptr, MAKEINTRESOURCEW(102), L"ZIPRES", &ArchiveBytes())) {
        *error = L"this program carries no skin archive (resource ZIPRES 102)";
        return false;
      }
      return HandOverArchive(L"the embedded skin archive", error);
    case SkinOrigin::kArchiveFile:
      if (veneer::ReadSkinDiskFile(options.origin_path.c_str(), kMaxArchiveSize, &ArchiveBytes()) !=
          veneer::SkinReadStatus::kRead) {
        *error = L"cannot read the skin archive " + quoted;
        return false;
      }
      return HandOverArchive(quoted, error);
    case SkinOrigin::kFolder:
      if (SetCurrentDirectoryW(options.origin_path.c_str())) return true;
      *error = L"cannot open the skin folder " + quoted;
      return false;
  }
  return false;
}

void ApplyChange(const ControlChange& change, veneer::CControlUI* control) {
  switch (change.kind) {
    case ControlChangeKind::kText:
      control->SetText(change.value.c_str());
      break;
    case ControlChangeKind::kShow:
    case ControlChangeKind::kHide:
      control->SetVisible(change.kind == ControlChangeKind::kShow);
      break;
    case ControlChangeKind::kEnable:
    case ControlChangeKind::kDisable:
      control->SetEnabled(change.kind == ControlChangeKind::kEnable);
      break;
    case ControlChangeKind::kImage:
      control->SetBackImage(change.value.c_str());
      break;
  }
}

bool ApplyChanges(const PreviewOptions& options, PreviewWindow* window, std::wstring* error) {
  for (const ControlChange& change : options.changes) {
    veneer::CControlUI* control = window->FindControl(change.name.c_str());
    if (!control) {
      *error = L"no control named '" + change.name + L"' in skin '" + options.skin_file + L"'";
      return false;
    }
    ApplyChange(change, control);
  }
  return true;
}

// The picture --shadow asks for: the client area over the drop shadow, or the client area alone (with a
// note) for a skin without a shadow. False with *error when the shadow cannot be drawn.
bool AddShadow(PreviewWindow* window, const std::wstring& skin_file, ClientPicture* picture,
               std::wstring* error) {
  ClientPicture shadowed;
  switch (window->ComposeWithShadow(*picture, kShadowBackdrop, &shadowed, error)) {
    case PreviewWindow::ShadowOutcome::kComposed:
      *picture = std::move(shadowed);
      return true;
    case PreviewWindow::ShadowOutcome::kNoShadow:
      Report(L"note: skin '" + skin_file + L"' shows no drop shadow; the picture is its client area alone");
      return true;
    case PreviewWindow::ShadowOutcome::kFailed:
      return false;
  }
  return false;
}

int Preview(const PreviewOptions& options) {
  // The output path is fixed before a skin folder becomes the current folder.
  const std::wstring output = FullPath(options.output);
  std::wstring error;
  if (!UseSkinOrigin(options, &error)) return Fail(error);
  PreviewWindow window(options.skin_file);
  if (!window.Create(&error)) return Fail(error);
  if (!ApplyChanges(options, &window, &error)) return Fail(error);
  window.ShowAndPaint();
  ClientPicture picture;
  if (!window.CaptureClient(&picture)) return Fail(L"cannot make a bitmap of the window's size");
  if (options.with_shadow && !AddShadow(&window, options.skin_file, &picture, &error)) return Fail(error);
  if (!tools::WritePngFile(output, picture)) return Fail(L"cannot write the picture to '" + output + L"'");
  WriteLine(STD_OUTPUT_HANDLE, L"wrote " + output + L" (" + std::to_wstring(picture.width) + L" x " +
                                   std::to_wstring(picture.height) + L")");
  return kSuccess;
}

int Run(const std::vector<std::wstring>& arguments) {
  // Failures must end the process with a status, never wait for someone to close a system dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  PreviewOptions options;
  std::wstring error;
  switch (ParsePreviewArguments(arguments, &options, &error)) {
    case ParseOutcome::kHelp:
      WriteLine(STD_OUTPUT_HANDLE, PreviewUsage());
      return kSuccess;
    case ParseOutcome::kBadArguments:
      Report(error);
      return kBadCommandLine;
    case ParseOutcome::kPreview:
      break;
  }
  return Preview(options);
}

}  // namespace
}  // namespace tessaro::preview

// The entry point of a -municode program; the C runtime calls it with the UTF-16 command line.
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  return tessaro::preview::Run(std::vector<std::wstring>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
