#include "cr3_boxes.h"

#include <cstring>

#include "byte_cursor.h"

namespace {

const unsigned char kCanonUuid[16] = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                      0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};

const unsigned char kPreviewUuid[16] = {0xea, 0xf4, 0x2b, 0x5e, 0x1c, 0x98, 0x4b, 0x88,
                                        0xb9, 0xfb, 0xb7, 0xdc, 0x40, 0x6e, 0x4d, 0x16};

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

namespace {

// PRVW and THMB both hold 16 bytes of sizes and flags before the JPEG; the
// JPEG's length sits at lengthAt within them.
bool PictureIn(ByteCursor_CL& c, std::uint32_t start, std::uint32_t end, std::uint32_t lengthAt, Cr3Picture* out) {
  std::uint32_t length = 0;
  if (end - start < 16 || !c.U32At(start + lengthAt, &length)) return false;
  out->start = start + 16;
  out->length = length < end - out->start ? length : end - out->start;
  return out->length > 0;
}

}  // namespace

int FindCr3Pictures(ByteSource_CL& source, Cr3Picture pictures[2]) {
  if (!HasCr3Signature(source)) return 0;
  ByteCursor_CL c(source, true);
  int found = 0;
  std::uint32_t start = 0, end = 0, boxStart = 0, boxEnd = 0;
  // The preview's uuid box holds 8 bytes before its PRVW box.
  if (FindBox(c, 0, c.Size(), "uuid", kPreviewUuid, &start, &end) && end - start >= 8 &&
      FindBox(c, start + 8, end, "PRVW", nullptr, &boxStart, &boxEnd) &&
      PictureIn(c, boxStart, boxEnd, 12, &pictures[found])) {
    ++found;
  }
  if (FindBox(c, 0, c.Size(), "moov", nullptr, &start, &end) &&
      FindBox(c, start, end, "uuid", kCanonUuid, &start, &end) &&
      FindBox(c, start, end, "THMB", nullptr, &boxStart, &boxEnd) &&
      PictureIn(c, boxStart, boxEnd, 8, &pictures[found])) {
    ++found;
  }
  return found;
}
