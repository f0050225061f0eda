// The two scaling rules of the program, as plain arithmetic.
#pragma once

struct DrawRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Where a w x h picture is drawn in a W x H thumbnail: the longer side of the
// picture sets the scale (a portrait fills the height, anything else the
// width), centred, truncating. The other side is not compared with the
// target, so a square picture overflows a landscape cell and is clipped.
// False, with nothing computed, when w or h is not positive: a photo that did
// not open must not be divided by.
bool ThumbnailRect(int W, int H, int w, int h, DrawRect* rect);

// Where the picture lies in a camera's embedded thumbnail of tw x th taken
// from a photo stored w x h. Cameras keep a fixed thumbnail size (160 x 120)
// and fill what a 3:2 or 16:9 photo leaves with black bands: when the aspects
// differ by more than kEmbeddedAspectTolerance, rect is the centred part with
// the photo's aspect, which the caller checks for bands before using it;
// otherwise the whole thumbnail. False when either size is not positive.
constexpr double kEmbeddedAspectTolerance = 0.03;
bool EmbeddedPictureRect(int w, int h, int tw, int th, DrawRect* rect, bool* banded);
