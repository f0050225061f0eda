// The program's single shared state, one global instance alive for the whole
// run, and the rule that keeps its photo list safe.
//
// The photo list is touched by the user-interface thread only. A registration
// worker never appends to `photos`: it collects into a PhotoList of its own
// (AddPath(PhotoList&, path)), and the user-interface thread hands that list
// to AppendPhotos once the progress dialog has closed and the worker has
// ended. So painting and the preview may read `photos` while a worker runs
// without a lock: the list neither grows nor moves under them, and the
// thumbnail strip learns the new count only after the merge.
#pragma once

#include <windows.h>

#include <string>

#include "photo_item.h"

// Owned by the main window; only pointed at here.
class MyPictureImage_CL;
class MyPictureListView_CL;

// Posted to the main window: show the photo at selectedIndex in the preview.
enum : UINT { WM_PREVIEW_REFRESH = 1843 };

class SaveData_CL {
 public:
  SaveData_CL() {}
  virtual ~SaveData_CL() {}
  SaveData_CL(const SaveData_CL&) = delete;
  SaveData_CL& operator=(const SaveData_CL&) = delete;

  // Posts WM_PREVIEW_REFRESH to the main window unless one is already queued;
  // the main window's handler clears refreshPending. Nothing is posted, and
  // the flag stays clear, while there is no preview window to post through.
  void RequestPreviewRefresh();

  bool windowTopMost = false;
  bool addOrientation = false;  // a turn gives a photo without an Orientation entry one
  bool turnRawTwins = true;     // a turn of a JPEG turns its raw twins that showed the same way
  PhotoList photos;
  PhotoItem* currentItem = nullptr;  // into photos; kept valid by AppendPhotos
  int selectedIndex = -1;
  MyPictureImage_CL* previewControl = nullptr;   // not owned
  MyPictureListView_CL* listControl = nullptr;   // not owned
  bool refreshPending = false;
  // The preview's own window; the preview sets it when it is created. Its
  // parent is the main window, which receives WM_PREVIEW_REFRESH.
  HWND previewWindow = nullptr;
};

// Appends photos collected elsewhere (by a registration worker, or by AddPath
// below) to the shared list. User-interface thread only.
void AppendPhotos(SaveData_CL& owner, PhotoList&& added);

// Registers one path on the user-interface thread (drops, the command line).
void AddPath(SaveData_CL& owner, std::wstring path);
