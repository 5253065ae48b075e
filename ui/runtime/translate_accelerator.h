#ifndef UI_RUNTIME_TRANSLATE_ACCELERATOR_H_
#define UI_RUNTIME_TRANSLATE_ACCELERATOR_H_

#include <windows.h>

namespace veneer {

// A keyboard accelerator translator of a window: the message loop offers it each queued message for the
// window (or its native child windows) before the message is translated and dispatched. Not owned by
// the paint manager. UI thread only.
class ITranslateAccelerator {
 public:
  // True when the message was consumed: it is then neither translated nor dispatched.
  virtual bool TranslateAcceleratorMessage(const MSG& message) = 0;

 protected:
  virtual ~ITranslateAccelerator() = default;
};

}  // namespace veneer

#endif  // UI_RUNTIME_TRANSLATE_ACCELERATOR_H_
