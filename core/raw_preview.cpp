#include "raw_preview.h"

#include <vector>

#include "byte_cursor.h"
#include "byte_order.h"
#include "cr3_boxes.h"
#include "exif_thumbnail.h"
#include "jpeg_frame_size.h"

namespace {

enum : std::uint16_t {
  kTagPanasonicJpgFromRaw = 46,
  kTagCompression = 259,
  kTagStripOffsets = 273,
  kTagStripByteCounts = 279,
  kTagSubIfds = 330,
};

const std::uint16_t kTypeIfd = 13;
const std::size_t kMaxIfds = 16;
const std::uint16_t kMaxEntriesPerIfd = 1000;
const std::uint32_t kMaxSubIfds = 8;

// Keeps the larger of found and the JPEG at [offset, offset + length) when
// libjpeg-turbo can decode it.
void Consider(ByteSource_CL& source, std::uint32_t offset, std::uint32_t length, EmbeddedJpeg* found) {
  if (offset == 0 || length < 4 || offset > source.Size() || length > source.Size() - offset) return;
  const FrameSize size = ReadJpegFrameSizeAt(source, offset, length);
  if (size.marker != 0xC0 && size.marker != 0xC1 && size.marker != 0xC2) return;
  if (size.width <= 0 || size.height <= 0) return;
  const std::uint64_t area = static_cast<std::uint64_t>(size.width) * static_cast<std::uint64_t>(size.height);
  const std::uint64_t best = static_cast<std::uint64_t>(found->width) * static_cast<std::uint64_t>(found->height);
  if (area <= best) return;
  found->offset = offset;
  found->length = length;
  found->width = size.width;
  found->height = size.height;
}

// The IFDs of a TIFF structure at the start of the file, walked breadth
// first from IFD0, each at most once.
class IfdWalk {
 public:
  IfdWalk(ByteSource_CL& source, bool bigEndian, bool panasonic)
      : source_(source), tiff_(source, bigEndian), panasonic_(panasonic) {}

  void Run(std::uint32_t ifd0, EmbeddedJpeg* found) {
    queue_.push_back(ifd0);
    for (std::size_t i = 0; i < queue_.size() && i < kMaxIfds; ++i) ReadIfd(queue_[i], found);
  }

 private:
  void Push(std::uint32_t offset) {
    if (offset == 0 || offset >= tiff_.Size()) return;
    for (std::uint32_t seen : queue_) {
      if (seen == offset) return;
    }
    queue_.push_back(offset);
  }

  void ReadIfd(std::uint32_t at, EmbeddedJpeg* found) {
    std::uint16_t count = 0;
    if (!tiff_.U16At(at, &count) || count > kMaxEntriesPerIfd) return;
    std::uint32_t compression = 0, stripOffset = 0, stripLength = 0, jpegOffset = 0, jpegLength = 0;
    bool oneStrip = false;
    for (std::uint16_t i = 0; i < count; ++i) {
      const std::uint32_t entry = at + 2u + 12u * i;
      std::uint16_t tag = 0, type = 0;
      std::uint32_t n = 0, value = 0;
      if (!tiff_.U16At(entry, &tag) || !tiff_.U16(&type) || !tiff_.U32(&n)) return;
      if (type == kTypeShort) {
        std::uint16_t v16 = 0;
        if (!tiff_.U16(&v16)) return;
        value = v16;
      } else if (!tiff_.U32(&value)) {
        return;
      }
      switch (tag) {
        case kTagCompression: compression = value; break;
        case kTagStripOffsets: stripOffset = value; oneStrip = n == 1; break;
        case kTagStripByteCounts: stripLength = value; break;
        case kTagThumbnailOffset: jpegOffset = value; break;
        case kTagThumbnailLength: jpegLength = value; break;
        case kTagPanasonicJpgFromRaw:
          if (panasonic_ && n > 4) Consider(source_, value, n, found);
          break;
        case kTagSubIfds:
          if (type != kTypeLong && type != kTypeIfd) break;
          if (n == 1) {
            Push(value);
          } else {
            for (std::uint32_t k = 0; k < n && k < kMaxSubIfds; ++k) {
              std::uint32_t sub = 0;
              if (tiff_.U32At(value + 4u * k, &sub)) Push(sub);
            }
          }
          break;
        default: break;
      }
    }
    std::uint32_t next = 0;
    if (tiff_.U32At(at + 2u + 12u * count, &next)) Push(next);
    Consider(source_, jpegOffset, jpegLength, found);
    if (oneStrip && (compression == 6 || compression == 7)) Consider(source_, stripOffset, stripLength, found);
  }

  ByteSource_CL& source_;
  ByteCursor_CL tiff_;
  bool panasonic_;
  std::vector<std::uint32_t> queue_;
};

}  // namespace

bool FindLargestEmbeddedJpeg(ByteSource_CL& source, PhotoFormat_EN format, EmbeddedJpeg* found) {
  *found = EmbeddedJpeg();
  if (format == kPhotoCr3) {
    Cr3Picture pictures[2];
    const int count = FindCr3Pictures(source, pictures);
    for (int i = 0; i < count; ++i) Consider(source, pictures[i].start, pictures[i].length, found);
  } else if (format == kPhotoTiff) {
    unsigned char header[8];
    bool bigEndian = false;
    if (!source.Seek(0) || !source.Read(header, sizeof header) || !ReadByteOrderMark(header, &bigEndian)) {
      return false;
    }
    IfdWalk walk(source, bigEndian, Load16(header + 2, bigEndian) == 0x55);
    walk.Run(Load32(header + 4, bigEndian), found);
  }
  return found->length > 0;
}

ShownPicture FindShownPicture(ByteSource_CL& source) {
  ShownPicture shown;
  ExifInfo_CL info;
  const PhotoFormat_EN format = ReadPhotoExif(source, info, nullptr, nullptr);
  if ((format != kPhotoTiff && format != kPhotoCr3) || !FindLargestEmbeddedJpeg(source, format, &shown.jpeg)) {
    return shown;
  }
  shown.from = kShownEmbeddedJpeg;
  const ExifEntry* entry = info.FindEntry(kTagOrientation);
  if (entry && entry->value >= 1 && entry->value <= 8) shown.orientation = static_cast<int>(entry->value);
  return shown;
}
