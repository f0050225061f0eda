// JPEG files made for the decoder's tests with libjpeg-turbo's encoder, and
// the two edits that make them exceed the decoder's limits cheaply.
#pragma once

#include "test_files.h"

struct Colour {
  int r, g, b;
};
// Far apart, so that JPEG's losses cannot turn one into another; top left,
// top right, bottom left, bottom right.
extern const Colour kCorners[4];

enum Encoding { kBaseline, kProgressive, kRestarts, kGray, kAdobeCmyk, kPlainCmyk, kYcck };

// A w x h picture of kCorners in its quadrants, encoded as asked.
Bytes EncodeQuadrants(int w, int h, Encoding encoding);

// jpeg with its frame header claiming w x h: the data that follows covers
// only the picture it was made for, so decoding the rest costs no file
// space (the decoder fills it in and reports the file incomplete).
Bytes WithStoredSize(const Bytes& jpeg, int w, int h);

// jpeg with its last scan repeated so that it holds times more scans; a
// decoder accepts the repeats as bogus but harmless.
Bytes WithLastScanRepeated(const Bytes& jpeg, int times);
