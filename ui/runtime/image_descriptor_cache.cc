#include "ui/runtime/image_descriptor_cache.h"

#include <cassert>
#include <utility>

namespace veneer {

ImageDescriptor* CImageDescriptorCache::Find(const wchar_t* key) {
  if (ImageDescriptor* record = Current().Find(key)) return record;
  std::unique_ptr<ImageDescriptor> record = Previous().Take(key);
  return record ? Insert(key, std::move(record)) : nullptr;
}

ImageDescriptor* CImageDescriptorCache::Insert(const wchar_t* key, std::unique_ptr<ImageDescriptor> record) {
  if (Current().GetSize() >= kGenerationSize) {
    current_ = 1 - current_;
    Current().RemoveAll();
  }
  assert(Current().GetSize() < kGenerationSize && Previous().GetSize() <= kGenerationSize);
  ImageDescriptor* stored = record.get();
  return Current().Insert(key, std::move(record)) ? stored : nullptr;
}

}  // namespace veneer
