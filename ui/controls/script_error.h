#ifndef UI_CONTROLS_SCRIPT_ERROR_H_
#define UI_CONTROLS_SCRIPT_ERROR_H_

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace veneer {

// The script error that a page's document reports through its window's current event object: the
// event's "errorLine", "errorCharacter", "errorCode", "errorMessage" and "errorUrl" as text, each ""
// when the event does not have it.
struct ScriptError {
  std::wstring line;
  std::wstring character;
  std::wstring code;
  std::wstring message;
  std::wstring url;
};

// Reads the error of the document that `document` holds (an interface variant), checking every step
// on the way (document, window, event); false, with `*error` untouched, when any is missing.
bool ReadScriptError(const VARIANT* document, ScriptError* error);

// Reads the error and writes it to the debugger's output, in place of the dialog the browser would
// show. Nothing when it cannot be read. UI thread.
void ReportScriptError(const VARIANT* document);

}  // namespace veneer

#endif  // UI_CONTROLS_SCRIPT_ERROR_H_
