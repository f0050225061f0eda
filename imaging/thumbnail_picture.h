// The picture inside a cached thumbnail. The thumbnail rule draws a photo
// centred in its cell on black, so a photo whose shape differs from the
// cell's has black bands on two opposite sides; these helpers find the
// picture between them.
#pragma once

#include "gdiplus_types.h"

// The picture drawn in thumbnail, without the black bands on either side, as
// a 32-bit ARGB copy. Bands are counted on both opposite sides and only what
// both have is cut, so a photo that is merely dark at one edge keeps it. Null
// for a missing thumbnail or one that cannot be read.
BitmapPtr ThumbnailPicture(Gdiplus::Bitmap* thumbnail);

// thumbnail as it is after its photo was turned a quarter (clockwise or
// not): its picture turned and drawn again by the thumbnail rule in a cell of
// the same size and pixel format. Null when thumbnail is missing or cannot be
// read.
BitmapPtr TurnedThumbnail(Gdiplus::Bitmap* thumbnail, bool clockwise);
