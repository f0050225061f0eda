#include "shown_bytes.h"

#include "file_bytes.h"
#include "photo_file.h"
#include "raw_preview.h"

ShownBytes ReadShownBytes(const std::wstring& path, std::size_t limit) {
  ShownBytes shown;
  if (std::FILE* stream = OpenSharedForReading(path)) {
    FileSource_CL source(stream, true);
    const PhotoFormat_EN format = DetectPhotoFormat(source);
    if (format == kPhotoTiff || format == kPhotoCr3) {
      const ShownPicture picture = FindShownPicture(source);
      if (picture.from == kShownEmbeddedJpeg) {
        shown.embedded = true;
        shown.orientation = picture.orientation;
        if (picture.jpeg.length > limit) return shown;
        shown.bytes.resize(picture.jpeg.length);
        if (!source.Seek(picture.jpeg.offset) || !source.Read(shown.bytes.data(), shown.bytes.size())) {
          shown.bytes.clear();
        }
        return shown;
      }
    }
  }
  shown.bytes = ReadFileBytes(path, limit, false);
  return shown;
}
