// What the main window lays out, in pixels at one DPI: drawn for 96 DPI and
// grown with the monitor's, so that the window looks the same at every scale.
#pragma once

struct MainLayoutSizes {
  int dpi;
  int windowWidth;  // the window's default size
  int windowHeight;
  int splitter;  // the bar between the preview and the strip
  int thumbnailWidth;  // a strip cell's picture, decoded at this size
  int thumbnailHeight;
  int cellWidth;  // a strip cell: the picture and its caption
  int cellHeight;
  float captionPixels;  // the size of the captions' font
  int pictureScale;  // percent of the drawn toolbar and menu images used
  int toolbarImage;  // the toolbar's image size at that scale
};

// The 96-DPI sizes.
constexpr int kMainWindowWidth = 672;
constexpr int kMainWindowHeight = 810;
constexpr int kSplitterThickness = 4;
constexpr int kThumbnailWidth = 192;
constexpr int kThumbnailHeight = 144;
constexpr int kCellWidth = 196;
constexpr int kCellHeight = 164;
constexpr float kCaptionPoints = 10.0f;
constexpr int kToolbarImageWidth = 48;

MainLayoutSizes MainLayoutSizesForDpi(int dpi);

// How many thumbnails of these sizes take the memory of keptAt96Dpi at 96
// DPI; never more than those.
int ThumbnailsInSameMemory(int keptAt96Dpi, const MainLayoutSizes& sizes);
