// Real windows for the views' tests: a host window that plays the main
// window's part (it records notifications and drops, and hands finished
// thumbnails to the strip), message pumping, reading back what a window
// shows, and test photos written as JPEG files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gdiplus_types.h"
#include "test_files.h"

class MyPictureListView_CL;
class PictureListBase_CL;

// A notification the host received from a list.
struct Notification {
  int code;
  int item;
  POINT point;
  unsigned keyFlags;
  int selectedAtSend;  // the list's selected count while it was being sent
};

class TestHost {
 public:
  // A visible top-level window with a client area of width x height. It does
  // not clip its children, so CaptureClient of it shows them too.
  TestHost(int width, int height);
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  HWND Window() const { return window_; }

  // The list whose notifications record its selected count, and the strip
  // that WM_DECODE_DONE goes to.
  PictureListBase_CL* list = nullptr;
  MyPictureListView_CL* strip = nullptr;

  std::vector<Notification> notifications;
  std::vector<WPARAM> drops;
  int decodesDone = 0;
  // Per WM_DECODE_DONE that carried a picture: the cell and when it came.
  struct Arrival {
    int cell;
    DWORD tick;
    bool preliminary;
  };
  std::vector<Arrival> pictures;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = NULL;
};

// Handles every waiting message of this thread.
void Pump();
// Pumps until done() is true or timeoutMs have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// What a window's client area shows, as 0x00RRGGBB pixels.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // Mean of the three channels, 0 to 255.
  int Brightness(int x, int y) const;
  bool IsBlack(int x, int y, int tolerance = 40) const;
  bool IsWhite(int x, int y, int tolerance = 60) const;
  // True when some pixel of the rectangle is (nearly) white.
  bool HasWhite(int left, int top, int right, int bottom) const;
  // Saves the pixels as a PNG file.
  bool SavePng(const std::wstring& path) const;
};
// Paints the window and everything in it, then reads its client area back.
Capture CaptureClient(HWND window);

// A JPEG file of width x height painted by paint, with an Exif segment whose
// Orientation is orientation (none when 0), and, when asked, a 160-pixel-wide
// embedded thumbnail of the same picture.
bool WriteTestJpeg(const std::wstring& path, int width, int height, int orientation,
                   const std::function<void(Gdiplus::Graphics&)>& paint, bool withThumbnail = false);

// An 800 x 600 JPEG file's bytes, Orientation 1: its top half top, its bottom
// half bottom (opaque ARGB colours).
const Gdiplus::ARGB kRed = 0xFFFF0000;
const Gdiplus::ARGB kBlue = 0xFF0000FF;
Bytes TwoColourJpeg(Gdiplus::ARGB top, Gdiplus::ARGB bottom);
// Writes bytes to path as a change made on disk by another program; its
// last-write time is set to minute minutes into a fixed day, so that each
// change is seen however soon it follows the last.
bool WriteChanged(const std::wstring& path, const Bytes& bytes, int minute);
// Whether the pixel is mostly red, or mostly blue.
bool IsRed(const Capture& c, int x, int y);
bool IsBlue(const Capture& c, int x, int y);

// A drop of these paths, as Explorer hands it to a window.
HDROP MakeDrop(const std::vector<std::wstring>& paths);

// A photo of the shared corpus, and where the screenshots go.
std::wstring CorpusPhoto(const wchar_t* name);
std::wstring ScreenshotPath(const wchar_t* name);
