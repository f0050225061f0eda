#include "image_list.h"

#include "dpi_scale.h"
#include "win_handles.h"

ImageList_CL::~ImageList_CL() {
  if (handle && !shared) ImageList_Destroy(handle);
}

bool ImageList_CL::LoadBitmapStrip(const std::wstring& path, int imageWidth) {
  if (imageWidth <= 0) return false;
  // Not LR_SHARED: the bitmap is deleted below, once the list holds a copy.
  UniqueBitmap strip(static_cast<HBITMAP>(
      LoadImageW(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!strip) return false;
  BITMAP info = {};
  if (!GetObjectW(strip.Get(), sizeof(info), &info)) return false;
  HIMAGELIST list = ImageList_Create(imageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0,
                                     info.bmWidth / imageWidth);
  if (!list) return false;
  if (handle && !shared) ImageList_Destroy(handle);
  handle = list;
  shared = 0;
  ImageList_AddMasked(handle, strip.Get(), kImageStripMaskColor);
  return true;
}

int ImageList_CL::LoadBitmapStripForDpi(const std::wstring& path, int imageWidth96, int dpi) {
  const int percent = PictureScalePercent(dpi);
  if (percent != 100 && LoadBitmapStrip(PictureFileForScale(path, percent), imageWidth96 * percent / 100)) {
    return imageWidth96 * percent / 100;
  }
  return LoadBitmapStrip(path, imageWidth96) ? imageWidth96 : 0;
}
