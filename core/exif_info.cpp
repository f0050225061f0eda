#include "exif_info.h"

#include <cstdio>
#include <cstring>

#include "byte_order.h"
#include "photo_file.h"

#ifdef _WIN32
#define SNAPVANE_FSEEK _fseeki64
#define SNAPVANE_FTELL _ftelli64
#else
#define SNAPVANE_FSEEK fseeko
#define SNAPVANE_FTELL ftello
#endif

namespace {

const std::uint16_t kMarkerSoi = 0xFFD8;
const std::uint16_t kMarkerSos = 0xFFDA;
const std::uint16_t kMarkerApp1 = 0xFFE1;

// A crafted file can point many IFDs at the same bytes; these bounds keep the
// work and the memory of one walk small. Real photos stay far below them.
const std::size_t kMaxEntries = 100000;
// An ASCII value lives inside one APP1 segment, which holds at most 64 KiB.
const std::uint32_t kMaxTextLength = 0xFFFF;

// Reads a file through the C runtime's buffered stream, opened shared.
class FileSource_CL : public ByteSource_CL {
 public:
  explicit FileSource_CL(std::FILE* file) : file_(file) {
    if (file_ && SNAPVANE_FSEEK(file_, 0, SEEK_END) == 0) {
      const long long end = SNAPVANE_FTELL(file_);
      // Offsets are 32-bit: of a larger file only the first 4 GiB are seen,
      // which is where the metadata lives.
      if (end > 0) size_ = end > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<std::uint32_t>(end);
      SNAPVANE_FSEEK(file_, 0, SEEK_SET);
    }
  }
  ~FileSource_CL() override {
    if (file_) std::fclose(file_);
  }
  FileSource_CL(const FileSource_CL&) = delete;
  FileSource_CL& operator=(const FileSource_CL&) = delete;

  bool Read(void* buffer, std::size_t n) override {
    if (!file_ || n > size_ || offset_ > size_ - n) return false;
    if (std::fread(buffer, 1, n, file_) != n) return false;
    offset_ += static_cast<std::uint32_t>(n);
    return true;
  }
  bool Seek(std::uint32_t offset) override {
    if (!file_ || offset > size_) return false;
    if (offset == offset_) return true;
    if (SNAPVANE_FSEEK(file_, static_cast<long long>(offset), SEEK_SET) != 0) return false;
    offset_ = offset;
    return true;
  }
  std::uint32_t Tell() const override { return offset_; }
  std::uint32_t Size() const override { return size_; }

 private:
  std::FILE* file_;
  std::uint32_t size_ = 0;
  std::uint32_t offset_ = 0;
};

// base + offset as a file offset, or false when it does not fit in 32 bits.
bool AddOffset(std::uint32_t base, std::uint32_t offset, std::uint32_t* sum) {
  if (offset > 0xFFFFFFFFu - base) return false;
  *sum = base + offset;
  return true;
}

}  // namespace

MemorySource_CL::MemorySource_CL(const void* data, std::size_t size)
    : data_(static_cast<const unsigned char*>(data)),
      size_(size > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(size)) {}

bool MemorySource_CL::Read(void* buffer, std::size_t n) {
  if (n > size_ || offset_ > size_ - n) return false;
  if (n) std::memcpy(buffer, data_ + offset_, n);
  offset_ += static_cast<std::uint32_t>(n);
  return true;
}

bool MemorySource_CL::Seek(std::uint32_t offset) {
  if (offset > size_) return false;
  offset_ = offset;
  return true;
}

HRESULT ExifInfo_CL::Read(std::wstring path) {
  std::FILE* file = OpenSharedForReading(path);
  if (!file) return E_FAIL;
  FileSource_CL source(file);
  return Read(source);
}

HRESULT ExifInfo_CL::Read(ByteSource_CL& source) {
  unsigned char buffer[8];
  if (!source.Read(buffer, 2) || Load16(buffer, true) != kMarkerSoi) return E_FAIL;

  for (;;) {
    const std::uint32_t segmentStart = source.Tell();
    if (!source.Read(buffer, 2)) return E_FAIL;
    const std::uint16_t marker = Load16(buffer, true);
    if (marker == kMarkerSos) return S_OK;
    if (!source.Read(buffer, 2)) return E_FAIL;
    const std::uint16_t length = Load16(buffer, true);

    if (marker == kMarkerApp1) {
      static const unsigned char kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
      if (!source.Read(buffer, 6) || std::memcmp(buffer, kExifId, 6) != 0) return E_FAIL;
      tiffHeaderPosition = source.Tell();
      if (!source.Read(buffer, 8)) return E_FAIL;
      if (buffer[0] == 'I' && buffer[1] == 'I') {
        bigEndian = false;
      } else if (buffer[0] == 'M' && buffer[1] == 'M') {
        bigEndian = true;
      } else {
        return E_FAIL;
      }
      if (Load16(buffer + 2, bigEndian) != 42) return E_FAIL;
      // The sub-IFDs are looked up after IFD0 is complete, Exif before GPS,
      // among this block's own entries: an earlier block's pointers are
      // offsets into that block, not this one.
      const std::size_t blockStart = entries.size();
      if (!ReadIfd(source, Load32(buffer + 4, bigEndian))) return E_FAIL;
      const ExifEntry* exif = FindEntryFrom(blockStart, kTagExifIfd);
      if (exif && !ReadIfd(source, exif->value)) return E_FAIL;
      const ExifEntry* gps = FindEntryFrom(blockStart, kTagGpsIfd);
      if (gps && !ReadIfd(source, gps->value)) return E_FAIL;
    }

    // Every segment but the scan is skipped by its length, which counts
    // itself but not the marker.
    std::uint32_t next = 0;
    if (!AddOffset(segmentStart, 2u + length, &next) || !source.Seek(next)) return E_FAIL;
  }
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
bool ExifInfo_CL::ReadIfd(ByteSource_CL& source, std::uint32_t offset) {
  std::uint32_t start = 0;
  unsigned char buffer[2];
  if (!AddOffset(tiffHeaderPosition, offset, &start) || !source.Seek(start) ||
      !source.Read(buffer, 2)) {
    return false;
  }
  const std::uint16_t count = Load16(buffer, bigEndian);
  for (std::uint16_t i = 0; i < count; ++i) {
    if (entries.size() >= kMaxEntries || !ReadEntry(source)) return false;
  }
  return true;
}

bool ExifInfo_CL::ReadEntry(ByteSource_CL& source) {
  ExifEntry entry;
  entry.position = source.Tell();
  entry.bigEndian = bigEndian;
  unsigned char raw[12];
  if (!source.Read(raw, sizeof raw)) return false;
  entry.tag = Load16(raw, bigEndian);
  entry.type = Load16(raw + 2, bigEndian);
  entry.count = Load32(raw + 4, bigEndian);
  const unsigned char* field = raw + 8;

  switch (entry.type) {
    case kTypeByte:
    case kTypeUndefined:
      entry.value = field[0];
      break;
    case kTypeShort:
      entry.value = Load16(field, bigEndian);
      break;
    case kTypeLong:
    case kTypeRational:
    case kTypeSlong:
    case kTypeAscii:
      entry.value = Load32(field, bigEndian);
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
    if (placed && entry.count <= source.Size() && at <= source.Size() - entry.count &&
        source.Seek(at)) {
      std::string text(entry.count, '\0');
      if (entry.count == 0 || source.Read(&text[0], entry.count)) {
        entry.text.assign(text.c_str());
      }
    }
  }

  entries.push_back(entry);
  std::uint32_t next = 0;
  return AddOffset(entry.position, 12, &next) && source.Seek(next);
}
