#include "app/image_fetcher.h"

#include <memory>

#include "app/app_messages.h"
#include "app/config_client.h"
#include "app/image_cache.h"
#include "app/image_slots.h"
#include "app/web_url.h"
#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

// The image worker: downloads its task's file and hands the task to the window, which applies it
// during SendMessageW; frees the task afterwards. Nothing here touches a control.
DWORD WINAPI DownloadImage(LPVOID parameter) {
  const std::unique_ptr<TaskInfo> task(static_cast<TaskInfo*>(parameter));
  try {
    if (DownloadToCacheFile(task->url, task->path)) {
      SendMessageW(task->window, UM_IMAGE_READY, reinterpret_cast<WPARAM>(task.get()), 0);
    }
  } catch (...) {  // Out of memory for a path: the picture is not shown, the program goes on.
  }
  return 0;
}

}  // namespace

void ImageFetcher::Fetch(const std::wstring& url, const std::wstring& slot, const std::wstring& extra) {
  if (!IsWebUrl(url)) return;
  const std::wstring path = CacheFilePath(url);
  if (path.empty()) return;
  const auto downloading = downloading_.find(path);
  if (downloading != downloading_.end()) {
    downloading->second.push_back({slot, extra});
    return;
  }
  TaskInfo task{manager_.GetWindowHandle(), url, slot, path, extra};
  if (IsCacheFilePresent(path)) {
    ApplyImage(task, manager_);
    return;
  }
  downloading_.emplace(path, std::vector<WaitingSlot>());
  auto worker_task = std::make_unique<TaskInfo>(std::move(task));
  const veneer::ScopedKernelHandle worker(
      CreateThread(nullptr, 0, DownloadImage, worker_task.get(), 0, nullptr));
  if (worker) {
    worker_task.release();  // The worker owns it now.
  } else {
    downloading_.erase(path);
  }
}

void ImageFetcher::OnImageReady(const TaskInfo& task) {
  ApplyImage(task, manager_);
  const auto downloading = downloading_.find(task.path);
  if (downloading == downloading_.end()) return;
  const std::vector<WaitingSlot> waiting = std::move(downloading->second);
  downloading_.erase(downloading);
  for (const WaitingSlot& slot : waiting)
    ApplyImage({task.window, task.url, slot.slot, task.path, slot.extra}, manager_);
}

bool DownloadToCacheFile(const std::wstring& url, const std::wstring& path) {
  if (!IsWebUrl(url) || path.empty()) return false;
  const std::wstring partial = path + L"." + std::to_wstring(GetCurrentThreadId()) + L".part";
  const bool whole = HttpGetFile(url, partial) && IsCacheFilePresent(partial) &&
                     MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!whole) DeleteFileW(partial.c_str());
  return whole;
}

}  // namespace tessaro
