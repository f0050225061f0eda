// The thumbnail cache of the picture list: GDI+ bitmaps, most recently used
// first, under keys built with ThumbnailCacheKey. Used on the user-interface
// thread only.
#pragma once

#include "gdiplus_types.h"
#include "mru_bitmap_cache.h"

class MovieBitmapChcheBase_CL : public MruBitmapCache_CL<Gdiplus::Bitmap> {
 public:
  // 800 thumbnails of 192 x 144 in 16 bits take about 44 MB.
  static const unsigned kThumbnailCapacity = 800;

  explicit MovieBitmapChcheBase_CL(unsigned capacity = kThumbnailCapacity)
      : MruBitmapCache_CL<Gdiplus::Bitmap>(capacity) {}
};
