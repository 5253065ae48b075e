#ifndef UI_RUNTIME_CONTROL_TEXT_TABLE_H_
#define UI_RUNTIME_CONTROL_TEXT_TABLE_H_

#include "ui/core/ui_string.h"

namespace veneer {

// Answers text keys that the text table does not hold yet (the application's windows implement it).
// The returned text is copied at once; null means "no text for this key".
class IQueryControlText {
 public:
  virtual ~IQueryControlText() = default;
  virtual const wchar_t* QueryControlText(const wchar_t* key) = 0;
};

// The process-wide table of texts by key, for controls whose text and tool tip are keys ("resourcetext").
// Keys compare exactly. The table owns its texts; the query callback is not owned and must be
// unregistered (SetQueryCallback(nullptr)) before it is destroyed. UI thread only.
class CControlTextTable {
 public:
  CControlTextTable() = delete;

  // Stores (or replaces) the text of a key; a null text removes the key.
  static void SetText(const wchar_t* key, const wchar_t* text);
  static void SetQueryCallback(IQueryControlText* callback);
  static void RemoveAll();

  // The text for a key: the table's text; else the callback's text, which is then kept in the table;
  // else the key itself. An empty key gives an empty text.
  static CUIString Resolve(const wchar_t* key);
};

}  // namespace veneer

#endif  // UI_RUNTIME_CONTROL_TEXT_TABLE_H_
