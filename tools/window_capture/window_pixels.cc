#include "tools/window_capture/window_pixels.h"

#include "ui/core/win_handles.h"
#include "ui/render/dib_section.h"

namespace tessaro::capture {

HWND FindVisibleWindow(const std::wstring& window_class, DWORD process_id) {
  for (HWND window = FindWindowExW(nullptr, nullptr, window_class.c_str(), nullptr); window;
       window = FindWindowExW(nullptr, window, window_class.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && (process_id == 0 || owner == process_id)) return window;
  }
  return nullptr;
}

bool ReadClientPixels(HWND window, tools::ClientPicture* picture) {
  RECT client = {};
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return false;
  const veneer::ScopedWindowDC window_dc(window);
  if (!window_dc.get()) return false;
  const veneer::ScopedMemoryDC memory_dc(CreateCompatibleDC(window_dc.get()));
  uint32_t* pixels = nullptr;
  const veneer::ScopedBitmap bitmap =
      veneer::CreateDibSection32(memory_dc.get(), client.right, client.bottom, true, &pixels);
  if (!bitmap) return false;
  {
    const veneer::ScopedSelection selection(memory_dc.get(), bitmap.get());
    if (!selection.IsSelected() ||
        !BitBlt(memory_dc.get(), 0, 0, client.right, client.bottom, window_dc.get(), 0, 0, SRCCOPY)) {
      return false;
    }
    GdiFlush();
  }
  picture->width = client.right;
  picture->height = client.bottom;
  picture->pixels.assign(pixels, pixels + static_cast<size_t>(client.right) * client.bottom);
  for (uint32_t& pixel : picture->pixels) pixel |= 0xFF000000u;
  return true;
}

}  // namespace tessaro::capture
