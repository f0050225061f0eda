// A photo's upright picture the preview keeps, with what it was made from,
// so that showing it again needs no decode and a change on disk is seen.
#pragma once

#include <string>

#include "file_stamp.h"
#include "gdiplus_types.h"

struct KeptPhoto {
  std::wstring path;
  BitmapPtr picture;
  PictureOrigin origin;
  // The picture is the photo's full size (it was smaller than the pane it
  // was asked for): a larger pane needs no new decode.
  bool full = false;

  bool Holds(const std::wstring& photo) const { return picture && path == photo; }
};

// The photos before and after the one shown, in list order; empty where
// there is none.
struct PhotoNeighbours {
  std::wstring before;
  std::wstring after;
};
