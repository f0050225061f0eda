#include "read_orientation.h"

#include "exif_info.h"
#include "photo_file.h"
#include "photo_format.h"

namespace {

int OrientationOf(const ExifInfo_CL& info) {
  // The walk's result does not matter, as for a turn: the entry counts even
  // when a later segment is damaged.
  const ExifEntry* entry = info.FindEntry(kTagOrientation);
  if (!entry) return 0;
  if (entry->value < 1 || entry->value > 8) return 0;
  return static_cast<int>(entry->value);
}

}  // namespace

int ReadOrientation(const std::wstring& path) {
  std::FILE* stream = OpenSharedForReading(path);
  if (!stream) return 0;
  FileSource_CL source(stream, true);
  ExifInfo_CL info;
  ReadPhotoExif(source, info, nullptr, nullptr);
  return OrientationOf(info);
}

int ReadOrientation(const void* bytes, std::size_t size) {
  if (!bytes || size == 0) return 0;
  MemorySource_CL source(bytes, size);
  ExifInfo_CL info;
  ReadPhotoExif(source, info, nullptr, nullptr);
  return OrientationOf(info);
}
