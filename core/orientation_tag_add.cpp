#include "orientation_tag_add.h"

#include <cstring>

#include "byte_order.h"
#include "byte_source.h"
#include "exif_info.h"

namespace {

const unsigned char kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
const std::uint32_t kIdSize = sizeof kExifId;
const std::uint32_t kEntrySize = 12;
const std::uint32_t kMaxSegmentLength = 0xFFFF;

struct Segment {
  std::uint32_t start = 0;   // the marker
  std::uint32_t length = 0;  // the length field: counts itself, not the marker
  std::uint32_t End() const { return start + 2 + length; }
};

// The first Exif APP1 segment before the scan, and where a new one would go
// (after the start of image and a JFIF APP0). False when the markers cannot
// be walked to the scan.
bool FindExifSegment(const std::vector<unsigned char>& photo, Segment* exif, bool* found,
                     std::uint32_t* insertAt) {
  const std::size_t size = photo.size();
  if (size < 4 || photo[0] != 0xFF || photo[1] != 0xD8) return false;
  *found = false;
  *insertAt = 2;
  std::uint32_t at = 2;
  for (bool first = true;; first = false) {
    if (size - at < 4 || photo[at] != 0xFF) return false;
    const unsigned char marker = photo[at + 1];
    if (marker == 0xDA) return true;
    Segment segment;
    segment.start = at;
    segment.length = Load16(&photo[at + 2], true);
    if (segment.length < 2 || segment.End() > size) return false;
    if (first && marker == 0xE0) *insertAt = segment.End();
    if (marker == 0xE1 && segment.length >= 2 + kIdSize &&
        std::memcmp(&photo[at + 4], kExifId, kIdSize) == 0) {
      *exif = segment;
      *found = true;
      return true;
    }
    at = segment.End();
  }
}

void PutEntry(unsigned char* p, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
              std::uint16_t value, bool bigEndian) {
  Store16(p, tag, bigEndian);
  Store16(p + 2, type, bigEndian);
  Store32(p + 4, count, bigEndian);
  std::memset(p + 8, 0, 4);
  Store16(p + 8, value, bigEndian);
}

bool AppendIfd(const std::vector<unsigned char>& photo, const Segment& exif, std::uint16_t value,
               std::vector<unsigned char>* out, ExifSegmentSpan* span) {
  const std::uint32_t tiff = exif.start + 4 + kIdSize;
  const std::uint32_t end = exif.End();
  if (end - tiff < 8) return false;
  const unsigned char* header = &photo[tiff];
  bool bigEndian = false;
  if (!ReadByteOrderMark(header, &bigEndian)) return false;
  if (Load16(header + 2, bigEndian) != 42) return false;
  const std::uint32_t ifd = Load32(header + 4, bigEndian);
  const std::uint32_t room = end - tiff;
  if (ifd < 8 || ifd > room - 2) return false;
  const std::uint16_t count = Load16(header + ifd, bigEndian);
  const std::uint32_t body = 2 + count * kEntrySize + 4;
  if (body > room - ifd) return false;

  // TIFF wants an IFD on a word boundary and its entries sorted by tag; the
  // new entry goes before the first larger tag, the others keep their order.
  const std::uint32_t pad = (end - tiff) & 1u;
  const std::uint32_t added = pad + body + kEntrySize;
  if (exif.length + added > kMaxSegmentLength || count == 0xFFFF) return false;
  std::vector<unsigned char> ifdBytes(body + kEntrySize);
  Store16(&ifdBytes[0], static_cast<std::uint16_t>(count + 1), bigEndian);
  unsigned char* put = &ifdBytes[2];
  bool placed = false;
  for (std::uint16_t i = 0; i < count; ++i) {
    const unsigned char* entry = header + ifd + 2 + i * kEntrySize;
    const std::uint16_t tag = Load16(entry, bigEndian);
    if (tag == kTagOrientation) return false;
    if (!placed && tag > kTagOrientation) {
      PutEntry(put, kTagOrientation, kTypeShort, 1, value, bigEndian);
      put += kEntrySize;
      placed = true;
    }
    std::memcpy(put, entry, kEntrySize);
    put += kEntrySize;
  }
  if (!placed) {
    PutEntry(put, kTagOrientation, kTypeShort, 1, value, bigEndian);
    put += kEntrySize;
  }
  std::memcpy(put, header + ifd + 2 + count * kEntrySize, 4);  // the link to IFD1

  std::vector<unsigned char> result(photo.begin(), photo.begin() + end);
  result.resize(result.size() + pad, 0);
  const std::uint32_t newIfd = static_cast<std::uint32_t>(result.size()) - tiff;
  result.insert(result.end(), ifdBytes.begin(), ifdBytes.end());
  result.insert(result.end(), photo.begin() + end, photo.end());
  Store32(&result[tiff + 4], newIfd, bigEndian);
  Store16(&result[exif.start + 2], static_cast<std::uint16_t>(exif.length + added), true);
  out->swap(result);
  span->start = exif.start;
  span->oldEnd = end;
  span->newEnd = end + added;
  return true;
}

void InsertSegment(const std::vector<unsigned char>& photo, std::uint32_t at, std::uint16_t value,
                   std::vector<unsigned char>* out, ExifSegmentSpan* span) {
  // Marker, length, identifier, "II" header, and an IFD0 of one entry.
  unsigned char segment[2 + 2 + kIdSize + 8 + 2 + kEntrySize + 4] = {0xFF, 0xE1};
  Store16(segment + 2, static_cast<std::uint16_t>(sizeof segment - 2), true);
  std::memcpy(segment + 4, kExifId, kIdSize);
  unsigned char* tiff = segment + 4 + kIdSize;
  tiff[0] = 'I';
  tiff[1] = 'I';
  Store16(tiff + 2, 42, false);
  Store32(tiff + 4, 8, false);
  Store16(tiff + 8, 1, false);
  PutEntry(tiff + 10, kTagOrientation, kTypeShort, 1, value, false);
  Store32(tiff + 10 + kEntrySize, 0, false);

  std::vector<unsigned char> result(photo.begin(), photo.begin() + at);
  result.insert(result.end(), segment, segment + sizeof segment);
  result.insert(result.end(), photo.begin() + at, photo.end());
  out->swap(result);
  span->start = at;
  span->oldEnd = at;
  span->newEnd = at + static_cast<std::uint32_t>(sizeof segment);
}

bool ReadEntries(const std::vector<unsigned char>& photo, ExifInfo_CL* info) {
  if (photo.empty()) return false;
  MemorySource_CL source(&photo[0], photo.size());
  info->Read(source);
  return true;
}

bool SameEntry(const ExifEntry& a, const ExifEntry& b) {
  return a.tag == b.tag && a.type == b.type && a.count == b.count && a.value == b.value &&
         a.text == b.text && a.bigEndian == b.bigEndian;
}

}  // namespace

