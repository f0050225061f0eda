#include "cr3_boxes.h"

#include <cstring>

#include "byte_cursor.h"

namespace {

const unsigned char kCanonUuid[16] = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                      0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};

// Looks among the boxes in [from, to) for the first of this type (and, for a
// uuid box, this id); gives the range of its contents after the header.
bool FindBox(ByteCursor_CL& c, std::uint32_t from, std::uint32_t to, const char* type,
             const unsigned char* uuid, std::uint32_t* start, std::uint32_t* end) {
  std::uint32_t at = from;
  while (at < to && to - at >= 8) {
    std::uint32_t size = 0;
    char name[4];
    if (!c.U32At(at, &size) || !c.Bytes(name, 4)) return false;
    std::uint32_t header = 8;
    if (size == 1) {
      // A 64-bit size: only one that fits in 32 bits can be walked here.
      std::uint32_t high = 0;
      if (!c.U32(&high) || !c.U32(&size) || high != 0) return false;
      header = 16;
    } else if (size == 0) {
      size = to - at;  // up to the end of the parent
    }
    if (size < header || size > to - at) return false;
    if (std::memcmp(name, type, 4) == 0) {
      unsigned char id[16];
      if (!uuid) {
        *start = at + header;
        *end = at + size;
        return true;
      }
      if (size - header >= 16 && c.Bytes(id, 16) && std::memcmp(id, uuid, 16) == 0) {
        *start = at + header + 16;
        *end = at + size;
        return true;
      }
    }
    at += size;
  }
  return false;
}

}  // namespace

bool HasCr3Signature(ByteSource_CL& source) {
  unsigned char start[12];
  return source.Seek(0) && source.Read(start, sizeof start) && std::memcmp(start + 4, "ftypcrx ", 8) == 0;
}

bool FindCr3TiffBlock(ByteSource_CL& source, std::uint32_t* start, std::uint32_t* end) {
  if (!HasCr3Signature(source)) return false;
  ByteCursor_CL c(source, true);
  std::uint32_t moovStart = 0, moovEnd = 0, canonStart = 0, canonEnd = 0;
  return FindBox(c, 0, c.Size(), "moov", nullptr, &moovStart, &moovEnd) &&
         FindBox(c, moovStart, moovEnd, "uuid", kCanonUuid, &canonStart, &canonEnd) &&
         FindBox(c, canonStart, canonEnd, "CMT1", nullptr, start, end);
}
