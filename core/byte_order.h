// Reading and writing 16- and 32-bit numbers in a chosen byte order, so the
// parsers stay free of shifts.
#pragma once

#include <cstdint>

// A TIFF header's byte-order mark: "II" little-endian, "MM" big-endian.
// False for anything else.
inline bool ReadByteOrderMark(const unsigned char* mark, bool* bigEndian) {
  if (mark[0] != mark[1] || (mark[0] != 'I' && mark[0] != 'M')) return false;
  *bigEndian = mark[0] == 'M';
  return true;
}

inline std::uint16_t Load16(const unsigned char* p, bool bigEndian) {
  return bigEndian ? static_cast<std::uint16_t>((p[0] << 8) | p[1])
                   : static_cast<std::uint16_t>((p[1] << 8) | p[0]);
}

inline std::uint32_t Load32(const unsigned char* p, bool bigEndian) {
  const std::uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
  return bigEndian ? (b0 << 24) | (b1 << 16) | (b2 << 8) | b3
                   : (b3 << 24) | (b2 << 16) | (b1 << 8) | b0;
}

inline void Store16(unsigned char* p, std::uint16_t v, bool bigEndian) {
  const unsigned char hi = static_cast<unsigned char>(v >> 8);
  const unsigned char lo = static_cast<unsigned char>(v & 0xFF);
  p[0] = bigEndian ? hi : lo;
  p[1] = bigEndian ? lo : hi;
}

inline void Store32(unsigned char* p, std::uint32_t v, bool bigEndian) {
  for (int i = 0; i < 4; ++i) {
    const int shift = bigEndian ? 24 - 8 * i : 8 * i;
    p[i] = static_cast<unsigned char>((v >> shift) & 0xFF);
  }
}
