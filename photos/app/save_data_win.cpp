#include "save_data.h"

#include <functional>
#include <iterator>
#include <utility>

#include "find_picture.h"

void SaveData_CL::RequestPreviewRefresh() {
  if (refreshPending) return;
  const HWND mainWindow = previewWindow ? GetParent(previewWindow) : NULL;
  // A post to no window would land in this thread's queue, where nothing
  // handles it, and the flag would then block every later refresh.
  if (!mainWindow) return;
  if (PostMessageW(mainWindow, WM_PREVIEW_REFRESH, 0, 0)) refreshPending = true;
}

void AppendPhotos(SaveData_CL& owner, PhotoList&& added) {
  if (added.empty()) return;
  PhotoList& photos = owner.photos;
  // Growing the list may move its items; the preview's pointer follows.
  bool pointsIntoList = false;
  std::size_t current = 0;
  if (owner.currentItem && !photos.empty()) {
    const std::less<const PhotoItem*> before;
    const PhotoItem* first = photos.data();
    if (!before(owner.currentItem, first) && before(owner.currentItem, first + photos.size())) {
      pointsIntoList = true;
      current = static_cast<std::size_t>(owner.currentItem - first);
    }
  }
  photos.insert(photos.end(), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
  added.clear();
  if (pointsIntoList) owner.currentItem = &photos[current];
}

void AddPath(SaveData_CL& owner, std::wstring path) {
  PhotoList found;
  AddPath(found, std::move(path));
  AppendPhotos(owner, std::move(found));
}
