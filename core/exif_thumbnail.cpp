#include "exif_thumbnail.h"

#include <cstring>

#include "byte_cursor.h"
#include "byte_order.h"

namespace {

// How far from its stated end a thumbnail's end-of-image marker may lie.
const std::uint32_t kEndSearch = 64;

// The TIFF structure inside one APP1 segment; every read is checked against
// the segment's end, so nothing outside it is ever touched.
class TiffView {
 public:
  TiffView(ByteSource_CL& file, std::uint32_t start, std::uint32_t size, bool bigEndian)
      : cursor_(file, bigEndian, start, size), size_(size) {}

  bool Get16(std::uint32_t at, std::uint16_t* value) { return cursor_.U16At(at, value); }
  bool Get32(std::uint32_t at, std::uint32_t* value) { return cursor_.U32At(at, value); }
  // The offset of the IFD that follows the one at ifd, 0 when none.
  bool NextIfd(std::uint32_t ifd, std::uint32_t* next) {
    std::uint16_t count = 0;
    if (!Get16(ifd, &count)) return false;
    const std::uint64_t link = static_cast<std::uint64_t>(ifd) + 2u + 12u * count;
    if (link > 0xFFFFFFFFu) return false;
    return Get32(static_cast<std::uint32_t>(link), next);
  }
  // The value of a SHORT or LONG entry with count 1 in the IFD at ifd.
  bool FindValue(std::uint32_t ifd, std::uint16_t tag, std::uint32_t* value) {
    std::uint16_t count = 0;
    if (!Get16(ifd, &count)) return false;
    // A directory that claims more entries than its block holds is damaged
    // as a whole.
    if (static_cast<std::uint64_t>(ifd) + 2u + 12u * count > size_) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t entry = static_cast<std::uint64_t>(ifd) + 2u + 12u * i;
      std::uint16_t entryTag = 0;
      std::uint16_t type = 0;
      std::uint32_t entryCount = 0;
      if (entry > 0xFFFFFFFFu) return false;
      const std::uint32_t at = static_cast<std::uint32_t>(entry);
      if (!Get16(at, &entryTag) || !Get16(at + 2, &type) || !Get32(at + 4, &entryCount)) return false;
      if (entryTag != tag) continue;
      if (entryCount != 1) return false;
      if (type == 4) return Get32(at + 8, value);
      std::uint16_t shortValue = 0;
      if (type == 3 && Get16(at + 8, &shortValue)) {
        *value = shortValue;
        return true;
      }
      return false;
    }
    return false;
  }

 private:
  ByteCursor_CL cursor_;
  std::size_t size_;
};

// The thumbnail named by the Exif APP1 payload at payload (after the length
// field), of payloadSize bytes; file is the whole file.
bool FromExifSegment(const unsigned char* file, std::size_t fileSize, std::size_t payload,
                     std::size_t payloadSize, EmbeddedThumbnail* found) {
  static const unsigned char kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (payloadSize < 6 + 8 || std::memcmp(file + payload, kExifId, 6) != 0) return false;
  const std::size_t tiff = payload + 6;
  const unsigned char* header = file + tiff;
  bool bigEndian = false;
  if (!ReadByteOrderMark(header, &bigEndian)) return false;
  MemorySource_CL source(file, fileSize);
  TiffView view(source, static_cast<std::uint32_t>(tiff), static_cast<std::uint32_t>(payloadSize - 6),
                bigEndian);
  std::uint16_t magic = 0;
  std::uint32_t ifd0 = 0;
  std::uint32_t ifd1 = 0;
  if (!view.Get16(2, &magic) || magic != 42 || !view.Get32(4, &ifd0)) return false;
  if (!view.NextIfd(ifd0, &ifd1) || ifd1 == 0 || ifd1 == ifd0) return false;
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  if (!view.FindValue(ifd1, kTagThumbnailOffset, &offset) ||
      !view.FindValue(ifd1, kTagThumbnailLength, &length)) {
    return false;
  }
  // The smallest JPEG is longer than its two markers.
  if (offset == 0 || length < 4) return false;
  const std::uint64_t start = static_cast<std::uint64_t>(tiff) + offset;
  if (start > fileSize || length > fileSize - start) return false;
  if (file[start] != 0xFF || file[start + 1] != 0xD8) return false;
  // A whole JPEG ends with its end-of-image marker; some cameras pad the
  // block after it. One that was cut short would show a half picture.
  const unsigned char* thumbnail = file + start;
  bool ended = false;
  for (std::uint32_t end = length; end >= 4 && length - end <= kEndSearch && !ended; --end) {
    ended = thumbnail[end - 2] == 0xFF && thumbnail[end - 1] == 0xD9;
  }
  if (!ended) return false;
  found->offset = static_cast<std::uint32_t>(start);
  found->length = length;
  return true;
}

}  // namespace

bool FindEmbeddedThumbnail(const void* bytes, std::size_t size, EmbeddedThumbnail* found) {
  if (!bytes || !found || size < 4 || size > 0xFFFFFFFFu) return false;
  const unsigned char* file = static_cast<const unsigned char*>(bytes);
  if (file[0] != 0xFF || file[1] != 0xD8) return false;
  std::size_t at = 2;
  // The Exif block comes before the scan; only the first one counts.
  while (at + 4 <= size) {
    if (file[at] != 0xFF) return false;
    const unsigned char marker = file[at + 1];
    if (marker == 0xFF) {  // a fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return false;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(file[at + 2]) << 8 | file[at + 3];
    if (length < 2 || length > size - at - 2) return false;
    if (marker == 0xE1 && length >= 2 + 6 &&
        std::memcmp(file + at + 4, "Exif\0\0", 6) == 0) {
      return FromExifSegment(file, size, at + 4, length - 2, found);
    }
    at += 2 + length;
  }
  return false;
}
