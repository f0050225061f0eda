// A pane that shows one picture on black through a back buffer: fitted into
// the pane and centred (mode 0), or at its own size, centred and scrolled
// with the pane's own scroll bars when larger (mode 1).
#pragma once

#include <string>

#include "back_buffer.h"
#include "gdiplus_types.h"
#include "pixel_formats.h"
#include "resource_ids.h"
#include "scroll_bar.h"
#include "static_image.h"

enum PictureDisplayMode_EN {
  kDisplayFit = 0,
  kDisplayNaturalSize = 1,
};

class PictureImage_CL : public StaticImage_CL {
 public:
  static constexpr int kPreviewControlId = IDC_PREVIEW_PANE;

  PictureImage_CL();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~PictureImage_CL() override;
  // Black, then the picture (if any) where DestinationRect puts it.
  virtual void PaintToBuffer(BackBuffer_CL& buffer);
  // A child window of parent with this identifier, size and place.
  virtual HWND Create(HWND parent, int id, int width, int height, int x, int y);

  // Shows the file at its own size, upright by its Exif Orientation, and
  // repaints at once; the scroll bars stay as they are. False, with the pane
  // black, when the file cannot be read or decoded.
  bool LoadFile(const std::wstring& path);
  // The file the pane shows through LoadFile (or tried to: the pane is then
  // black); empty once SetImage has replaced it.
  const std::wstring& LoadedFile() const { return loadedFile; }
  // Shows bitmap (which may be null: a black pane) and repaints at once.
  void SetImage(BitmapPtr bitmap);
  // Horizontal and vertical bars for a picture larger than the pane,
  // centred; none for one that fits.
  void UpdateScrollBars();
  // The client area as it is without the scroll bars shown now: the room a
  // picture fitted to the pane has, since it needs no bars.
  SIZE PaneSize() const;
  // Takes both bars away in one step, so the pane is resized once, to its
  // whole size; UpdateScrollBars brings back what the picture needs.
  void HideScrollBars();

  void SetDisplayMode(int mode) { displayMode = mode; }
  int DisplayMode() const { return displayMode; }
  Gdiplus::Bitmap* Image() const { return image.get(); }
  // Where the picture lands in a buffer of width x height at the current
  // scroll positions.
  Gdiplus::RectF DestinationRect(int width, int height) const;
  const ScrollState& HorizontalScroll() const { return horizontalBar.state; }
  const ScrollState& VerticalScroll() const { return verticalBar.state; }

  // Test seam: called with the file's path each time a pane decodes a file
  // (on the preview's worker thread for photos). Null in the program.
  typedef void (*DecodeHook)(const std::wstring& path);
  static void SetDecodeHookForTests(DecodeHook hook);

 protected:
  // The file decoded and its upright copy at full size (LoadUpright); every
  // decode of a pane goes through here.
  static BitmapPtr DecodeUpright(const std::wstring& path);
  // The file's upright picture for a pane of width x height device pixels
  // (LoadUprightFor). On a worker thread.
  static BitmapPtr DecodeUprightFor(const std::wstring& path, int width, int height, bool* complete = nullptr);

  BitmapPtr image;
  BackBuffer_CL backBuffer{kPreviewBackBufferPixelFormat};
  int displayMode = kDisplayFit;
  ScrollBar_CL horizontalBar{SB_HORZ};
  ScrollBar_CL verticalBar{SB_VERT};
  std::wstring loadedFile;

 private:
  void OnPaint(HWND window);
  void Refresh();
};
