#include "jpeg_frame_size.h"

#include "photo_file.h"

namespace {

// The bytes being walked: a file read through the C runtime, or memory.
class ByteWalk {
 public:
  virtual ~ByteWalk() {}
  virtual bool Byte(int* value) = 0;
  virtual bool Skip(long count) = 0;

  bool Read16(int* value) {
    int high = 0;
    int low = 0;
    if (!Byte(&high) || !Byte(&low)) return false;
    *value = high << 8 | low;
    return true;
  }
};

class FileWalk : public ByteWalk {
 public:
  explicit FileWalk(std::FILE* file) : file_(file) {}
  bool Byte(int* value) override {
    const int c = std::fgetc(file_);
    if (c == EOF) return false;
    *value = c;
    return true;
  }
  bool Skip(long count) override { return std::fseek(file_, count, SEEK_CUR) == 0; }

 private:
  std::FILE* file_;
};

class MemoryWalk : public ByteWalk {
 public:
  MemoryWalk(const void* bytes, std::size_t size) : bytes_(static_cast<const unsigned char*>(bytes)), size_(size) {}
  bool Byte(int* value) override {
    if (at_ >= size_) return false;
    *value = bytes_[at_++];
    return true;
  }
  bool Skip(long count) override {
    if (count < 0 || static_cast<unsigned long>(count) > size_ - at_) return false;
    at_ += static_cast<std::size_t>(count);
    return true;
  }

 private:
  const unsigned char* bytes_;
  std::size_t size_;
  std::size_t at_ = 0;
};

bool IsFrameHeader(int marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandalone(int marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

FrameSize Walk(ByteWalk& in) {
  FrameSize size;
  int a = 0;
  int b = 0;
  if (!in.Byte(&a) || !in.Byte(&b) || a != 0xFF || b != 0xD8) return size;
  for (;;) {
    int c = 0;
    if (!in.Byte(&c) || c != 0xFF) return size;
    int marker = 0xFF;
    // Any number of fill bytes may precede a marker.
    while (marker == 0xFF) {
      if (!in.Byte(&marker)) return size;
    }
    if (IsStandalone(marker)) continue;
    if (marker == 0xD9 || marker == 0xDA || marker == 0x00) return size;
    int length = 0;
    if (!in.Read16(&length) || length < 2) return size;
    if (IsFrameHeader(marker)) {
      int precision = 0;
      int height = 0;
      int width = 0;
      if (length < 7 || !in.Byte(&precision) || !in.Read16(&height) || !in.Read16(&width)) return size;
      size.width = width;
      size.height = height;
      return size;
    }
    if (!in.Skip(length - 2)) return size;
  }
}

}  // namespace

FrameSize ReadJpegFrameSize(std::FILE* file) {
  if (!file) return FrameSize();
  FileWalk walk(file);
  return Walk(walk);
}

FrameSize ReadJpegFrameSize(const void* bytes, std::size_t size) {
  if (!bytes) return FrameSize();
  MemoryWalk walk(bytes, size);
  return Walk(walk);
}

FrameSize ReadJpegFrameSize(const std::wstring& path) {
  std::FILE* file = OpenSharedForReading(path);
  if (!file) return FrameSize();
  const FrameSize size = ReadJpegFrameSize(file);
  std::fclose(file);
  return size;
}
