// From an Exif Orientation value to the rotate/flip that turns the stored
// pixels upright.
#pragma once

// GDI+'s RotateFlipType numbers: rotate clockwise by the angle, then flip.
enum RotateFlip_EN {
  kRotateNoneFlipNone = 0,
  kRotate90FlipNone = 1,
  kRotate180FlipNone = 2,
  kRotate270FlipNone = 3,
  kRotateNoneFlipX = 4,
  kRotate90FlipX = 5,
  kRotateNoneFlipY = 6,
  kRotate270FlipX = 7,
};

// Orientation 0 to 8; any other value (a damaged or unknown tag) leaves the
// picture as stored rather than reading past the table.
RotateFlip_EN OrientationToRotateFlip(int orientation);

// True when the value asks for a rotate/flip (2 to 8).
bool NeedsRotateFlip(int orientation);
