// What the end-to-end tests need to drive the real Snapvane.exe from another
// process: test photos of known colours and orientation, pictures of the
// screen, drops, and the windows and dialogs of the running program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "test_files.h"

// ---- Photos ---------------------------------------------------------------

// The four quadrants of an upright test photo: red, green / blue, yellow.
extern const COLORREF kTopLeft;
extern const COLORREF kTopRight;
extern const COLORREF kBottomLeft;
extern const COLORREF kBottomRight;

// A JPEG that shows the quadrant picture upright (width x height as seen)
// when its Exif Orientation (1, 3, 6 or 8) is honoured; orientation 0 gives
// an Exif block without an Orientation entry. The bottom-right quadrant may
// carry another colour to tell photos apart.
Bytes MakeQuadrantPhoto(int width, int height, int orientation,
                        COLORREF bottomRight = kBottomRight, int noise = 0);
// noise: each pixel's channels moved at random by up to this much, which
// makes the file about as large as a camera's.
// A JPEG of one colour with Orientation 1.
Bytes MakeSolidPhoto(int width, int height, COLORREF colour);
// The Orientation value of a photo file, 0 without one.
int FileOrientation(const std::wstring& path);

// ---- Pictures of the screen -------------------------------------------------

class Capture {
 public:
  // The given window's client area as it is on the screen now.
  static Capture OfClient(HWND window);
  // The whole window, frame and caption included.
  static Capture OfWindow(HWND window);
  static Capture OfScreen();

  COLORREF Pixel(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool SavePng(const std::wstring& path) const;
  // The same size and every pixel alike.
  bool operator==(const Capture& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  static Capture OfScreenRect(const RECT& rect);
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

// Colours equal within a tolerance per channel (JPEG and 16-bit thumbnails
// shift them a little).
bool Near(COLORREF a, COLORREF b, int tolerance = 48);
std::wstring ColourText(COLORREF colour);
// Where screenshots are kept: the build folder's "screenshots".
std::wstring ScreenshotPath(const std::wstring& name);

// ---- The running program's windows -------------------------------------------

// A top-level window of the process with this class and title (either may be
// null for any), waiting up to timeoutMs; null if none appears.
HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                          DWORD timeoutMs);
// Every visible top-level dialog window ("#32770") of the process.
std::vector<HWND> ProcessDialogs(DWORD processId);
// The first child (at any depth) whose text is exactly this.
HWND FindChildByText(HWND parent, const wchar_t* text);
// The text of a window of any process.
std::wstring WindowText(HWND window);
// The first non-empty static text of a dialog (a message box's message).
std::wstring StaticTextOf(HWND dialog);
// The window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window);
// True when the window's thread answers a message within timeoutMs.
bool Responds(HWND window, DWORD timeoutMs);

// Drops the files on the window as the shell hands them over: a DROPFILES
// block in the target process and WM_DROPFILES with it.
bool DropFiles(HANDLE process, HWND target, const std::vector<std::wstring>& paths);
// A left click at a point of the window's client area, through the system's
// input queue as a real click goes.
void ClickAt(HWND window, int x, int y);
// The same with the right button, the pointer moved there first as a hand
// moves it.
void RightClickAt(HWND window, int x, int y);
// Presses the left button at one screen point, moves to another in steps and
// releases it there, through the system's input queue.
void DragOnScreen(POINT from, POINT to);
// A key press and release through the system's input queue.
void PressKey(WORD key);
// A key pressed and released while a modifier (VK_SHIFT, VK_CONTROL) is held.
void PressKeyWith(WORD modifier, WORD key);
// A key pressed (down) or released, alone.
void HoldKey(WORD key, bool down);

// Selects the folder in the program's folder browser (walking its tree from
// the desktop through the drive) and presses OK. False if a step failed.
bool ChooseFolderInBrowser(HWND browser, const std::wstring& folder);
