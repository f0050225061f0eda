// Reads numbers from a window of a ByteSource_CL in a chosen byte order, with
// every read checked against the window's end: the one way the parsers of
// this folder read bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "byte_order.h"
#include "byte_source.h"

class ByteCursor_CL {
 public:
  // The window [base, base + size) of source, cut to the source's end;
  // offsets given to and taken from the cursor are relative to base.
  ByteCursor_CL(ByteSource_CL& source, bool bigEndian, std::uint32_t base = 0,
                std::uint32_t size = 0xFFFFFFFFu)
      : source_(source), base_(base > source.Size() ? source.Size() : base), bigEndian_(bigEndian) {
    const std::uint32_t room = source.Size() - base_;
    size_ = size < room ? size : room;
  }

  void SetBigEndian(bool bigEndian) { bigEndian_ = bigEndian; }
  bool BigEndian() const { return bigEndian_; }
  std::uint32_t Size() const { return size_; }
  std::uint32_t Tell() const { return source_.Tell() - base_; }

  bool Seek(std::uint32_t at) { return at <= size_ && source_.Seek(base_ + at); }
  bool Skip(std::uint32_t n) {
    const std::uint32_t at = Tell();
    return n <= size_ - at && Seek(at + n);
  }
  // Exactly n bytes, or false without a promise about the position.
  bool Bytes(void* out, std::size_t n) {
    const std::uint32_t at = Tell();
    return n <= size_ - at && source_.Read(out, n);
  }
  bool U8(std::uint8_t* value) { return Bytes(value, 1); }
  bool U16(std::uint16_t* value) {
    unsigned char b[2];
    if (!Bytes(b, 2)) return false;
    *value = Load16(b, bigEndian_);
    return true;
  }
  bool U32(std::uint32_t* value) {
    unsigned char b[4];
    if (!Bytes(b, 4)) return false;
    *value = Load32(b, bigEndian_);
    return true;
  }
  // Random access: reads at `at` and leaves the cursor behind the value.
  bool U16At(std::uint32_t at, std::uint16_t* value) { return Seek(at) && U16(value); }
  bool U32At(std::uint32_t at, std::uint32_t* value) { return Seek(at) && U32(value); }

 private:
  ByteSource_CL& source_;
  std::uint32_t base_;
  std::uint32_t size_;
  bool bigEndian_;
};
