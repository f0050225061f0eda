#include "bitmap_builders.h"

#include <cstdint>

#include "decode_budget.h"

#include "jpeg_bitmap.h"
#include "log_file.h"
#include "orientation_table.h"
#include "read_orientation.h"
#include "shown_bytes.h"
#include "source_photo.h"
#include "fit_rect.h"
#include "thumbnail_rule.h"

static_assert(kThumbnailPixelFormat == PixelFormat16bppRGB565, "thumbnail format");
static_assert(kListBackBufferPixelFormat == PixelFormat24bppRGB, "list back buffer format");
static_assert(kPreviewBackBufferPixelFormat == PixelFormat32bppRGB, "preview back buffer format");
static_assert(kPreviewPixelFormat == PixelFormat32bppARGB, "preview format");

constexpr bool SameRotateFlip(RotateFlip_EN ours, Gdiplus::RotateFlipType theirs) {
  return static_cast<int>(ours) == static_cast<int>(theirs);
}
static_assert(SameRotateFlip(kRotateNoneFlipNone, Gdiplus::RotateNoneFlipNone) &&
                  SameRotateFlip(kRotate90FlipNone, Gdiplus::Rotate90FlipNone) &&
                  SameRotateFlip(kRotate180FlipNone, Gdiplus::Rotate180FlipNone) &&
                  SameRotateFlip(kRotate270FlipNone, Gdiplus::Rotate270FlipNone) &&
                  SameRotateFlip(kRotateNoneFlipX, Gdiplus::RotateNoneFlipX) &&
                  SameRotateFlip(kRotate90FlipX, Gdiplus::Rotate90FlipX) &&
                  SameRotateFlip(kRotateNoneFlipY, Gdiplus::RotateNoneFlipY) &&
                  SameRotateFlip(kRotate270FlipX, Gdiplus::Rotate270FlipX),
              "rotate/flip numbers");

BitmapPtr CreateBitmap(int width, int height, int pixelFormat) {
  if (width <= 0 || height <= 0) return BitmapPtr();
  BitmapPtr bitmap(new Gdiplus::Bitmap(width, height, pixelFormat));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return BitmapPtr();
  return bitmap;
}

void ApplyOrientation(Gdiplus::Image* image, int orientation) {
  if (!image || !NeedsRotateFlip(orientation)) return;
  const RotateFlip_EN op = OrientationToRotateFlip(orientation);
  if (op == kRotate90FlipX || op == kRotate270FlipX) {
    // GDI+ implementations disagree on a quarter turn combined with a mirror
    // (Wine's mirrors first, which shows Orientation 5 and 7 photos upside
    // down). A plain turn followed by a plain mirror means the same
    // everywhere.
    image->RotateFlip(op == kRotate90FlipX ? Gdiplus::Rotate90FlipNone : Gdiplus::Rotate270FlipNone);
    image->RotateFlip(Gdiplus::RotateNoneFlipX);
    return;
  }
  image->RotateFlip(static_cast<Gdiplus::RotateFlipType>(op));
}

BitmapPtr RenderThumbnail(Gdiplus::Image* source, int width, int height, int pixelFormat) {
  if (!source) return BitmapPtr();
  const int w = static_cast<int>(source->GetWidth());
  const int h = static_cast<int>(source->GetHeight());
  DrawRect rect;
  if (!ThumbnailRect(width, height, w, h, &rect)) return BitmapPtr();
  BitmapPtr target = CreateBitmap(width, height, pixelFormat);
  if (!target) return target;
  Gdiplus::Graphics graphics(target.get());
  // The bands beside a picture that does not fill the cell are black
  // whatever GDI+ leaves in a new bitmap.
  graphics.Clear(Gdiplus::Color(255, 0, 0, 0));
  graphics.DrawImage(source, Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height), 0, 0, w, h,
                     Gdiplus::UnitPixel);
  return target;
}

BitmapPtr FitBitmap(BitmapPtr source, int width, int height) {
  // source goes when this returns, whatever became of the fit.
  return FitCopy(source.get(), width, height);
}

BitmapPtr FitCopy(Gdiplus::Image* source, int width, int height) {
  if (!source) return BitmapPtr();
  const int w = static_cast<int>(source->GetWidth());
  const int h = static_cast<int>(source->GetHeight());
  const FitSize size = FitInside(width, height, w, h);
  if (size.width <= 0 || size.height <= 0) return BitmapPtr();
  BitmapPtr target = CreateBitmap(size.width, size.height, kPreviewPixelFormat);
  if (!target) {
    g_logFile.WriteMessage(L"ビットマップ生成失敗");
    return target;
  }
  {
    Gdiplus::Graphics graphics(target.get());
    graphics.DrawImage(source,
                       Gdiplus::RectF(0.0f, 0.0f, static_cast<Gdiplus::REAL>(size.width),
                                      static_cast<Gdiplus::REAL>(size.height)),
                       0.0f, 0.0f, static_cast<Gdiplus::REAL>(w), static_cast<Gdiplus::REAL>(h),
                       Gdiplus::UnitPixel);
  }
  return target;
}

