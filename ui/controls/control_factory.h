#ifndef UI_CONTROLS_CONTROL_FACTORY_H_
#define UI_CONTROLS_CONTROL_FACTORY_H_

#include <map>

#include "ui/core/ui_string.h"

namespace veneer {

class CControlUI;

// The process-wide table from control class names ("CVerticalLayoutUI") to functions that create a
// control of that class: how the skin builder turns element names into controls. Names are matched
// ignoring letter case. It creates controls and keeps nothing of them: the caller owns every control
// it returns.
//
// The one instance is made on first use, with the framework's control classes registered, and lives
// until the process ends. Registering happens on the UI thread; lookups are read-only.
class CControlFactory {
 public:
  using Creator = CControlUI* (*)();

  static CControlFactory& Instance();

  // Registers `create` under the class name; a name already registered keeps its first creator (false).
  bool RegisterControlClass(const wchar_t* class_name, Creator create);
  // A new control of the named class, or null for a name that is not registered.
  CControlUI* CreateByClassName(const wchar_t* class_name) const;

 private:
  struct ByCodeUnits {
    bool operator()(const CUIString& a, const CUIString& b) const { return a.Compare(b) < 0; }
  };

  CControlFactory();

  std::map<CUIString, Creator, ByCodeUnits> creators_;  // Lower-cased class name to creator.
};

}  // namespace veneer

#endif  // UI_CONTROLS_CONTROL_FACTORY_H_
