#ifndef UI_RUNTIME_IMAGE_DESCRIPTOR_CACHE_H_
#define UI_RUNTIME_IMAGE_DESCRIPTOR_CACHE_H_

#include <memory>

#include "ui/render/image_descriptor.h"
#include "ui/runtime/owned_value_map.h"

namespace veneer {

// A window's parsed image descriptors by key text, bounded in size. Texts that change with state (a
// progress bar's modifier, pictures named by the server) would otherwise add one record each for the
// window's life. Records live in two generations: a lookup finds a record in the current generation or
// moves it there from the previous one; a new record joins the current one; and when the current one
// holds kGenerationSize records, the previous generation is freed and the current one becomes the
// previous. So at most 2 * kGenerationSize records are kept, and a record is freed only after
// kGenerationSize other texts have been looked up since its own last lookup. A caller may therefore keep
// the records it got through any call that looks up fewer texts than that (painting a control looks up a
// handful), and one generation holds every descriptor a skin names several times over. It parses
// nothing. Owned by its paint manager, with the records in it. UI thread only.
class CImageDescriptorCache {
 public:
  static constexpr int kGenerationSize = 1024;

  CImageDescriptorCache() = default;
  CImageDescriptorCache(const CImageDescriptorCache&) = delete;
  CImageDescriptorCache& operator=(const CImageDescriptorCache&) = delete;

  // The record stored under `key`, or null.
  ImageDescriptor* Find(const wchar_t* key);
  // Takes `record` for `key`, which Find has just not found, and returns it; null (the record deleted)
  // when it cannot be stored. A full current generation first becomes the previous one.
  ImageDescriptor* Insert(const wchar_t* key, std::unique_ptr<ImageDescriptor> record);

 private:
  COwnedValueMap<ImageDescriptor>& Current() { return generations_[current_]; }
  COwnedValueMap<ImageDescriptor>& Previous() { return generations_[1 - current_]; }

  COwnedValueMap<ImageDescriptor> generations_[2];
  int current_ = 0;  // Index of the current generation.
};

}  // namespace veneer

#endif  // UI_RUNTIME_IMAGE_DESCRIPTOR_CACHE_H_
