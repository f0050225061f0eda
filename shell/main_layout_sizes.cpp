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
