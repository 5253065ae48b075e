// Prints what building the installer's main window costs: "MainWnd.xml" from the embedded skin archive
// parsed, built into controls for a hidden 960 x 720 window's paint manager (with the included
// Default.xml's 21 fonts and default lists) and laid out once, as a window does before its first paint.
// The parse alone is printed beside it. Figures only.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "tests/runtime/managed_window.h"
#include "tests/support/benchmark_timer.h"
#include "ui/controls/skin_builder.h"
#include "ui/markup/markup_document.h"
#include "ui/markup/skin_source.h"
#include "ui/runtime/control.h"

namespace veneer::test {
namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 720;
constexpr int kBuilds = 500;

CControlUI* CountControl(CControlUI*, void* count) {
  ++*static_cast<int*>(count);
  return nullptr;
}

// Runs the messages waiting for the window: the delayed destruction of replaced trees.
void RunPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

void Run() {
  std::vector<unsigned char> archive;
  if (!ReadSkinResource(nullptr, MAKEINTRESOURCEW(102), L"ZIPRES", &archive)) {
    std::printf("no skin archive in the program's resources\n");
    return;
  }
  SetSkinArchiveMemory(archive.data(), static_cast<DWORD>(archive.size()), nullptr);

  ReportMicrosecondsPerCall("MainWnd.xml parsed from the archive", kBuilds, [] {
    CMarkupDocument document;
    document.LoadFromSkinFile(L"MainWnd.xml", MarkupEncoding::Utf8);
  });

  ManagedWindow window(kWidth, kHeight);
  CPaintManagerUI& manager = window.manager();
  const CUIRect client(0, 0, kWidth, kHeight);
  double seconds = 0;
  int controls = 0;
  for (int i = 0; i <= kBuilds; ++i) {
    // A fresh window's state: empty resource tables and name map; the old tree's destruction is not timed.
    manager.AttachToWindow(window.hwnd(), L"bench");
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    CSkinBuilder builder;
    CControlUI* root = builder.BuildFromSkin(L"MainWnd.xml", nullptr, nullptr, &manager, nullptr);
    manager.SetRoot(root);
    root->Place(client, false);
    if (i > 0) seconds += SecondsSince(start);  // The first build warms caches up.
    RunPendingMessages();
  }
  manager.GetRoot()->FindMatching(CountControl, &controls, 0);
  std::printf("%d controls built\n", controls);
  PrintMicrosecondsPerCall("MainWnd.xml parsed, built and laid out", seconds * 1e6 / kBuilds);
}

}  // namespace
}  // namespace veneer::test

int main() {
  veneer::test::Run();
  return 0;
}
