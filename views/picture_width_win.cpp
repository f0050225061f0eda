#include "picture_width.h"

#include "jpeg_frame_size.h"
#include "source_photo.h"

int PictureWidth(const std::wstring& path) {
  const FrameSize frame = ReadJpegFrameSize(path);
  if (frame.width > 0) return frame.width;
  // Another kind of picture under a photo's name: GDI+ may still read it.
  SourcePhoto_CL photo;
  if (!photo.Load(path)) return 0;
  return photo.Width();
}
