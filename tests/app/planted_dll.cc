// A DLL planted next to a copy of the program under the name of a system DLL the program uses (it is
// built as winhttp.dll): when any process loads it, it appends that process's id to the file that
// TESSARO_PLANTED_MARKER names. The program must never load it: it would run with the program's
// administrator rights.

#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID);

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t marker[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"TESSARO_PLANTED_MARKER", marker, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  const HANDLE file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  const std::string line = std::to_string(GetCurrentProcessId()) + "\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return TRUE;
}
