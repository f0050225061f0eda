#include "embedded_picture.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "bitmap_builders.h"
#include "exif_thumbnail.h"
#include "file_bytes.h"
#include "jpeg_bitmap.h"
#include "jpeg_frame_size.h"
#include "memory_stream.h"
#include "read_orientation.h"
#include "thumbnail_rule.h"

namespace {

// What JPEG's losses may leave of black in a band.
const int kBandDarkest = 48;
// Next to the picture, colour bleeds into a band (chroma is stored at half
// resolution, in 8 x 8 blocks); these pixels are not looked at.
const int kBandMargin = 2;

// True when every pixel of picture outside inside is (nearly) black.
bool BandsAreBlack(Gdiplus::Bitmap* picture, const DrawRect& inside) {
  const int w = static_cast<int>(picture->GetWidth());
  const int h = static_cast<int>(picture->GetHeight());
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data;
  if (picture->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &data) != Gdiplus::Ok) {
    return false;
  }
  bool black = true;
  for (int y = 0; y < h && black; ++y) {
    const unsigned char* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
    for (int x = 0; x < w; ++x) {
      if (x >= inside.x - kBandMargin && x < inside.x + inside.width + kBandMargin &&
          y >= inside.y - kBandMargin && y < inside.y + inside.height + kBandMargin) {
        continue;
      }
      const unsigned char* p = row + 3 * x;
      if (std::max(p[0], std::max(p[1], p[2])) > kBandDarkest) {
        black = false;
        break;
      }
    }
  }
  picture->UnlockBits(&data);
  return black;
}

}  // namespace

BitmapPtr EmbeddedThumbnailOf(const unsigned char* head, std::size_t size, int width, int height,
                              int pixelFormat) {
  EmbeddedThumbnail place;
  if (!FindEmbeddedThumbnail(head, size, &place)) return BitmapPtr();
  // The photo's stored size, to know what the thumbnail should look like.
  const FrameSize frame = ReadJpegFrameSize(head, size);
  if (frame.width <= 0 || frame.height <= 0) return BitmapPtr();

  MemoryStream_CL::Data bytes;
  try {
    bytes = std::make_shared<std::vector<unsigned char>>(head + place.offset, head + place.offset + place.length);
  } catch (const std::bad_alloc&) {
    return BitmapPtr();
  }
  // libjpeg-turbo first; GDI+ only for what it does not accept as JPEG,
  // from a stream it may read until the picture goes.
  JpegOutcome_EN outcome = JpegOutcome_EN::kNotAccepted;
  BitmapPtr decoded = DecodeJpegBitmap(bytes->data(), bytes->size(), 0, JpegTarget(), &outcome);
  if (!decoded && outcome != JpegOutcome_EN::kNotAccepted) return BitmapPtr();
  IStream* stream = nullptr;
  if (!decoded) {
    stream = MemoryStream_CL::Create(bytes);
    if (!stream) return BitmapPtr();
    decoded.reset(new Gdiplus::Bitmap(stream));
  }
  BitmapPtr picture;
  if (decoded && decoded->GetLastStatus() == Gdiplus::Ok) {
    const int tw = static_cast<int>(decoded->GetWidth());
    const int th = static_cast<int>(decoded->GetHeight());
    DrawRect inside;
    bool banded = false;
    if (EmbeddedPictureRect(frame.width, frame.height, tw, th, &inside, &banded) &&
        (!banded || BandsAreBlack(decoded.get(), inside))) {
      // A copy of its own, so that nothing refers to the stream once it is
      // released, and so that it can be turned in place.
      picture.reset(decoded->Clone(Gdiplus::Rect(inside.x, inside.y, inside.width, inside.height),
                                   PixelFormat24bppRGB));
      if (picture && picture->GetLastStatus() != Gdiplus::Ok) picture.reset();
    }
  }
  decoded.reset();
  if (stream) stream->Release();
  if (!picture) return BitmapPtr();
  ApplyOrientation(picture.get(), ReadOrientation(head, size));
  return RenderThumbnail(picture.get(), width, height, pixelFormat);
}

BitmapPtr LoadEmbeddedThumbnail(const std::wstring& path, int width, int height, int pixelFormat) {
  const std::vector<unsigned char> head = ReadFileBytes(path, kEmbeddedSearchBytes, true);
  if (head.empty()) return BitmapPtr();
  return EmbeddedThumbnailOf(head.data(), head.size(), width, height, pixelFormat);
}
