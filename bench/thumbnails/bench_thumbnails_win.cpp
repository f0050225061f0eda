// Decodes every JPEG of a folder into 192 x 144 thumbnails through the decode
// worker, as the thumbnail strip does when a folder is opened, and prints
// photos per second, the time until the first four thumbnails arrive, and
// the process's peak working set; then the steps of one photo timed alone.
//
//   bench_thumbnails FOLDER
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bitmap_builders.h"
#include "decode_image.h"
#include "gdiplus_types.h"
#include "source_photo.h"
#include "thread_messages.h"
#include "utf8.h"

namespace {

std::vector<std::wstring> PhotosIn(const std::wstring& folder) {
  std::vector<std::wstring> paths;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*.jpg").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + L"\\" + data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(paths.begin(), paths.end());
  return paths;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The worker's steps for one photo, timed one by one on this thread.
void TimeSteps(const std::wstring& path, LARGE_INTEGER frequency) {
  LARGE_INTEGER t0, t1, t2, t3;
  QueryPerformanceCounter(&t0);
  SourcePhoto_CL photo;
  photo.Load(path);
  QueryPerformanceCounter(&t1);
  ApplyOrientation(photo.Image(), photo.Orientation());
  QueryPerformanceCounter(&t2);
  BitmapPtr thumb = RenderThumbnail(photo.Image(), 192, 144);
  QueryPerformanceCounter(&t3);
  std::printf("one photo by steps:  read and decode %.0f ms, turn %.0f ms, scale %.0f ms\n",
              1000.0 * Seconds(t0, t1, frequency), 1000.0 * Seconds(t1, t2, frequency),
              1000.0 * Seconds(t2, t3, frequency));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_thumbnails FOLDER\n");
    return 2;
  }
  const std::vector<std::wstring> photos = PhotosIn(argv[1]);
  if (photos.empty()) {
    std::fprintf(stderr, "bench_thumbnails: no .jpg files in %s\n", WideToUtf8(argv[1]).c_str());
    return 1;
  }

  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok) {
    std::fprintf(stderr, "bench_thumbnails: GDI+ did not start\n");
    return 1;
  }
  int failures = 0;
  std::size_t delivered = 0;
  double firstOne = 0, firstFour = 0, total = 0;
  {
    // The main window's part: a window that receives the thumbnails.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    DecodeImage_CL decoder;
    decoder.SetTargetWindow(window);
    decoder.Start();

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    // The painter's part: one request per cell, in painting order.
    for (std::size_t i = 0; i < photos.size(); ++i) {
      DecodeImage_CL::ItemPtr item(new DecodeItem_CL(photos[i], 192, 144));
      item->cacheKey = static_cast<int>(i);
      decoder.Enqueue(std::move(item));
    }
    MSG msg;
    while (delivered < photos.size() && GetMessageW(&msg, NULL, 0, 0) > 0) {
      if (msg.message != WM_DECODE_DONE) {
        DispatchMessageW(&msg);
        continue;
      }
      DecodeImage_CL::ItemPtr item = DecodeImage_CL::TakeItem(msg.lParam);
      if (!item->result || item->result->GetWidth() != 192) ++failures;
      ++delivered;
      QueryPerformanceCounter(&now);
      if (delivered == 1) firstOne = Seconds(start, now, frequency);
      if (delivered == 4) firstFour = Seconds(start, now, frequency);
    }
    QueryPerformanceCounter(&now);
    total = Seconds(start, now, frequency);
    decoder.Shutdown();
    DestroyWindow(window);
  }
  PROCESS_MEMORY_COUNTERS memory;
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

  std::printf("photos:              %zu (%d without a thumbnail)\n", delivered, failures);
  std::printf("total:               %.2f s\n", total);
  std::printf("photos per second:   %.2f\n", static_cast<double>(delivered) / total);
  std::printf("mean per photo:      %.0f ms\n", 1000.0 * total / static_cast<double>(delivered));
  std::printf("first thumbnail:     %.0f ms\n", 1000.0 * firstOne);
  std::printf("first four:          %.0f ms\n", 1000.0 * firstFour);
  std::printf("peak working set:    %.1f MB\n", static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
  {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    TimeSteps(photos[0], frequency);
  }
  Gdiplus::GdiplusShutdown(token);
  return failures == 0 && delivered == photos.size() ? 0 : 1;
}