BitmapPtr OrientedCopy(Gdiplus::Image* source, int orientation) {
  if (!source) return BitmapPtr();
  const int w = static_cast<int>(source->GetWidth());
  const int h = static_cast<int>(source->GetHeight());
  BitmapPtr copy = CreateBitmap(w, h, kPreviewPixelFormat);
  if (!copy) return copy;
  {
    Gdiplus::Graphics graphics(copy.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    // Drawn by pixels, not by the photo's resolution, so the copy is exact.
    graphics.DrawImage(source, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
  }
  ApplyOrientation(copy.get(), orientation);
  return copy;
}

BitmapPtr UprightThumbnail(SourcePhoto_CL& photo, int width, int height, int pixelFormat) {
  if (!photo.Image()) return BitmapPtr();
  // Turned at full size first, so the thumbnail rule sees the upright
  // width and height.
  ApplyOrientation(photo.Image(), photo.Orientation());
  return RenderThumbnail(photo.Image(), width, height, pixelFormat);
}

namespace {

JpegTarget TargetOf(JpegTargetRule_EN rule, int width, int height) {
  JpegTarget target;
  target.rule = rule;
  target.width = width;
  target.height = height;
  return target;
}

// libjpeg-turbo's upright picture of the photo file in shown, whose bytes
// are let go as soon as they are decoded (several decode threads each hold a
// photo) and also when it refuses them on a limit or for want of memory:
// those refusals are final. Null, with the bytes kept, only when
// libjpeg-turbo does not accept a whole file as JPEG, which GDI+ may then
// try. GDI+ tells nothing of damage, so only libjpeg-turbo's pictures can be
// incomplete.
BitmapPtr DecodeAndRelease(ShownBytes& shown, const JpegTarget& target, bool* complete) {
  std::vector<unsigned char>& bytes = shown.bytes;
  UprightPixels pixels;
  if (complete) *complete = true;
  // A raw file's preview is turned by the raw file's value, which the turns
  // write; a value in the preview's own Exif block is never turned.
  const int orientation = shown.embedded ? shown.orientation : ReadOrientation(bytes.data(), bytes.size());
  if (DecodeJpegUpright(bytes.data(), bytes.size(), orientation, target, &pixels) == JpegOutcome_EN::kNotAccepted &&
      !shown.embedded) {
    return BitmapPtr();
  }
  if (complete) *complete = pixels.complete;
  std::vector<unsigned char>().swap(bytes);
  // No pixels after a refusal: no bitmap.
  return BitmapFromPixels(pixels);
}

// GDI+ decodes a picture whole, at full size, and its upright copy or
// thumbnail is drawn from that: copies pictures of 4 bytes a pixel, taken
// from the decoders' budget like any decode and within what one photo may
// hold. Refused (empty) when the picture is larger or the budget stays taken.
DecodeBudget_CL::Reservation ReserveForGdiplus(const SourcePhoto_CL& photo, int copies) {
  const JpegLimits limits;
  const std::uint64_t bytes = static_cast<std::uint64_t>(photo.Width()) * static_cast<std::uint64_t>(photo.Height()) *
                              4u * static_cast<std::uint64_t>(copies);
  if (bytes > limits.maxMemory) return DecodeBudget_CL::Reservation();
  return SharedDecodeBudget().Reserve(static_cast<std::size_t>(bytes), limits.budgetWaitMilliseconds);
}

// The photo file's upright picture decoded for target: by libjpeg-turbo,
// or by GDI+ at full size where libjpeg-turbo does not accept the file.
BitmapPtr UprightFromBytes(ShownBytes shown, const JpegTarget& target, bool* complete = nullptr) {
  if (shown.bytes.empty()) return BitmapPtr();
  BitmapPtr picture = DecodeAndRelease(shown, target, complete);
  if (picture || shown.bytes.empty()) return picture;
  SourcePhoto_CL photo;
  if (!photo.LoadBytes(std::move(shown.bytes))) return BitmapPtr();
  const DecodeBudget_CL::Reservation held = ReserveForGdiplus(photo, 2);
  if (!held) return BitmapPtr();
  return OrientedCopy(photo.Image(), photo.Orientation());
}

}  // namespace

ShownBytes ReadPhotoBytes(const std::wstring& path) {
  try {
    return ReadShownBytes(path, SourcePhoto_CL::kMaxFileSize);
  } catch (const std::bad_alloc&) {
    return ShownBytes();
  }
}

BitmapPtr ThumbnailFromBytes(std::vector<unsigned char> bytes, int width, int height, int pixelFormat,
                             bool* complete) {
  ShownBytes shown;
  shown.bytes = std::move(bytes);
  return ThumbnailFromShown(std::move(shown), width, height, pixelFormat, complete);
}

BitmapPtr ThumbnailFromShown(ShownBytes shown, int width, int height, int pixelFormat, bool* complete) {
  if (shown.bytes.empty()) return BitmapPtr();
  BitmapPtr picture = DecodeAndRelease(shown, TargetOf(kJpegThumbnail, width, height), complete);
  if (picture) return RenderThumbnail(picture.get(), width, height, pixelFormat);
  if (shown.bytes.empty()) return BitmapPtr();
  // Turned by GDI+ in place, at full size, without a copy.
  SourcePhoto_CL photo;
  if (!photo.LoadBytes(std::move(shown.bytes))) return BitmapPtr();
  const DecodeBudget_CL::Reservation held = ReserveForGdiplus(photo, 1);
  if (!held) return BitmapPtr();
  return UprightThumbnail(photo, width, height, pixelFormat);
}

BitmapPtr LoadThumbnail(const std::wstring& path, int width, int height, int pixelFormat) {
  return ThumbnailFromShown(ReadPhotoBytes(path), width, height, pixelFormat);
}

BitmapPtr LoadPreview(const std::wstring& path, int width, int height) {
  return FitBitmap(LoadUprightFor(path, width, height), width, height);
}

BitmapPtr LoadUpright(const std::wstring& path) {
  return UprightFromBytes(ReadPhotoBytes(path), TargetOf(kJpegFullSize, 0, 0));
}

BitmapPtr LoadUprightFor(const std::wstring& path, int width, int height, bool* complete) {
  return UprightFromBytes(ReadPhotoBytes(path), TargetOf(kJpegFit, width, height), complete);
}
