#include "jpeg_frame_size.h"

#include "photo_file.h"

namespace {

bool ReadByte(std::FILE* file, int* value) {
  const int c = std::fgetc(file);
  if (c == EOF) return false;
  *value = c;
  return true;
}

bool Read16(std::FILE* file, int* value) {
  int high = 0;
  int low = 0;
  if (!ReadByte(file, &high) || !ReadByte(file, &low)) return false;
  *value = high << 8 | low;
  return true;
}

bool IsFrameHeader(int marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandalone(int marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

}  // namespace

FrameSize ReadJpegFrameSize(std::FILE* file) {
  FrameSize size;
  if (!file) return size;
  int a = 0;
  int b = 0;
  if (!ReadByte(file, &a) || !ReadByte(file, &b) || a != 0xFF || b != 0xD8) return size;
  for (;;) {
    int c = 0;
    if (!ReadByte(file, &c) || c != 0xFF) return size;
    int marker = 0xFF;
    // Any number of fill bytes may precede a marker.
    while (marker == 0xFF) {
      if (!ReadByte(file, &marker)) return size;
    }
    if (IsStandalone(marker)) continue;
    if (marker == 0xD9 || marker == 0xDA || marker == 0x00) return size;
    int length = 0;
    if (!Read16(file, &length) || length < 2) return size;
    if (IsFrameHeader(marker)) {
      int precision = 0;
      int height = 0;
      int width = 0;
      if (length < 7 || !ReadByte(file, &precision) || !Read16(file, &height) || !Read16(file, &width)) {
        return size;
      }
      size.width = width;
      size.height = height;
      return size;
    }
    if (std::fseek(file, length - 2, SEEK_CUR) != 0) return size;
  }
}

FrameSize ReadJpegFrameSize(const std::wstring& path) {
  std::FILE* file = OpenSharedForReading(path);
  if (!file) return FrameSize();
  const FrameSize size = ReadJpegFrameSize(file);
  std::fclose(file);
  return size;
}
