// What the eight Exif Orientation values mean, written from the Exif
// definition (where the stored picture's first row and first column appear
// when it is shown upright), independently of the table under test. Pictures
// are reduced to their four corners.
#pragma once

enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

inline Corner MakeCorner(bool bottom, bool right) {
  return bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
}
inline bool IsBottom(Corner c) { return c == kBottomLeft || c == kBottomRight; }
inline bool IsRight(Corner c) { return c == kTopRight || c == kBottomRight; }

// Where the stored corner appears in the upright picture, for 1..8.
inline Corner UprightCorner(int orientation, Corner stored) {
  enum Side { kTop, kBottom, kLeft, kRight };
  // The side the first stored row is shown at, and the side the first
  // stored column is shown at.
  static const Side firstRow[9] = {kTop, kTop, kTop, kBottom, kBottom, kLeft, kRight, kRight, kLeft};
  static const Side firstColumn[9] = {kLeft, kLeft, kRight, kRight, kLeft, kTop, kTop, kBottom, kBottom};
  const Side row = firstRow[orientation];
  const Side column = firstColumn[orientation];
  const bool lastRow = IsBottom(stored);
  const bool lastColumn = IsRight(stored);
  if (row == kTop || row == kBottom) {
    // Rows stay rows.
    const bool bottom = (row == kBottom) != lastRow;
    const bool right = (column == kRight) != lastColumn;
    return MakeCorner(bottom, right);
  }
  // Rows become columns.
  const bool right = (row == kRight) != lastRow;
  const bool bottom = (column == kBottom) != lastColumn;
  return MakeCorner(bottom, right);
}
