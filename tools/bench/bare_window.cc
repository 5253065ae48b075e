// bare_window: the yardstick of the start-up figures. A plain Win32 program that registers one class
// ("TessaroBareWindow"), creates a 960 x 720 window (the main window's size) with nothing but the
// system's drawing, centres and shows it, and runs a message loop. Its WM_PAINT fills the client area
// white and writes one line of text, so that an observer reading the screen can tell a painted window
// from an unpainted (uniform) one. At its first WM_PAINT it prints, on standard output, how many
// milliseconds passed since its process was created (the process's own view, as a cross-check of the
// observer's). It ends on WM_CLOSE, or by itself after the milliseconds given as its only argument.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

const wchar_t kClassName[] = L"TessaroBareWindow";
constexpr int kClientWidth = 960;
constexpr int kClientHeight = 720;
constexpr UINT_PTR kExitTimer = 1;

// Milliseconds between the process's creation (as the system recorded it) and now.
double MillisecondsSinceProcessCreation() {
  FILETIME creation = {}, exit = {}, kernel = {}, user = {}, now = {};
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  const ULARGE_INTEGER start = {{creation.dwLowDateTime, creation.dwHighDateTime}};
  const ULARGE_INTEGER end = {{now.dwLowDateTime, now.dwHighDateTime}};
  return static_cast<double>(end.QuadPart - start.QuadPart) / 10000.0;
}

void Paint(HWND window) {
  static bool painted_before = false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const wchar_t text[] = L"bare window";
  TextOutW(dc, 24, 24, text, static_cast<int>(wcslen(text)));
  EndPaint(window, &paint);
  if (!painted_before) {
    painted_before = true;
    printf("first paint %.1f ms after process creation\n", MillisecondsSinceProcessCreation());
    fflush(stdout);
  }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_TIMER:
      if (wparam == kExitTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

// A window of the main window's client size, centred on the primary monitor's work area.
HWND CreateBareWindow(HINSTANCE instance) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class)) return nullptr;
  const DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = work.left + ((work.right - work.left) - width) / 2;
  const int y = work.top + ((work.bottom - work.top) - height) / 2;
  return CreateWindowExW(0, kClassName, L"Bare window", style, x, y, width, height, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace

// The entry point of a -municode program; the C runtime calls it.
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  HWND window = CreateBareWindow(GetModuleHandleW(nullptr));
  if (!window) {
    fprintf(stderr, "bare_window: cannot create the window (error %lu)\n", GetLastError());
    return 1;
  }
  if (argc > 1) SetTimer(window, kExitTimer, static_cast<UINT>(_wtoi(argv[1])), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
