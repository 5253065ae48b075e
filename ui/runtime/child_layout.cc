#include "ui/runtime/child_layout.h"

namespace veneer {

const CChildLayoutUI::BuildFrame* CChildLayoutUI::building_ = nullptr;
CChildLayoutUI::SkinBuilder CChildLayoutUI::builder_ = nullptr;

void CChildLayoutUI::SetSkinBuilder(SkinBuilder builder) { builder_ = builder; }

const wchar_t* CChildLayoutUI::GetClassName() const { return L"ChildLayoutUI"; }

void* CChildLayoutUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"ChildLayout") == 0) return this;
  return CControlUI::FindInterface(name);
}

bool CChildLayoutUI::MayBuild() const {
  int depth = 0;
  for (const BuildFrame* frame = building_; frame; frame = frame->outer) {
    if (++depth >= kMaxNesting || frame->file->CompareNoCase(child_skin_file_) == 0) return false;
  }
  return true;
}

void CChildLayoutUI::Initialize() {
  if (content_built_ || child_skin_file_.IsEmpty() || !builder_) return;
  content_built_ = true;
  if (!MayBuild()) return;
  // The frame stays until the content has been added: adding it initialises the child layouts inside.
  const BuildFrame frame{&child_skin_file_, building_};
  building_ = &frame;
  CControlUI* content = builder_(child_skin_file_, GetPaintManager());
  if (!content) {
    RemoveAll();
  } else if (!Add(content)) {
    delete content;
  }
  building_ = frame.outer;
}

void CChildLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (name && CUIString(name).CompareNoCase(L"xmlfile") == 0) {
    SetChildSkinFile(value);
    return;
  }
  CContainerUI::ApplyAttribute(name, value);
}

}  // namespace veneer
