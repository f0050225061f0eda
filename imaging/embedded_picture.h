// The quick first picture of a photo in the thumbnail strip: the small JPEG
// its camera embedded in the Exif block, decoded in a fraction of a
// millisecond where the photo itself takes a third of a second. It is shown
// until the full decode replaces it.
#pragma once

#include <cstddef>
#include <string>

#include "gdiplus_types.h"
#include "pixel_formats.h"

// How much of a photo's start is read to find the thumbnail: the Exif block
// is one segment of at most 64 KiB near the start of the file.
const std::size_t kEmbeddedSearchBytes = 128 * 1024;

// The photo's embedded thumbnail made upright by the photo's Orientation and
// drawn into width x height by the thumbnail rule, as the full decode would
// be. Null when the photo has none that can be trusted to show the same
// picture: none at all, unreadable, not inside the part read, or of another
// aspect than the photo unless the difference is black bands, which are cut
// off.
BitmapPtr LoadEmbeddedThumbnail(const std::wstring& path, int width, int height,
                                int pixelFormat = kThumbnailPixelFormat);
// The same for the start of a photo file already read into memory.
BitmapPtr EmbeddedThumbnailOf(const unsigned char* head, std::size_t size, int width, int height,
                              int pixelFormat = kThumbnailPixelFormat);
