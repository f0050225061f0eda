// bench/latency: how soon Snapvane.exe shows what the user asked for, timed
// from the input event to the screen. It starts the program with photos on
// its command line, clicks thumbnails and presses Ctrl+R with SendInput, and
// watches the preview pane on the screen (BitBlt) for its last change. It
// also works as a person does: look at a photo, turn it with the toolbar's
// button, click the next one, and times that next click as well; a
// second thread sends the main window WM_NULL with SendMessageTimeout all
// along to see how long the window goes without answering. Then it moves
// through the strip with the → key, as a person looks through a folder, and
// times each next photo until it stands sharp. Last, every photo is selected
// and turned with Ctrl+R, then taken back with Ctrl+Z, timed until the
// strip's cells stand, and the program's peak working set is read. Prints
// figures and their ratios to the targets. Run by bench/latency/run.
//
//   bench_latency.exe EXE FOLDER
//
// EXE is the program to time, FOLDER holds the photos (*.jpg, 20 or more).
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "main_layout_sizes.h"
#include "resource_ids.h"

namespace {

const int kPreviewId = IDC_PREVIEW_PANE;
const int kStripId = IDC_PHOTO_STRIP;
const int kRotateLeft = IDM_ROTATE_LEFT;
const int kRotateRight = IDM_ROTATE_RIGHT;
// The picture is taken to be settled once it has not changed for this long.
const DWORD kSettledMs = 2000;

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The pane's pixels on the screen, reduced to a checksum.
class PaneWatcher {
 public:
  explicit PaneWatcher(HWND pane) : pane_(pane) {
    screen_ = GetDC(NULL);
    memory_ = CreateCompatibleDC(screen_);
  }
  ~PaneWatcher() {
    if (bitmap_) DeleteObject(bitmap_);
    DeleteDC(memory_);
    ReleaseDC(NULL, screen_);
  }
  PaneWatcher(const PaneWatcher&) = delete;
  PaneWatcher& operator=(const PaneWatcher&) = delete;

  std::uint64_t Checksum() {
    RECT rect;
    GetClientRect(pane_, &rect);
    MapWindowPoints(pane_, NULL, reinterpret_cast<POINT*>(&rect), 2);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return 0;
    if (w != width_ || h != height_) {
      if (bitmap_) DeleteObject(bitmap_);
      BITMAPINFO info = {};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = w;
      info.bmiHeader.biHeight = -h;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, NULL, 0);
      width_ = w;
      height_ = h;
    }
    if (!bitmap_ || !bits_) return 0;
    HGDIOBJ old = SelectObject(memory_, bitmap_);
    BitBlt(memory_, 0, 0, w, h, screen_, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory_, old);
    const std::uint32_t* p = static_cast<const std::uint32_t*>(bits_);
    std::uint64_t sum = 1469598103934665603ull;
    const std::size_t count = static_cast<std::size_t>(w) * h;
    for (std::size_t i = 0; i < count; i += 7) sum = (sum ^ (p[i] & 0xFFFFFF)) * 1099511628211ull;
    return sum;
  }

 private:
  HWND pane_;
  HDC screen_;
  HDC memory_;
  HBITMAP bitmap_ = NULL;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

struct Timing {
  double firstChangeMs = -1;  // something changed: the photo is visible
  double lastChangeMs = -1;   // the picture as it stayed
};

// Watches the pane from start until it has been still for kSettledMs.
Timing WatchUntilSettled(PaneWatcher& watcher, std::uint64_t before, double start) {
  Timing timing;
  std::uint64_t last = before;
  double lastChange = -1;
  for (;;) {
    const std::uint64_t now = watcher.Checksum();
    const double t = NowMs();
    if (now != last) {
      last = now;
      lastChange = t;
      if (timing.firstChangeMs < 0) timing.firstChangeMs = t - start;
    }
    // Nothing yet: the first change may take a while.
    if (lastChange < 0) {
      if (t - start > 10000) break;
      continue;
    }
    if (t - lastChange > kSettledMs) break;
  }
  if (lastChange >= 0) timing.lastChangeMs = lastChange - start;
  return timing;
}

void ClickAt(int x, int y) {
  const int cx = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int cy = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT input[3] = {};
  for (INPUT& i : input) i.type = INPUT_MOUSE;
  input[0].mi.dx = x * 65535 / cx;
  input[0].mi.dy = y * 65535 / cy;
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, input, sizeof(INPUT));
}

