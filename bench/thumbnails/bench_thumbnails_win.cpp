// Decodes the JPEGs of a folder into 192 x 144 thumbnails through the decode
// worker, as the thumbnail strip does when a folder is opened:
//   1. a page of PAGE cells is requested in painting order, and the time
//      until every cell shows a picture, and until every cell shows its
//      full-quality picture, is taken from the moment of that first paint;
//   2. then every photo of the folder is requested, for photos per second.
// MODE "program" is the program as it is (quick pictures from the embedded
// thumbnails, one decode thread per core); "plain" is one thread and full
// decodes only. Prints one "name: value" line per figure, then the steps of
// one photo timed alone; run each mode in a process of its own, so that
// the peak working set is that mode's.
//
//   bench_thumbnails FOLDER MODE [PAGE]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cwchar>
#include <set>
#include <cstdio>
#include <string>
#include <vector>

#include "bitmap_builders.h"
#include "decode_image.h"
#include "embedded_picture.h"
#include "gdiplus_types.h"
#include "jpeg_bitmap.h"
#include "read_orientation.h"
#include "shown_bytes.h"
#include "source_photo.h"
#include "thread_messages.h"
#include "utf8.h"

namespace {

std::vector<std::wstring> PhotosIn(const std::wstring& folder) {
  std::vector<std::wstring> paths;
  WIN32_FIND_DATAW data;
  for (const wchar_t* pattern : {L"\\*.jpg", L"\\*.nef"}) {
    HANDLE find = FindFirstFileW((folder + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The worker's steps for one photo, timed one by one on this thread, and
// GDI+'s full decode of it for comparison.
void TimeSteps(const std::wstring& path, LARGE_INTEGER frequency) {
  LARGE_INTEGER t0, t1, t2, t3;
  QueryPerformanceCounter(&t0);
  // A raw file's embedded preview alone, as the worker reads it.
  const ShownBytes shown = ReadPhotoBytes(path);
  const std::vector<unsigned char>& bytes = shown.bytes;
  QueryPerformanceCounter(&t1);
  JpegTarget cell;
  cell.rule = kJpegThumbnail;
  cell.width = 192;
  cell.height = 144;
  UprightPixels pixels;
  DecodeJpegUpright(bytes.data(), bytes.size(),
                    shown.embedded ? shown.orientation : ReadOrientation(bytes.data(), bytes.size()), cell, &pixels);
  QueryPerformanceCounter(&t2);
  BitmapPtr upright = BitmapFromPixels(pixels);
  BitmapPtr thumb = RenderThumbnail(upright.get(), 192, 144);
  QueryPerformanceCounter(&t3);
  std::printf("one photo by steps:  read %.0f ms, decode at %d/8 and turn %.0f ms, scale %.0f ms\n",
              1000.0 * Seconds(t0, t1, frequency), pixels.scaleEighths,
              1000.0 * Seconds(t1, t2, frequency), 1000.0 * Seconds(t2, t3, frequency));
  LARGE_INTEGER g0, g1;
  QueryPerformanceCounter(&g0);
  SourcePhoto_CL photo;
  photo.Load(path);
  ApplyOrientation(photo.Image(), photo.Orientation());
  BitmapPtr gdiThumb = RenderThumbnail(photo.Image(), 192, 144);
  QueryPerformanceCounter(&g1);
  std::printf("the same with GDI+:  %.0f ms (full decode, turn and scale)\n", 1000.0 * Seconds(g0, g1, frequency));
  LARGE_INTEGER t4, t5;
  QueryPerformanceCounter(&t4);
  BitmapPtr quick = LoadEmbeddedThumbnail(path, 192, 144);
  QueryPerformanceCounter(&t5);
  std::printf("one quick picture:   %.2f ms (%s)\n", 1000.0 * Seconds(t4, t5, frequency),
              quick ? "from the embedded thumbnail" : "none");
}

// Full decodes of photos[0..count) split over `threads` threads of their own,
// outside the worker: whether the decoder itself lets threads overlap.
struct DecodeShare {
  const std::vector<std::wstring>* photos;
  std::size_t first;
  std::size_t step;
  std::size_t count;
};

DWORD WINAPI DecodeShareProc(LPVOID param) {
  const DecodeShare* share = static_cast<const DecodeShare*>(param);
  for (std::size_t i = share->first; i < share->count; i += share->step) {
    BitmapPtr thumb = LoadThumbnail((*share->photos)[i], 192, 144);
  }
  return 0;
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// Wall seconds; *busy gets the CPU seconds the process used meanwhile.
double TimeDecodes(const std::vector<std::wstring>& photos, std::size_t count, int threads,
                   LARGE_INTEGER frequency, double* busy) {
  const double cpuBefore = ProcessCpuSeconds();
  std::vector<DecodeShare> shares(static_cast<std::size_t>(threads));
  std::vector<HANDLE> handles;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int t = 0; t < threads; ++t) {
    shares[static_cast<std::size_t>(t)] = DecodeShare{&photos, static_cast<std::size_t>(t),
                                                      static_cast<std::size_t>(threads), count};
    HANDLE h = CreateThread(NULL, 0, DecodeShareProc, &shares[static_cast<std::size_t>(t)], 0, NULL);
    if (h) handles.push_back(h);
  }
  WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE, INFINITE);
  for (HANDLE h : handles) CloseHandle(h);
  QueryPerformanceCounter(&end);
  *busy = ProcessCpuSeconds() - cpuBefore;
  return Seconds(start, end, frequency);
}

// Pumps WM_DECODE_DONE until every key in keys has its final picture. Records
// when each key first showed anything and when it showed its final picture.
struct PageTimes {
  double anyPicture = 0;
  double allFinal = 0;
  int quickPictures = 0;
  int missing = 0;
};

PageTimes Collect(const std::set<int>& keys, LARGE_INTEGER start, LARGE_INTEGER frequency) {
  PageTimes times;
  std::set<int> shown, finals;
  MSG msg;
  while (finals.size() < keys.size() && GetMessageW(&msg, NULL, 0, 0) > 0) {
    if (msg.message != WM_DECODE_DONE) {
      DispatchMessageW(&msg);
      continue;
    }
    DecodeImage_CL::ItemPtr item = DecodeImage_CL::TakeItem(msg.lParam);
    if (!keys.count(item->cacheKey)) continue;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (item->result) {
      shown.insert(item->cacheKey);
      if (shown.size() == keys.size() && times.anyPicture == 0) times.anyPicture = Seconds(start, now, frequency);
    }
    if (item->preliminary) {
      ++times.quickPictures;
    } else {
      if (!item->result || item->result->GetWidth() != 192) ++times.missing;
      finals.insert(item->cacheKey);
      if (finals.size() == keys.size()) times.allFinal = Seconds(start, now, frequency);
    }
  }
  return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3 || argc > 4 || (std::wcscmp(argv[2], L"program") != 0 && std::wcscmp(argv[2], L"plain") != 0)) {
    std::fprintf(stderr, "usage: bench_thumbnails FOLDER program|plain [PAGE]\n");
    return 2;
  }
  const bool plain = std::wcscmp(argv[2], L"plain") == 0;
  const int page = argc == 4 ? _wtoi(argv[3]) : 4;
  const std::vector<std::wstring> photos = PhotosIn(argv[1]);
  if (photos.empty() || page < 1 || static_cast<std::size_t>(page) > photos.size()) {
    std::fprintf(stderr, "bench_thumbnails: no .jpg or .nef files in %s, or fewer than the page\n",
                 WideToUtf8(argv[1]).c_str());
    return 1;
  }

  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok) {
    std::fprintf(stderr, "bench_thumbnails: GDI+ did not start\n");
    return 1;
  }
  PageTimes first, all;
  double total = 0;
  int threads = 0;
  {
    // The main window's part: a window that receives the thumbnails.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    DecodeImage_CL decoder;
    if (plain) {
      decoder.SetThreadCount(1);
      decoder.SetQuickPictures(false);
    }
    threads = decoder.ThreadCount();
    decoder.SetTargetWindow(window);
    decoder.Start();

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    // The painter's part: one request per visible cell, in painting order.
    std::set<int> keys;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < page; ++i) {
      DecodeImage_CL::ItemPtr item(new DecodeItem_CL(photos[static_cast<std::size_t>(i)], 192, 144));
      item->cacheKey = i;
      keys.insert(i);
      decoder.Enqueue(std::move(item));
    }
    first = Collect(keys, start, frequency);

    // The whole folder, as when the strip is scrolled through it.
    keys.clear();
    QueryPerformanceCounter(&start);
    for (std::size_t i = 0; i < photos.size(); ++i) {
      DecodeImage_CL::ItemPtr item(new DecodeItem_CL(photos[i], 192, 144));
      item->cacheKey = static_cast<int>(1000 + i);
      keys.insert(item->cacheKey);
      decoder.Enqueue(std::move(item));
    }
    all = Collect(keys, start, frequency);
    QueryPerformanceCounter(&end);
    total = Seconds(start, end, frequency);
    decoder.Shutdown();
    DestroyWindow(window);
  }
  PROCESS_MEMORY_COUNTERS memory;
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

  std::printf("mode: %s\n", plain ? "plain" : "program");
  std::printf("decode threads: %d\n", threads);
  std::printf("page cells: %d\n", page);
  std::printf("page quick pictures: %d\n", first.quickPictures);
  std::printf("page every cell has a picture ms: %.1f\n", 1000.0 * first.anyPicture);
  std::printf("page every cell full quality ms: %.1f\n", 1000.0 * first.allFinal);
  std::printf("folder photos: %zu\n", photos.size());
  std::printf("folder seconds: %.2f\n", total);
  std::printf("photos per second: %.2f\n", static_cast<double>(photos.size()) / total);
  std::printf("peak working set MB: %.1f\n", static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
  std::printf("failed thumbnails: %d\n", first.missing + all.missing);
  {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    TimeSteps(photos[0], frequency);
    if (!plain) {
      // The same four full decodes on one thread and on two at once.
      const std::size_t four = std::min<std::size_t>(4, photos.size());
      double busyOne = 0, busyTwo = 0;
      const double one = TimeDecodes(photos, four, 1, frequency, &busyOne);
      const double two = TimeDecodes(photos, four, 2, frequency, &busyTwo);
      std::printf("four full decodes:   %.2f s on one thread, %.2f s on two (%.2f times as fast)\n", one, two,
                  one / two);
      std::printf("cores kept busy:     %.2f on one thread, %.2f on two\n", busyOne / one, busyTwo / two);
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return first.missing + all.missing == 0 ? 0 : 1;
}
