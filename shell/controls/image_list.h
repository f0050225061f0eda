// An image list made from one horizontal strip of equally wide images in a
// bitmap file, magenta standing for transparent.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

// The mask colour of the program's picture strips.
const COLORREF kImageStripMaskColor = RGB(255, 0, 255);

class ImageList_CL {
 public:
  ImageList_CL() {}
  virtual ~ImageList_CL();
  ImageList_CL(const ImageList_CL&) = delete;
  ImageList_CL& operator=(const ImageList_CL&) = delete;

  // Loads the strip, cut into images imageWidth pixels wide. False, leaving
  // the list as it was, when the file cannot be loaded as a bitmap.
  bool LoadBitmapStrip(const std::wstring& path, int imageWidth);
  // The strip drawn nearest to dpi ("ToolBar_150.bmp" beside "ToolBar.bmp"),
  // its images imageWidth96 wide at 100 % and as much larger as drawn; the
  // 100 % file where the other is missing. Returns the image width loaded,
  // 0 when nothing could be.
  int LoadBitmapStripForDpi(const std::wstring& path, int imageWidth96, int dpi);
  // The list to hand to a toolbar or a menu; null while nothing is loaded.
  HIMAGELIST Handle() const { return handle; }
  int ImageCount() const { return handle ? ImageList_GetImageCount(handle) : 0; }

  int shared = 0;  // nonzero: someone else destroys the list
  HIMAGELIST handle = NULL;
};
