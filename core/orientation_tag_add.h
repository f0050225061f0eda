// Giving a photo an Orientation entry it lacks, in memory. The file grows, so
// unlike a turn this cannot be done in place: the caller writes the result
// to a new file and puts it in the photo's place.
#pragma once

#include <cstdint>
#include <vector>

// Where the Exif segment sits before and after: every byte before `start`
// and every byte from the old segment's end on are the same in both files.
struct ExifSegmentSpan {
  std::uint32_t start = 0;   // the segment's marker
  std::uint32_t oldEnd = 0;  // one past the segment in the original (start when there was none)
  std::uint32_t newEnd = 0;  // one past the segment in the new file
};

// The photo with an Orientation entry holding `value` added to its primary
// image. Where IFD0 exists, a copy of it with the entry added is appended to
// the Exif segment and the TIFF header points there, so no byte of the old
// Exif data moves and every offset in it stays valid. Where there is no Exif
// segment, a minimal one is inserted after the start of image (and after a
// JFIF APP0). False, with `out` untouched, when the photo already has an
// Orientation entry, its Exif data cannot be walked, or the segment would
// outgrow its 16-bit length.
bool AddOrientationEntry(const std::vector<unsigned char>& photo, std::uint16_t value,
                         std::vector<unsigned char>* out, ExifSegmentSpan* span);

// Whether `added` is `original` with only the Orientation entry added: the
// bytes outside the Exif segment are the same, the program's reader finds
// `value`, and every entry it found before reads the same now.
bool CheckAddedOrientation(const std::vector<unsigned char>& original,
                           const std::vector<unsigned char>& added, const ExifSegmentSpan& span,
                           std::uint16_t value);
