#include "jpeg_frame_size.h"

#include "byte_cursor.h"
#include "photo_file.h"

namespace {

bool IsFrameHeader(int marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandalone(int marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

FrameSize Walk(ByteSource_CL& source, std::uint32_t at = 0, std::uint32_t length = 0xFFFFFFFFu) {
  FrameSize size;
  ByteCursor_CL in(source, true, at, length);  // the marker layer is big-endian
  std::uint16_t soi = 0;
  if (!in.Seek(0) || !in.U16(&soi) || soi != 0xFFD8) return size;
  for (;;) {
    std::uint8_t c = 0;
    if (!in.U8(&c) || c != 0xFF) return size;
    std::uint8_t marker = 0xFF;
    // Any number of fill bytes may precede a marker.
    while (marker == 0xFF) {
      if (!in.U8(&marker)) return size;
    }
    if (IsStandalone(marker)) continue;
    if (marker == 0xD9 || marker == 0xDA || marker == 0x00) return size;
    std::uint16_t length = 0;
    if (!in.U16(&length) || length < 2) return size;
    if (IsFrameHeader(marker)) {
      std::uint8_t precision = 0;
      std::uint16_t height = 0;
      std::uint16_t width = 0;
      if (length < 7 || !in.U8(&precision) || !in.U16(&height) || !in.U16(&width)) return size;
      size.width = width;
      size.height = height;
      size.marker = marker;
      return size;
    }
    if (!in.Skip(length - 2u)) return size;
  }
}

}  // namespace

FrameSize ReadJpegFrameSize(std::FILE* file) {
  if (!file) return FrameSize();
  FileSource_CL source(file, false);
  return Walk(source);
}

FrameSize ReadJpegFrameSize(const void* bytes, std::size_t size) {
  if (!bytes) return FrameSize();
  MemorySource_CL source(bytes, size);
  return Walk(source);
}

FrameSize ReadJpegFrameSizeAt(ByteSource_CL& source, std::uint32_t at, std::uint32_t length) {
  if (at > source.Size()) return FrameSize();
  return Walk(source, at, length);
}

FrameSize ReadJpegFrameSize(const std::wstring& path) {
  std::FILE* file = OpenSharedForReading(path);
  if (!file) return FrameSize();
  const FrameSize size = ReadJpegFrameSize(file);
  std::fclose(file);
  return size;
}
