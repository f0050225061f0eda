// Makes benchmark photos: synthetic pixels encoded by cjpeg (baseline, 4:2:0),
// whose JFIF header is replaced by a camera-like Exif APP1 with an
// Orientation entry and an embedded thumbnail.
#pragma once

#include <cstdint>
#include <string>

#include "exif_segment.h"

struct PhotoSpec {
  std::uint32_t width;
  std::uint32_t height;
  std::uint16_t orientation;
  bool bigEndian;
};

// scratch: a folder for the encoder's files. Throws on failure.
Bytes MakePhoto(const PhotoSpec& spec, const std::string& scratch);
