// A camera-like Exif APP1 segment: IFD0 with an Orientation entry, an Exif
// sub-IFD, and IFD1 carrying an embedded JPEG thumbnail.
#pragma once

#include <cstdint>

#include "test_files.h"

// The whole segment, marker and length included. The thumbnail must leave
// the segment below 64 KiB.
Bytes BuildExifApp1(bool bigEndian, std::uint16_t orientation, std::uint32_t width,
                    std::uint32_t height, const Bytes& thumbnail);