bool AddOrientationEntry(const std::vector<unsigned char>& photo, std::uint16_t value,
                         std::vector<unsigned char>* out, ExifSegmentSpan* span) {
  // Files past 4 GiB are out of the reader's reach, and so out of a check's.
  if (photo.size() >= 0xFFFFFFFFu - kMaxSegmentLength) return false;
  Segment exif;
  bool found = false;
  std::uint32_t insertAt = 0;
  if (!FindExifSegment(photo, &exif, &found, &insertAt)) return false;
  if (found) return AppendIfd(photo, exif, value, out, span);
  InsertSegment(photo, insertAt, value, out, span);
  return true;
}

bool CheckAddedOrientation(const std::vector<unsigned char>& original,
                           const std::vector<unsigned char>& added, const ExifSegmentSpan& span,
                           std::uint16_t value) {
  if (span.start > span.oldEnd || span.oldEnd > original.size() || span.newEnd < span.start ||
      span.newEnd > added.size() || original.size() - span.oldEnd != added.size() - span.newEnd) {
    return false;
  }
  if (std::memcmp(&original[0], &added[0], span.start) != 0) return false;
  if (original.size() != span.oldEnd &&
      std::memcmp(&original[span.oldEnd], &added[span.newEnd], original.size() - span.oldEnd) != 0) {
    return false;
  }
  ExifInfo_CL before;
  ExifInfo_CL after;
  if (!ReadEntries(original, &before) || !ReadEntries(added, &after)) return false;
  const ExifEntry* orientation = after.FindEntry(kTagOrientation);
  if (!orientation || orientation->value != value || before.FindEntry(kTagOrientation)) return false;
  // The old entries, in the reader's order, with the new one among them.
  std::size_t j = 0;
  for (std::size_t i = 0; i < after.entries.size(); ++i) {
    if (&after.entries[i] == orientation) continue;
    if (j >= before.entries.size() || !SameEntry(before.entries[j], after.entries[i])) return false;
    ++j;
  }
  return j == before.entries.size();
}
