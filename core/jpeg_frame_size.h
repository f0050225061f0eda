// The picture size a JPEG file declares in its frame header, read without
// decoding anything: the cheap check, made at every paint, that a photo's
// file still opens as a picture, and the stored size the embedded thumbnail
// is compared with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "byte_source.h"

struct FrameSize {
  int width = 0;
  int height = 0;
  int marker = 0;  // the frame header's marker: 0xC0 baseline, 0xC2 progressive, 0xC3 lossless...
};

// Walks the markers from the start of the file to the first frame header
// (SOF0 to SOF15 but DHT, JPG and DAC). A zero size when the file is not a
// JPEG, ends before a frame header, or reaches the scan first.
FrameSize ReadJpegFrameSize(std::FILE* file);
FrameSize ReadJpegFrameSize(const std::wstring& path);
// The same for a whole file already in memory.
FrameSize ReadJpegFrameSize(const void* bytes, std::size_t size);
// The same for a JPEG of `length` bytes at `at` inside a larger file (a raw
// file's embedded preview).
FrameSize ReadJpegFrameSizeAt(ByteSource_CL& source, std::uint32_t at, std::uint32_t length);
