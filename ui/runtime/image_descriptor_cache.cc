#include "ui/runtime/image_descriptor_cache.h"

namespace veneer {

ImageDescriptor* CImageDescriptorCache::Find(const wchar_t* key) {
  if (ImageDescriptor* record = Current().Find(key)) return record;
  ImageDescriptor* record = Previous().Take(key);
  return record ? Insert(key, record) : nullptr;
}

ImageDescriptor* CImageDescriptorCache::Insert(const wchar_t* key, ImageDescriptor* record) {
  if (Current().GetSize() >= kGenerationSize) {
    current_ = 1 - current_;
    Current().RemoveAll();
  }
  return Current().Insert(key, record) ? record : nullptr;
}

}  // namespace veneer
