#include "main_layout_sizes.h"

#include "dpi_scale.h"

MainLayoutSizes MainLayoutSizesForDpi(int dpi) {
  if (dpi <= 0) dpi = kBaseDpi;
  MainLayoutSizes sizes = {};
  sizes.dpi = dpi;
  sizes.windowWidth = ScaleForDpi(kMainWindowWidth, dpi);
  sizes.windowHeight = ScaleForDpi(kMainWindowHeight, dpi);
  sizes.splitter = ScaleForDpi(kSplitterThickness, dpi);
  sizes.thumbnailWidth = ScaleForDpi(kThumbnailWidth, dpi);
  sizes.thumbnailHeight = ScaleForDpi(kThumbnailHeight, dpi);
  // The margins around the picture grow with it, so the caption keeps the
  // same share of the cell.
  sizes.cellWidth = ScaleForDpi(kCellWidth, dpi);
  sizes.cellHeight = ScaleForDpi(kCellHeight, dpi);
  sizes.captionPixels = FontPixelsForDpi(kCaptionPoints, dpi);
  // The images come drawn at a few scales and are never stretched: the
  // nearest set is used at its own size.
  sizes.pictureScale = PictureScalePercent(dpi);
  sizes.toolbarImage = kToolbarImageWidth * sizes.pictureScale / 100;
  return sizes;
}

int ThumbnailsInSameMemory(int keptAt96Dpi, const MainLayoutSizes& sizes) {
  // A thumbnail of twice the size takes four times the memory.
  const long long pixels96 = static_cast<long long>(kThumbnailWidth) * kThumbnailHeight;
  const long long pixels = static_cast<long long>(sizes.thumbnailWidth) * sizes.thumbnailHeight;
  const long long kept = keptAt96Dpi * pixels96 / (pixels > 0 ? pixels : 1);
  return static_cast<int>(kept < keptAt96Dpi ? kept : keptAt96Dpi);
}
