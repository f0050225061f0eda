#include "orientation_table.h"

namespace {

const RotateFlip_EN kTable[9] = {
    kRotateNoneFlipNone,  // 0: no tag
    kRotateNoneFlipNone,  // 1: upright
    kRotateNoneFlipX,     // 2: mirrored left to right
    kRotate180FlipNone,   // 3: upside down
    kRotateNoneFlipY,     // 4: mirrored top to bottom
    kRotate90FlipX,       // 5: mirrored along the main diagonal
    kRotate90FlipNone,    // 6: needs a quarter turn clockwise
    kRotate270FlipX,      // 7: mirrored along the other diagonal
    kRotate270FlipNone,   // 8: needs a quarter turn anticlockwise
};

}  // namespace

RotateFlip_EN OrientationToRotateFlip(int orientation) {
  if (orientation < 0 || orientation > 8) return kRotateNoneFlipNone;
  return kTable[orientation];
}

bool NeedsRotateFlip(int orientation) { return orientation > 1 && orientation <= 8; }
