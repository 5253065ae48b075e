#ifndef APP_IMAGE_SLOTS_H_
#define APP_IMAGE_SLOTS_H_

#include "app/task_info.h"
#include "ui/runtime/paint_manager.h"

namespace tessaro {

// The slot keys of the configuration documents' pictures: which control's background a downloaded
// file becomes, or what else it is for.
constexpr wchar_t kSlotWholeBackground[] = L"wholeBackgroundImage";                // "ver_background"
constexpr wchar_t kSlotBackground[] = L"backgroundImage";                          // "card_main"
constexpr const wchar_t* kSlotCards[] = {L"card1", L"card2", L"card3", L"card4"};  // "con_card1" ...
constexpr wchar_t kSlotLogo[] = L"logo";                                           // "con_logo"
constexpr wchar_t kSlotIcon[] = L"icon";                 // the desktop shortcut's icon
constexpr wchar_t kSlotCloseImage[] = L"closeImageUrl";  // kept in the cache for the dialog

// Applies the cached file `task.path` to the task's slot: the named control's "bkimage" becomes the
// bare path (a control the skin lacks is skipped); the "icon" slot writes the desktop shortcut named
// by `task.extra` with the file as its icon; any other slot does nothing (the file stays cached).
// UI thread; the task is only read.
void ApplyImage(const TaskInfo& task, veneer::CPaintManagerUI& manager);

}  // namespace tessaro

#endif  // APP_IMAGE_SLOTS_H_
