#include "picture_width.h"

#include "jpeg_frame_size.h"
#include "photo_file.h"
#include "raw_preview.h"
#include "source_photo.h"

int PictureWidth(const std::wstring& path) {
  const FrameSize frame = ReadJpegFrameSize(path);
  if (frame.width > 0) return frame.width;
  // A raw file shows its embedded preview; told without reading the file whole.
  if (std::FILE* stream = OpenSharedForReading(path)) {
    FileSource_CL source(stream, true);
    const ShownPicture shown = FindShownPicture(source);
    if (shown.from == kShownEmbeddedJpeg) return shown.jpeg.width;
  }
  // Another kind of picture (TIFF, PNG, or one under a photo's name): GDI+
  // may still read it.
  SourcePhoto_CL photo;
  if (!photo.Load(path)) return 0;
  return photo.Width();
}
