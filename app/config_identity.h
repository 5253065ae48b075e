#ifndef APP_CONFIG_IDENTITY_H_
#define APP_CONFIG_IDENTITY_H_

#include <string>

namespace tessaro {

// Who asks the configuration server what: the server's host and the product's catalogue name.
// Both are process-wide values written once at start-up, on the UI thread, before any fetch thread
// starts; afterwards they are only read (by the fetch threads, without locks). Nothing here talks to
// the network.

// Host name of the configuration server: no scheme, no port, no path. Empty until start-up sets it
// (normally to kBuiltConfigHost).
extern std::wstring ConfigHost;

// The product's catalogue name on the configuration server. Empty until start-up sets it (normally
// to ModuleGoodsName()).
extern std::wstring GoodsName;

// The configuration server host this program was built for (the TESSARO_CONFIG_HOST build setting).
extern const wchar_t* const kBuiltConfigHost;

// The catalogue name a program file path stands for: the text after the last backslash, cut before
// its last '.'; a file name without '.' is used whole; a path without a backslash gives "". A
// trailing " (N)" (N digits), which browsers add to a second download of the same file, is dropped
// unless nothing would be left: "tessaro (1).exe" is still "tessaro".
std::wstring GoodsNameFromModulePath(const std::wstring& module_path);

// The full path of this program's own file, read whole however long; "" if it cannot be read.
std::wstring ModuleFilePath();

// GoodsNameFromModulePath of this program's own file ("" if its path cannot be read).
std::wstring ModuleGoodsName();

}  // namespace tessaro

#endif  // APP_CONFIG_IDENTITY_H_
