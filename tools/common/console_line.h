#ifndef TOOLS_COMMON_CONSOLE_LINE_H_
#define TOOLS_COMMON_CONSOLE_LINE_H_

#include <windows.h>

#include <string>

namespace tessaro::tools {

// Writes `text` and a line end, as UTF-8, to a standard handle (STD_OUTPUT_HANDLE or
// STD_ERROR_HANDLE). The tools' messages go through it so that names in any script survive a pipe.
void WriteLine(DWORD standard_handle, const std::wstring& text);

}  // namespace tessaro::tools

#endif  // TOOLS_COMMON_CONSOLE_LINE_H_
