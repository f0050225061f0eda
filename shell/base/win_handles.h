// Move-only owners for device contexts, GDI objects, menus and icons, beside
// the kernel handle owners they build on. Copying one would release it twice,
// so only moves are allowed.
#pragma once

#include <windows.h>

#include "owned_handle_win.h"

template <typename T>
struct GdiObjectTraits {
  typedef T Type;
  static T Empty() { return NULL; }
  static void Close(T object) { DeleteObject(object); }
};

struct MemoryDcTraits {
  typedef HDC Type;
  static HDC Empty() { return NULL; }
  static void Close(HDC dc) { DeleteDC(dc); }
};

struct MenuTraits {
  typedef HMENU Type;
  static HMENU Empty() { return NULL; }
  static void Close(HMENU menu) { DestroyMenu(menu); }
};

struct IconTraits {
  typedef HICON Type;
  static HICON Empty() { return NULL; }
  static void Close(HICON icon) { DestroyIcon(icon); }
};

typedef UniqueResource_CL<GdiObjectTraits<HFONT>> UniqueFont;
typedef UniqueResource_CL<GdiObjectTraits<HBITMAP>> UniqueBitmap;
typedef UniqueResource_CL<GdiObjectTraits<HBRUSH>> UniqueBrush;
typedef UniqueResource_CL<GdiObjectTraits<HPEN>> UniquePen;
typedef UniqueResource_CL<GdiObjectTraits<HRGN>> UniqueRegion;
typedef UniqueResource_CL<MemoryDcTraits> UniqueMemoryDc;
typedef UniqueResource_CL<MenuTraits> UniqueMenu;
typedef UniqueResource_CL<IconTraits> UniqueIcon;

// A device context from GetDC, given back to its window with ReleaseDC.
// A null window means the screen.
class WindowDc_CL {
 public:
  WindowDc_CL() {}
  explicit WindowDc_CL(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc_CL() { Reset(); }
  WindowDc_CL(WindowDc_CL&& other) noexcept
      : window_(other.window_), dc_(other.dc_) {
    other.dc_ = NULL;
  }
  WindowDc_CL& operator=(WindowDc_CL&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = other.window_;
      dc_ = other.dc_;
      other.dc_ = NULL;
    }
    return *this;
  }
  WindowDc_CL(const WindowDc_CL&) = delete;
  WindowDc_CL& operator=(const WindowDc_CL&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != NULL; }

  void Reset() {
    if (dc_) {
      const DWORD lastError = GetLastError();
      ReleaseDC(window_, dc_);
      SetLastError(lastError);
    }
    dc_ = NULL;
    window_ = NULL;
  }

 private:
  HWND window_ = NULL;
  HDC dc_ = NULL;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc_CL {
 public:
  explicit PaintDc_CL(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDc_CL() { EndPaint(window_, &paint_); }
  PaintDc_CL(const PaintDc_CL&) = delete;
  PaintDc_CL& operator=(const PaintDc_CL&) = delete;

  HDC Get() const { return dc_; }
  const PAINTSTRUCT& Paint() const { return paint_; }

 private:
  HWND window_;
  HDC dc_;
  PAINTSTRUCT paint_;
};

// Selects an object into a DC and selects the previous one back at the end
// of the scope, so the caller's object can be deleted safely afterwards.
class SelectObject_CL {
 public:
  SelectObject_CL(HDC dc, HGDIOBJ object) : dc_(dc), old_(NULL) {
    if (dc && object) old_ = SelectObject(dc, object);
  }
  ~SelectObject_CL() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectObject_CL(const SelectObject_CL&) = delete;
  SelectObject_CL& operator=(const SelectObject_CL&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};
