// A quick bilinear resize for the preview's user-interface thread. GDI+ as
// Wine implements it resamples pixel by pixel through generic code, which
// costs a tenth of a second and more for a pane-sized picture; this does
// the same work directly on the pixels. Meant for enlarging and for
// shrinking by at most half: it samples, it does not average, below that.
#pragma once

#include "gdiplus_types.h"

// source resized to exactly width x height, 32-bit ARGB. Null when source
// is missing, a size is not positive, or memory runs out.
BitmapPtr ScaleBilinear(Gdiplus::Bitmap* source, int width, int height);
