// The shared state: preview refresh requests and the photo-list merge rule.
#include "save_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find_picture.h"
#include "photos/temp_folder.h"

using photos_test::Join;
using photos_test::TempFolder;

namespace {

// A hidden main window with a child standing in for the preview.
class PreviewWindows {
 public:
  PreviewWindows() {
    main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL,
                           GetModuleHandleW(NULL), NULL);
    preview = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, main, NULL,
                              GetModuleHandleW(NULL), NULL);
  }
  ~PreviewWindows() {
    if (main) DestroyWindow(main);
  }
  PreviewWindows(const PreviewWindows&) = delete;
  PreviewWindows& operator=(const PreviewWindows&) = delete;

  int TakeRefreshes() const {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, main, WM_PREVIEW_REFRESH, WM_PREVIEW_REFRESH, PM_REMOVE)) {
      EXPECT_EQ(msg.wParam, 0u);
      EXPECT_EQ(msg.lParam, 0);
      ++count;
    }
    return count;
  }

  HWND main = NULL;
  HWND preview = NULL;
};

int TakeThreadRefreshes() {
  int count = 0;
  MSG msg;
  while (PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_PREVIEW_REFRESH, WM_PREVIEW_REFRESH,
                      PM_REMOVE)) {
    ++count;
  }
  return count;
}

PhotoItem Item(const std::wstring& path) {
  PhotoItem item;
  item.path = path;
  return item;
}

struct WorkerJob {
  PhotoList* staging;
  std::wstring folder;
};

DWORD WINAPI RegisterOnWorker(LPVOID parameter) {
  WorkerJob* job = static_cast<WorkerJob*>(parameter);
  AddPath(*job->staging, job->folder);
  return 0;
}

}  // namespace

TEST(SaveData, RefreshRequestsAreCoalescedUntilTheHandlerRuns) {
  PreviewWindows windows;
  ASSERT_NE(windows.preview, nullptr);
  SaveData_CL data;
  data.previewWindow = windows.preview;

  data.RequestPreviewRefresh();
  data.RequestPreviewRefresh();
  EXPECT_TRUE(data.refreshPending);
  EXPECT_EQ(windows.TakeRefreshes(), 1);

  // The main window's handler clears the flag; the next request posts again.
  data.refreshPending = false;
  data.RequestPreviewRefresh();
  EXPECT_EQ(windows.TakeRefreshes(), 1);
}

TEST(SaveData, RefreshWithoutAPreviewWindowPostsNothingAndDoesNotBlockLaterOnes) {
  SaveData_CL data;
  data.RequestPreviewRefresh();
  EXPECT_FALSE(data.refreshPending);
  EXPECT_EQ(TakeThreadRefreshes(), 0);

  PreviewWindows windows;
  data.previewWindow = windows.preview;
  data.RequestPreviewRefresh();
  EXPECT_EQ(windows.TakeRefreshes(), 1);
}

TEST(SaveData, WorkerFillsItsOwnListAndTheSharedListChangesOnlyAtTheMerge) {
  TempFolder temp;
  for (int f = 0; f < 8; ++f) {
    const std::wstring folder = L"f" + std::to_wstring(f);
    temp.Folder(folder);
    for (int i = 0; i < 40; ++i) temp.File(Join(folder, L"p" + std::to_wstring(i) + L".jpg"));
  }
  SaveData_CL data;
  data.photos.push_back(Item(L"first.jpg"));
  data.photos.push_back(Item(L"second.jpg"));
  data.photos.shrink_to_fit();  // any append would move the items
  data.selectedIndex = 1;
  data.currentItem = &data.photos[1];
  const PhotoItem* const before = data.photos.data();

  PhotoList staging;
  WorkerJob job = {&staging, temp.path()};
  HANDLE worker = CreateThread(NULL, 0, RegisterOnWorker, &job, 0, NULL);
  ASSERT_NE(worker, nullptr);
  // Meanwhile the user-interface thread keeps painting from the shared list.
  std::size_t reads = 0;
  do {
    ASSERT_EQ(data.photos.size(), 2u);
    ASSERT_EQ(data.photos.data(), before);
    ASSERT_EQ(data.photos[1].path, L"second.jpg");
    ++reads;
  } while (WaitForSingleObject(worker, 0) == WAIT_TIMEOUT);
  CloseHandle(worker);
  EXPECT_GT(reads, 0u);
  ASSERT_EQ(staging.size(), 8u * 40u);

  AppendPhotos(data, std::move(staging));
  EXPECT_TRUE(staging.empty());
  ASSERT_EQ(data.photos.size(), 2u + 8u * 40u);
  EXPECT_EQ(data.photos[0].path, L"first.jpg");
  EXPECT_EQ(data.currentItem, &data.photos[1]) << "the preview's item follows the move";
  EXPECT_EQ(data.currentItem->path, L"second.jpg");
}

TEST(SaveData, RegisteringOnTheInterfaceThreadKeepsTheCurrentItemValid) {
  TempFolder temp;
  temp.File(L"a.jpg");
  temp.File(L"b.jpg");
  SaveData_CL data;
  data.photos.push_back(Item(L"only.jpg"));
  data.photos.shrink_to_fit();
  data.currentItem = &data.photos[0];
  AddPath(data, temp.path());
  ASSERT_EQ(data.photos.size(), 3u);
  EXPECT_EQ(data.currentItem, &data.photos[0]);

  // A pointer that is not into the list, or none, is left alone.
  PhotoItem elsewhere = Item(L"elsewhere.jpg");
  data.currentItem = &elsewhere;
  AddPath(data, temp.path());
  EXPECT_EQ(data.currentItem, &elsewhere);
  data.currentItem = nullptr;
  AppendPhotos(data, PhotoList{Item(L"z.jpg")});
  EXPECT_EQ(data.currentItem, nullptr);
  EXPECT_EQ(data.photos.size(), 6u);
}
