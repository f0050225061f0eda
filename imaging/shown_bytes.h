// The bytes the window decodes to show a photo: the whole file for a JPEG, a
// TIFF or a PNG; for a raw file only its largest embedded JPEG preview, read
// by itself, so a 25 MB raw file costs what its preview does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct ShownBytes {
  std::vector<unsigned char> bytes;
  // A raw file's embedded JPEG: shown only by libjpeg-turbo, and turned by
  // `orientation` (the raw file's IFD0 value; 0 for none), not by any value
  // the preview carries itself.
  bool embedded = false;
  int orientation = 0;
};

// Empty bytes when the file cannot be read or what is to be read is larger
// than limit. May throw std::bad_alloc.
ShownBytes ReadShownBytes(const std::wstring& path, std::size_t limit);
