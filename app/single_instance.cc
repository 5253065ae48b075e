#include "app/single_instance.h"

#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

// How long a later copy waits for the first copy's window (which appears once its skin is built).
constexpr ULONGLONG kWindowWaitMs = 10000;
constexpr DWORD kWindowPollMs = 50;

BOOL CALLBACK FindMarked(HWND window, LPARAM found) {
  if (!GetPropW(window, kInstanceMarker)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND WaitForMarkedWindow() {
  const ULONGLONG deadline = GetTickCount64() + kWindowWaitMs;
  for (;;) {
    if (HWND window = FindMarkedWindow()) return window;
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(kWindowPollMs);
  }
}

}  // namespace

HWND FindMarkedWindow() {
  HWND found = nullptr;
  EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&found));
  return found;
}

void ActivateInstanceWindow(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  ShowWindow(window, SW_SHOW);
}

bool EnsureSingleInstance() {
  // Held until the process ends: the marker of a running copy, from its first moment on.
  static veneer::ScopedKernelHandle marker;
  marker.reset(CreateSemaphoreW(nullptr, 1, 1, kInstanceMarker));
  if (!marker) return true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
  marker.reset();
  if (HWND window = WaitForMarkedWindow()) ActivateInstanceWindow(window);
  return false;
}

}  // namespace tessaro
