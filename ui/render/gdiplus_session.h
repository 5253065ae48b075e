#ifndef UI_RENDER_GDIPLUS_SESSION_H_
#define UI_RENDER_GDIPLUS_SESSION_H_

namespace veneer {

// Starts GDI+ for the process on first use and keeps it running until the process ends: GDI+
// must not be shut down while any window may still paint, and shutting it down during process exit
// is unsafe, so the session is deliberately never closed. Thread-safe; every later call only reads
// the stored outcome. Returns false when GDI+ could not be started (drawing through GDI+ is then
// skipped by its callers).
bool EnsureGdiplusStarted();

}  // namespace veneer

#endif  // UI_RENDER_GDIPLUS_SESSION_H_