// The pointer moved to a screen point, nothing pressed.
void MoveTo(int x, int y) {
  const int cx = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int cy = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / cx;
  input.mi.dy = y * 65535 / cy;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

// The key pressed and released with a modifier (VK_CONTROL, VK_SHIFT) held.
void PressWith(WORD modifier, WORD key) {
  INPUT input[4] = {};
  for (INPUT& i : input) i.type = INPUT_KEYBOARD;
  input[0].ki.wVk = modifier;
  input[1].ki.wVk = key;
  input[2].ki.wVk = key;
  input[2].ki.dwFlags = KEYEVENTF_KEYUP;
  input[3].ki.wVk = modifier;
  input[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, input, sizeof(INPUT));
}

// key pressed and let go, with Ctrl held around it when asked.
void PressKey(WORD key, bool withCtrl = false) {
  if (withCtrl) {
    PressWith(VK_CONTROL, key);
    return;
  }
  INPUT input[2] = {};
  for (INPUT& i : input) i.type = INPUT_KEYBOARD;
  input[0].ki.wVk = key;
  input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

void PressCtrl(WORD key) { PressWith(VK_CONTROL, key); }

// The screen point in the middle of the toolbar's button for command, read
// from the program's toolbar through memory of its process; false when the
// button cannot be found.
bool ToolbarButtonPoint(HANDLE process, HWND main, int command, POINT* at) {
  const HWND toolbar = FindWindowExW(main, NULL, TOOLBARCLASSNAMEW, NULL);
  if (!toolbar) return false;
  void* remote = VirtualAllocEx(process, NULL, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return false;
  RECT rect = {};
  SIZE_T read = 0;
  const bool found = SendMessageW(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(remote)) &&
                     ReadProcessMemory(process, remote, &rect, sizeof rect, &read) && read == sizeof rect;
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (!found || rect.right <= rect.left) return false;
  at->x = (rect.left + rect.right) / 2;
  at->y = (rect.top + rect.bottom) / 2;
  ClientToScreen(toolbar, at);
  return true;
}

// The screen point in the middle of cell index's thumbnail.
POINT CellPoint(HWND strip, int index) {
  POINT p = {index * kCellWidth + kCellWidth / 2, 72};
  ClientToScreen(strip, &p);
  return p;
}

struct MainWindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
  MainWindowSearch* search = reinterpret_cast<MainWindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t title[64] = L"";
  GetWindowTextW(window, title, 64);
  if (pid == search->processId && IsWindowVisible(window) && std::wstring(title) == L"Snapvane") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The longest time the window took to answer, sampled all along.
class Prober {
 public:
  explicit Prober(HWND window) : window_(window) {
    thread_ = CreateThread(NULL, 0, &Prober::Run, this, 0, NULL);
  }
  ~Prober() {
    stop_ = true;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  void Reset() {
    worst_ = 0;
    probes_ = 0;
  }
  double WorstMs() const { return worst_; }
  int Probes() const { return probes_; }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    Prober* p = static_cast<Prober*>(self);
    while (!p->stop_) {
      const double start = NowMs();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(p->window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
      const double took = NowMs() - start;
      if (took > p->worst_) p->worst_ = took;
      ++p->probes_;
      Sleep(2);
    }
    return 0;
  }

  HWND window_;
  HANDLE thread_ = NULL;
  std::atomic<bool> stop_{false};
  std::atomic<double> worst_{0};
  std::atomic<int> probes_{0};
};

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
double Max(const std::vector<double>& v) { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); }
double Min(const std::vector<double>& v) { return v.empty() ? -1 : *std::min_element(v.begin(), v.end()); }

void Report(const char* what, const std::vector<double>& v, double target) {
  const double median = Median(v);
  std::printf("%s ms: median %.0f, min %.0f, max %.0f (%zu runs); median / target %.0f = %.2f\n", what, median,
              Min(v), Max(v), v.size(), target, median / target);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_latency EXE FOLDER\n");
    return 2;
  }
  const std::wstring exe = argv[1];
  const std::wstring folder = argv[2];
  std::vector<std::wstring> photos;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*.jpg").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do photos.push_back(folder + L"\\" + found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
  }
  std::sort(photos.begin(), photos.end());
  if (photos.size() < 6) {
    std::fprintf(stderr, "bench_latency: too few photos in the folder\n");
    return 2;
  }
  if (photos.size() > 20) photos.resize(20);

  std::wstring line = L"\"" + exe + L"\"";
  for (const std::wstring& p : photos) line += L" \"" + p + L"\"";
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exe.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
    std::fprintf(stderr, "bench_latency: cannot start the program\n");
    return 1;
  }
  CloseHandle(info.hThread);
  MainWindowSearch search = {info.dwProcessId, NULL};
  for (int i = 0; i < 600 && !search.found; ++i) {
    Sleep(100);
    EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&search));
  }
  const HWND main = search.found;
  if (!main) {
    std::fprintf(stderr, "bench_latency: no main window\n");
    TerminateProcess(info.hProcess, 1);
    return 1;
  }
  // Wide enough for six cells, so that every click lands on a photo that
  // the preview does not show yet.
  SetWindowPos(main, HWND_TOP, 0, 0, 1260, 900, 0);
  SetForegroundWindow(main);
  const HWND preview = GetDlgItem(main, kPreviewId);
  const HWND strip = GetDlgItem(main, kStripId);
  Sleep(6000);  // the strip's thumbnails decoded, the program's picture shown
  PaneWatcher watcher(preview);
  Prober prober(main);
  // The floor: how long the idle window takes to answer on this machine now.
  Sleep(2000);
  const double idleWorst = prober.WorstMs();

  std::printf("bench/latency: %zu photos of %s on the command line\n", photos.size(),
              std::string(photos[0].begin(), photos[0].end()).c_str());
  // 1. A click on a thumbnail until the sharp preview stands.
  std::vector<double> firstChange, lastChange, clickWorst;
  const int cells[] = {0, 1, 2, 3, 4, 5, 0, 2, 4, 1, 3, 5};
  for (int cell : cells) {
    const POINT at = CellPoint(strip, cell);
    const std::uint64_t before = watcher.Checksum();
    prober.Reset();
    const double start = NowMs();
    ClickAt(at.x, at.y);
    const Timing t = WatchUntilSettled(watcher, before, start);
    if (t.lastChangeMs >= 0) {
      firstChange.push_back(t.firstChangeMs);
      lastChange.push_back(t.lastChangeMs);
    }
    clickWorst.push_back(prober.WorstMs());
    std::printf("  click on cell %d: first change %.0f ms, last change %.0f ms, unanswered up to %.0f ms\n", cell,
                t.firstChangeMs, t.lastChangeMs, prober.WorstMs());
  }
  // 2. Ctrl+R, the photo shown turned; then back with Ctrl+L.
  std::vector<double> turned;
  for (int i = 0; i < 8; ++i) {
    const std::uint64_t before = watcher.Checksum();
    const double start = NowMs();
    PressKey(i % 2 == 0 ? 'R' : 'L', true);
    const Timing t = WatchUntilSettled(watcher, before, start);
    if (t.lastChangeMs >= 0) turned.push_back(t.lastChangeMs);
  }
  // The toolbar's command as well, sent as the button sends it.
  std::vector<double> commanded;
  for (int i = 0; i < 4; ++i) {
    const std::uint64_t before = watcher.Checksum();
    const double start = NowMs();
    PostMessageW(main, WM_COMMAND, kRotateRight, 0);
    const Timing t = WatchUntilSettled(watcher, before, start);
    if (t.lastChangeMs >= 0) commanded.push_back(t.lastChangeMs);
  }
  // 3. As a person works: a photo is clicked and looked at, turned with the
  // toolbar's button, and the next one clicked. Right turns from the first
  // photo to the sixth, then left turns back, so every photo ends as it was.
  std::vector<double> afterTurn, loopTurned;
  POINT rightButton, leftButton;
  const bool buttons = ToolbarButtonPoint(info.hProcess, main, kRotateRight, &rightButton) &&
                       ToolbarButtonPoint(info.hProcess, main, kRotateLeft, &leftButton);
  if (!buttons) std::printf("  (no toolbar buttons found: the turns are sent as commands)\n");
  auto turnAndWait = [&](bool right, int nextCell) {
    const std::uint64_t before = watcher.Checksum();
    const double start = NowMs();
    if (buttons) {
      const POINT at = right ? rightButton : leftButton;
      ClickAt(at.x, at.y);
      // On towards the next photo, as a hand does: the button's tooltip
      // would otherwise open over the pane and count as a change.
      const POINT next = CellPoint(strip, nextCell);
      MoveTo(next.x, next.y);
    } else {
      PostMessageW(main, WM_COMMAND, right ? kRotateRight : kRotateLeft, 0);
    }
    const Timing t = WatchUntilSettled(watcher, before, start);
    if (t.lastChangeMs >= 0) loopTurned.push_back(t.lastChangeMs);
    std::printf("  toolbar turn %s: first change %.0f ms, last change %.0f ms\n", right ? "right" : "left",
                t.firstChangeMs, t.lastChangeMs);
  };
  auto clickAndWait = [&](int cell, bool timed) {
    const POINT at = CellPoint(strip, cell);
    const std::uint64_t before = watcher.Checksum();
    const double start = NowMs();
    ClickAt(at.x, at.y);
    const Timing t = WatchUntilSettled(watcher, before, start);
    if (!timed) return;
    if (t.lastChangeMs >= 0) afterTurn.push_back(t.lastChangeMs);
    std::printf("  click on cell %d after a turn: first change %.0f ms, last change %.0f ms\n", cell,
                t.firstChangeMs, t.lastChangeMs);
  };
  clickAndWait(0, false);
  for (int cell = 1; cell <= 5; ++cell) {
    turnAndWait(true, cell);
    clickAndWait(cell, true);
  }
  turnAndWait(true, 4);
  for (int cell = 4; cell >= 0; --cell) {
    turnAndWait(false, cell);
    clickAndWait(cell, true);
  }
  turnAndWait(false, 0);

  // 4. Clicking through twenty photos, one click every 60 ms, scrolling the
  // strip along; the window must keep answering.
  prober.Reset();
  for (int i = 0; i < 20; ++i) {
    const POINT at = CellPoint(strip, i % 6);
    ClickAt(at.x, at.y);
    Sleep(60);
  }
  Sleep(1500);
  const double throughWorst = prober.WorstMs();
  const int throughProbes = prober.Probes();

  // 5. The → key from the first photo on, each next photo looked at until
  // it stands (the program has the pane's time between two presses).
  std::vector<double> nextKey;
  clickAndWait(0, false);
  for (int i = 0; i < 10; ++i) {
    const std::uint64_t before = watcher.Checksum();
    const double start = NowMs();
    PressKey(VK_RIGHT);
    const Timing t = WatchUntilSettled(watcher, before, start);
    if (t.lastChangeMs >= 0) nextKey.push_back(t.lastChangeMs);
    std::printf("  next photo (right key): first change %.0f ms, last change %.0f ms\n", t.firstChangeMs,
                t.lastChangeMs);
  }

  // 6. Every photo selected (a click on the first, Shift+End), turned with
  // Ctrl+R until the strip's cells stand turned, and taken back with
  // Ctrl+Z, so every photo ends as it was.
  ClickAt(CellPoint(strip, 0).x, CellPoint(strip, 0).y);
  Sleep(1000);
  PressWith(VK_SHIFT, VK_END);
  Sleep(3000);
  PaneWatcher stripWatcher(strip);
  std::vector<double> selectionTurned, selectionUndone;
  for (int i = 0; i < 8; ++i) {
    const std::uint64_t before = stripWatcher.Checksum();
    const double start = NowMs();
    PressCtrl(i % 2 == 0 ? 'R' : 'Z');
    const Timing t = WatchUntilSettled(stripWatcher, before, start);
    if (t.lastChangeMs >= 0) (i % 2 == 0 ? selectionTurned : selectionUndone).push_back(t.lastChangeMs);
    std::printf("  %s of %zu selected photos: every cell at %.0f ms\n", i % 2 == 0 ? "Ctrl+R" : "Ctrl+Z",
                photos.size(), t.lastChangeMs);
  }
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  const bool memoryKnown = GetProcessMemoryInfo(info.hProcess, &memory, sizeof(memory)) != 0;

  Report("click -> first change of the preview", firstChange, 150);
  Report("click -> sharp preview (last change)", lastChange, 100);
  Report("Ctrl+R/Ctrl+L -> turned preview", turned, 40);
  Report("turn command -> turned preview", commanded, 40);
  Report("look, turn, next: toolbar turn -> turned preview", loopTurned, 80);
  Report("look, turn, next: next click -> sharp preview", afterTurn, 150);
  Report("next photo (right key) -> sharp preview", nextKey, 60);
  Report("turn 20 selected photos (Ctrl+R) -> every cell turned", selectionTurned, 300);
  Report("undo of that turn (Ctrl+Z) -> every cell back", selectionUndone, 300);
  if (memoryKnown) {
    std::printf("peak working set of the program: %.1f MB\n",
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
  }
  std::printf("window unanswered while idle (the floor), ms: worst %.0f\n", idleWorst);
  std::printf("window unanswered during single clicks, ms: worst %.0f; target 50 = %.2f\n", Max(clickWorst),
              Max(clickWorst) / 50);
  std::printf("window unanswered while clicking through 20 photos, ms: worst %.0f of %d probes; target 50 = %.2f\n",
              throughWorst, throughProbes, throughWorst / 50);
  std::fflush(stdout);

  PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  return 0;
}
