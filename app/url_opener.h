#ifndef APP_URL_OPENER_H_
#define APP_URL_OPENER_H_

#include <string>

namespace tessaro {

// Opens a web page in the user's browser. The main window decides which URLs may be opened (web URLs
// only) and hands just those to its opener; the program's opener is the shell, tests put a recorder
// in its place. Whoever creates the main window owns the opener, which must outlive the window. UI
// thread.
class IUrlOpener {
 public:
  virtual void OpenInBrowser(const std::wstring& url) = 0;

 protected:
  virtual ~IUrlOpener() = default;
};

// The shell's "open" verb, maximised; failures are ignored (nothing visible happens).
class ShellUrlOpener : public IUrlOpener {
 public:
  void OpenInBrowser(const std::wstring& url) override;
};

}  // namespace tessaro

#endif  // APP_URL_OPENER_H_
