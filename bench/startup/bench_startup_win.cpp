// bench/startup: how long Snapvane.exe takes from its start until the first
// page of thumbnails is painted, for a folder of 12-megapixel photos on its
// command line, and how much memory it holds at most with 10,000 photos
// registered and 800 thumbnails cached. Run by bench/startup/run.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "com_session.h"
#include "e2e_support_win.h"
#include "gdiplus_session.h"
#include "main_layout_sizes.h"
#include "resource_ids.h"
#include "snapvane_process_win.h"
#include "test_files.h"

namespace {

const int kStripId = IDC_PHOTO_STRIP;

// Whether the thumbnail of every cell that lies wholly in the strip shows
// the upright test picture.
bool FirstPagePainted(HWND strip, int photos) {
  const Capture c = Capture::OfClient(strip);
  const int cells = std::min(photos, c.Width() / kCellWidth);
  if (cells <= 0) return false;
  for (int i = 0; i < cells; ++i) {
    const int x = i * kCellWidth + 2;
    if (!Near(c.Pixel(x + 48, 38), kTopLeft) || !Near(c.Pixel(x + 144, 110), kBottomRight)) {
      return false;
    }
  }
  return true;
}

struct Run {
  DWORD windowMs = 0;
  DWORD paintedMs = 0;
  bool ok = false;
};

Run TimeStart(const std::wstring& folder, int photos) {
  Run run;
  SnapvaneProcess app;
  const DWORD start = GetTickCount();
  if (!app.Start({folder})) return run;
  HWND main = app.WaitForMainWindow(120000);
  if (!main) return run;
  run.windowMs = GetTickCount() - start;
  HWND strip = GetDlgItem(main, kStripId);
  while (GetTickCount() - start < 120000) {
    if (FirstPagePainted(strip, photos)) {
      run.paintedMs = GetTickCount() - start;
      run.ok = true;
      break;
    }
    Sleep(5);
  }
  app.Close();
  DWORD code = 0;
  app.WaitForExit(30000, &code);
  return run;
}

double Mb(SIZE_T bytes) { return bytes / (1024.0 * 1024.0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? _wtoi(argv[1]) : 3;
  ComSession_CL com;
  GdiplusSession_CL gdiplus;
  TempDir profile;
  const std::wstring documents = profile.Join(std::wstring(DocumentsFolderOverride::kMarker) + L"-Bench");
  MakeFolder(documents);
  DocumentsFolderOverride redirect(documents);
  TempDir work;

  // 1. Start-up with 20 photos of 4000 x 3000 on the command line.
  const std::wstring big = work.Join(L"big");
  MakeFolder(big);
  const Bytes twelve = MakeQuadrantPhoto(4000, 3000, 1, kBottomRight, 24);
  for (int i = 0; i < 20; ++i) WriteBytes(big + L"\\photo" + std::to_wstring(i) + L".jpg", twelve);
  std::printf("bench/startup: %d runs, 20 photos of 4000 x 3000 (%.1f MB each) on the command line\n",
              runs, twelve.size() / 1e6);
  std::vector<DWORD> painted;
  for (int r = 0; r < runs; ++r) {
    const Run run = TimeStart(big, 20);
    if (!run.ok) {
      std::printf("  run %d: the first page was not painted\n", r + 1);
      continue;
    }
    std::printf("  run %d: window shown after %lu ms, first page of thumbnails after %lu ms\n", r + 1,
                run.windowMs, run.paintedMs);
    painted.push_back(run.paintedMs);
  }
  if (!painted.empty()) {
    std::sort(painted.begin(), painted.end());
    std::printf("  median: first page of thumbnails after %lu ms\n", painted[painted.size() / 2]);
  }

  // 2. Peak memory: 10,000 photos registered, the strip paged through until
  // more than 800 thumbnails have been decoded and cached.
  const std::wstring many = work.Join(L"many");
  MakeFolder(many);
  const Bytes small = MakeQuadrantPhoto(640, 480, 1);
  for (int i = 0; i < 100; ++i) {
    const std::wstring sub = many + L"\\" + std::to_wstring(i);
    MakeFolder(sub);
    for (int k = 0; k < 100; ++k) WriteBytes(sub + L"\\p" + std::to_wstring(k) + L".jpg", small);
  }
  SnapvaneProcess app;
  if (!app.Start({many})) return 1;
  HWND main = app.WaitForMainWindow(120000);
  if (!main) return 1;
  SetWindowPos(main, NULL, 0, 0, 1280, 900, SWP_NOZORDER);
  HWND strip = GetDlgItem(main, kStripId);
  Sleep(1000);
  RECT client;
  GetClientRect(strip, &client);
  const int perPage = std::max<int>(1, client.right / kCellWidth);
  // Paged on without waiting: every painted cell queues its thumbnail, and
  // the decoder serves the queue (newest first) until all are cached.
  int paintedCells = perPage;
  const DWORD pagingStart = GetTickCount();
  while (paintedCells < 900) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(strip, WM_HSCROLL, SB_PAGEDOWN, 0, SMTO_NORMAL, 10000, &result);
    SendMessageTimeoutW(strip, WM_PAINT, 0, 0, SMTO_NORMAL, 10000, &result);
    paintedCells += perPage;
    Sleep(30);
  }
  for (DWORD waited = 0; waited < 120000 && !FirstPagePainted(strip, perPage); waited += 100) Sleep(100);
  Sleep(5000);  // the earlier pages' requests, served after the last page's
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(app.Handle(), &memory, sizeof memory);
  std::printf("bench/startup: 10,000 photos of 640 x 480 registered, %d cells painted in %lu ms\n",
              paintedCells, GetTickCount() - pagingStart);
  std::printf("  peak working set %.1f MB, peak private bytes %.1f MB, now %.1f MB working set\n",
              Mb(memory.PeakWorkingSetSize), Mb(memory.PeakPagefileUsage), Mb(memory.WorkingSetSize));
  app.Close();
  DWORD code = 0;
  app.WaitForExit(30000, &code);
  return painted.empty() ? 1 : 0;
}
