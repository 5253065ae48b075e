#ifndef APP_IMAGE_FETCHER_H_
#define APP_IMAGE_FETCHER_H_

#include <map>
#include <string>
#include <vector>

#include "app/task_info.h"
#include "ui/runtime/paint_manager.h"

namespace tessaro {

// Turns picture URLs from the configuration documents into cached files (image_cache.h) applied to
// their slots (image_slots.h). A cached file is applied at once; otherwise one worker thread per URL
// downloads it, writing under a temporary name and moving the whole file into place, and sends
// UM_IMAGE_READY with its TaskInfo to the window of `manager`, whose handler calls OnImageReady. A
// second slot asking for a URL that is still being downloaded waits for that download instead of
// starting another. A failed download (no reply, an error status, an empty file) sends nothing: its
// slots keep their skin pictures and the URL is not asked for again in this run.
//
// Owned by the main window, used on its UI thread only; the paint manager must outlive it. Workers
// never touch it or any control: they own their TaskInfo and free it after SendMessageW returns.
class ImageFetcher {
 public:
  explicit ImageFetcher(veneer::CPaintManagerUI& manager) : manager_(manager) {}
  ImageFetcher(const ImageFetcher&) = delete;
  ImageFetcher& operator=(const ImageFetcher&) = delete;

  // Makes sure the picture at `url` is cached and applied to `slot`, now or later. A URL that is not
  // a web URL (IsWebUrl), the empty one included, does nothing. `extra` travels with the slot (the
  // shortcut name for the "icon" slot).
  void Fetch(const std::wstring& url, const std::wstring& slot, const std::wstring& extra);

  // UM_IMAGE_READY: applies the downloaded file to the task's slot and to every slot that waited for
  // the same file.
  void OnImageReady(const TaskInfo& task);

 private:
  struct WaitingSlot {
    std::wstring slot;
    std::wstring extra;
  };

  veneer::CPaintManagerUI& manager_;
  // Cache paths being downloaded, each with the slots that asked for it after the download started.
  std::map<std::wstring, std::vector<WaitingSlot>> downloading_;
};

// Downloads `url` (a web URL) into the file `path` with HttpGetFile: the bytes go to a file of a
// temporary name next to it, which replaces `path` only when the reply had status 200 and at least one
// byte, so no half-written file or error page is ever decoded or kept. (The URL moniker download of
// the platform would save an error page as the picture and keep it in the cache for good.) Blocking;
// any thread. True when `path` now holds the download.
bool DownloadToCacheFile(const std::wstring& url, const std::wstring& path);

}  // namespace tessaro

#endif  // APP_IMAGE_FETCHER_H_
