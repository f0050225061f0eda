#include "exif_info.h"

#include <cstdio>
#include <cstring>

#include "byte_cursor.h"
#include "byte_order.h"
#include "photo_file.h"

namespace {

const std::uint16_t kMarkerSoi = 0xFFD8;
const std::uint16_t kMarkerSos = 0xFFDA;
const std::uint16_t kMarkerApp1 = 0xFFE1;

// A crafted file can point many IFDs at the same bytes; these bounds keep the
// work and the memory of one walk small. Real photos stay far below them.
const std::size_t kMaxEntries = 100000;
// An ASCII value lives inside one APP1 segment, which holds at most 64 KiB.
const std::uint32_t kMaxTextLength = 0xFFFF;

// base + offset as a file offset, or false when it does not fit in 32 bits.
bool AddOffset(std::uint32_t base, std::uint32_t offset, std::uint32_t* sum) {
  if (offset > 0xFFFFFFFFu - base) return false;
  *sum = base + offset;
  return true;
}

}  // namespace

HRESULT ExifInfo_CL::Read(std::wstring path) {
  std::FILE* file = OpenSharedForReading(path);
  if (!file) return E_FAIL;
  FileSource_CL source(file, true);
  return Read(source);
}

HRESULT ExifInfo_CL::Read(ByteSource_CL& source) {
  // The marker layer is big-endian; the TIFF structure has its own order.
  ByteCursor_CL markers(source, true);
  std::uint16_t soi = 0;
  if (!markers.Seek(0) || !markers.U16(&soi) || soi != kMarkerSoi) return E_FAIL;

  for (;;) {
    const std::uint32_t segmentStart = markers.Tell();
    std::uint16_t marker = 0;
    if (!markers.U16(&marker)) return E_FAIL;
    if (marker == kMarkerSos) return S_OK;
    std::uint16_t length = 0;
    if (!markers.U16(&length)) return E_FAIL;

    if (marker == kMarkerApp1) {
      static const unsigned char kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
      unsigned char id[6];
      if (!markers.Bytes(id, 6) || std::memcmp(id, kExifId, 6) != 0) return E_FAIL;
      tiffHeaderPosition = markers.Tell();
      // The same file, read in the block's order; offsets stay file offsets.
      ByteCursor_CL tiff(source, false);
      std::uint32_t ifd0 = 0;
      if (!ReadHeader(tiff, false, &ifd0)) return E_FAIL;
      // The sub-IFDs are looked up after IFD0 is complete, Exif before GPS,
      // among this block's own entries: an earlier block's pointers are
      // offsets into that block, not this one.
      const std::size_t blockStart = entries.size();
      if (!ReadIfd(tiff, ifd0)) return E_FAIL;
      const ExifEntry* exif = FindEntryFrom(blockStart, kTagExifIfd);
      if (exif && !ReadIfd(tiff, exif->value)) return E_FAIL;
      const ExifEntry* gps = FindEntryFrom(blockStart, kTagGpsIfd);
      if (gps && !ReadIfd(tiff, gps->value)) return E_FAIL;
    }

    // Every segment but the scan is skipped by its length, which counts
    // itself but not the marker.
    std::uint32_t next = 0;
    if (!AddOffset(segmentStart, 2u + length, &next) || !markers.Seek(next)) return E_FAIL;
  }
}

HRESULT ExifInfo_CL::ReadTiff(ByteSource_CL& source, std::uint32_t headerPosition, std::uint32_t end) {
  tiffHeaderPosition = headerPosition;
  ByteCursor_CL tiff(source, false, 0, end);
  std::uint32_t ifd0 = 0;
  if (!ReadHeader(tiff, true, &ifd0) || !ReadIfd(tiff, ifd0)) return E_FAIL;
  return S_OK;
}

bool ExifInfo_CL::IsTiffMagic(std::uint16_t magic, bool rawMagics) {
  return magic == 42 || (rawMagics && (magic == 0x4F52 || magic == 0x5352 || magic == 0x55));
}

bool ExifInfo_CL::ReadHeader(ByteCursor_CL& tiff, bool rawMagics, std::uint32_t* ifd0) {
  unsigned char order[2];
  if (!tiff.Seek(tiffHeaderPosition) || !tiff.Bytes(order, 2)) return false;
  if (!ReadByteOrderMark(order, &bigEndian)) return false;
  tiff.SetBigEndian(bigEndian);
  std::uint16_t magic = 0;
  if (!tiff.U16(&magic) || !tiff.U32(ifd0) || !IsTiffMagic(magic, rawMagics)) return false;
  sawTiffHeader = true;
  return true;
}

const ExifEntry* ExifInfo_CL::FindEntry(std::uint16_t tag) const { return FindEntryFrom(0, tag); }

const ExifEntry* ExifInfo_CL::FindEntryFrom(std::size_t from, std::uint16_t tag) const {
  for (std::size_t i = from; i < entries.size(); ++i) {
    if (entries[i].tag == tag) return &entries[i];
  }
  return nullptr;
}

// Reads the IFD at tiffHeaderPosition + offset. The link to a following IFD
// is not followed: the thumbnail's IFD1 never matters here.
bool ExifInfo_CL::ReadIfd(ByteCursor_CL& tiff, std::uint32_t offset) {
  std::uint32_t start = 0;
  std::uint16_t count = 0;
  if (!AddOffset(tiffHeaderPosition, offset, &start) || !tiff.U16At(start, &count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    if (entries.size() >= kMaxEntries || !ReadEntry(tiff)) return false;
  }
  return true;
}

bool ExifInfo_CL::ReadEntry(ByteCursor_CL& tiff) {
  ExifEntry entry;
  entry.position = tiff.Tell();
  entry.bigEndian = tiff.BigEndian();
  unsigned char field[4];
  if (!tiff.U16(&entry.tag) || !tiff.U16(&entry.type) || !tiff.U32(&entry.count) ||
      !tiff.Bytes(field, sizeof field)) {
    return false;
  }

  switch (entry.type) {
    case kTypeByte:
    case kTypeUndefined:
      entry.value = field[0];
      break;
    case kTypeShort:
      entry.value = Load16(field, entry.bigEndian);
      break;
    case kTypeLong:
    case kTypeRational:
    case kTypeSlong:
    case kTypeAscii:
      entry.value = Load32(field, entry.bigEndian);
      break;
    default:
      entry.value = 0;
      break;
  }

  if (entry.type == kTypeAscii && entry.count <= kMaxTextLength) {
    // Up to four characters sit in the value field itself, longer texts at
    // an offset from the TIFF header. A text that is not wholly inside the
    // file is left empty, and the walk goes on.
    std::uint32_t at = entry.position + 8;
    bool placed = true;
    if (entry.count > 4) placed = AddOffset(tiffHeaderPosition, entry.value, &at);
    if (placed && entry.count <= tiff.Size() && at <= tiff.Size() - entry.count && tiff.Seek(at)) {
      std::string text(entry.count, '\0');
      if (entry.count == 0 || tiff.Bytes(&text[0], entry.count)) {
        entry.text.assign(text.c_str());
      }
    }
  }

  entries.push_back(entry);
  std::uint32_t next = 0;
  return AddOffset(entry.position, 12, &next) && tiff.Seek(next);
}
