// Where a photo keeps the small picture its camera embedded for quick
// display: IFD1 of the Exif block, tags 513 (its offset from the TIFF header)
// and 514 (its length). Only the thumbnail strip reads it; the turns never
// look past IFD0 and its sub-IFDs.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedThumbnail {
  std::uint32_t offset = 0;  // from the start of the file
  std::uint32_t length = 0;
};

enum : std::uint16_t {
  kTagThumbnailOffset = 513,
  kTagThumbnailLength = 514,
};

// True, with the thumbnail's place, when the first Exif block of the JPEG in
// bytes has an IFD1 naming a thumbnail that lies wholly inside bytes, starts
// with a JPEG start-of-image marker and ends with an end-of-image marker
// (a little padding after it allowed). False for anything else: no Exif, no
// IFD1, a missing or zero offset or length, a place outside the file, a
// thumbnail cut short, or bytes that are not a JPEG.
bool FindEmbeddedThumbnail(const void* bytes, std::size_t size, EmbeddedThumbnail* found);
