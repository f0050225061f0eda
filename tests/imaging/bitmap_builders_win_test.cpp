// The pictures the decoder and the preview build, checked by their pixels.
#include <gtest/gtest.h>

#include "back_buffer.h"
#include "bitmap_builders.h"
#include "embedded_picture.h"
#include "encode_jpeg.h"
#include "jpeg_builder.h"
#include "orientation.h"
#include "orientation_model.h"
#include "photo_pixels_win.h"
#include "read_orientation.h"
#include "source_photo.h"

namespace {

TEST(UprightPictures, AllEightOrientationsByPixels) {
  BitmapPtr picture = QuadrantPicture(400, 300);
  TempDir dir;
  for (int orientation = 1; orientation <= 8; ++orientation) {
    // The same pixels every time; only the tag differs (and its byte order).
    const std::wstring path = dir.Join(L"quadrants-" + std::to_wstring(orientation) + L".jpg");
    ASSERT_TRUE(WriteBytes(path, JpegWithOrientation(picture.get(), static_cast<std::uint16_t>(orientation),
                                                     orientation % 2 == 0)));
    ASSERT_EQ(orientation, ReadOrientation(path));
    const bool sideways = orientation >= 5;

    BitmapPtr thumb = LoadThumbnail(path, 192, 144);
    ASSERT_TRUE(thumb) << orientation;
    EXPECT_EQ(192u, thumb->GetWidth());
    EXPECT_EQ(144u, thumb->GetHeight());
    EXPECT_EQ(PixelFormat16bppRGB565, thumb->GetPixelFormat());
    if (sideways) {
      // Upright it is 300 x 400: drawn 108 x 144 at x = 42, black beside.
      ExpectUpright(thumb.get(), orientation, 42, 0, 108, 144, "thumbnail");
      EXPECT_TRUE(Near(PixelAt(thumb.get(), 20, 72), kBlack, 8));
      EXPECT_TRUE(Near(PixelAt(thumb.get(), 171, 72), kBlack, 8));
    } else {
      ExpectUpright(thumb.get(), orientation, 0, 0, 192, 144, "thumbnail");
    }

    BitmapPtr preview = LoadPreview(path, 600, 400);
    ASSERT_TRUE(preview) << orientation;
    EXPECT_EQ(PixelFormat32bppARGB, preview->GetPixelFormat());
    EXPECT_EQ(sideways ? 300u : 533u, preview->GetWidth());
    EXPECT_EQ(400u, preview->GetHeight());
    ExpectUpright(preview.get(), orientation, 0, 0, static_cast<int>(preview->GetWidth()), 400, "preview");
  }
}

// The first and last pixel along a row (or column) that is not black.
void LitSpan(Gdiplus::Bitmap* bitmap, bool row, int at, int* first, int* last) {
  const int n = static_cast<int>(row ? bitmap->GetWidth() : bitmap->GetHeight());
  *first = *last = -1;
  for (int i = 0; i < n; ++i) {
    const Rgb c = row ? PixelAt(bitmap, i, at) : PixelAt(bitmap, at, i);
    if (c.r + c.g + c.b > 3 * 128) {
      if (*first < 0) *first = i;
      *last = i;
    }
  }
}

TEST(DrawnArea, TwelveMegapixelsWithOrientationSix) {
  TempDir dir;
  const std::wstring path = dir.Join(L"big.jpg");
  ASSERT_TRUE(WriteBytes(path, JpegWithOrientation(SolidPicture(4000, 3000, kWhite).get(), 6)));
  BitmapPtr thumb = LoadThumbnail(path, 192, 144);
  ASSERT_TRUE(thumb);
  int first, last;
  LitSpan(thumb.get(), true, 72, &first, &last);
  EXPECT_EQ(42, first);
  EXPECT_EQ(42 + 108 - 1, last);
  LitSpan(thumb.get(), false, 96, &first, &last);
  EXPECT_EQ(0, first);
  EXPECT_EQ(143, last);
}

TEST(DrawnArea, FlatLandscapeAndFit) {
  BitmapPtr source = SolidPicture(1000, 500, kWhite);
  BitmapPtr thumb = RenderThumbnail(source.get(), 192, 144);
  ASSERT_TRUE(thumb);
  int first, last;
  LitSpan(thumb.get(), false, 96, &first, &last);
  EXPECT_EQ(24, first);
  EXPECT_EQ(24 + 96 - 1, last);
  EXPECT_EQ(1000u, source->GetWidth());  // not consumed

  BitmapPtr fitted = FitBitmap(SolidPicture(3000, 4000, kWhite), 600, 400);
  ASSERT_TRUE(fitted);
  EXPECT_EQ(300u, fitted->GetWidth());
  EXPECT_EQ(400u, fitted->GetHeight());
  EXPECT_TRUE(Near(PixelAt(fitted.get(), 150, 200), kWhite, 8));
  EXPECT_FALSE(FitBitmap(BitmapPtr(), 600, 400));
  EXPECT_FALSE(FitBitmap(SolidPicture(30, 40, kWhite), 0, 0));
}

TEST(Loading, FilesWithoutAPictureGiveNoBitmap) {
  TempDir dir;
  EXPECT_FALSE(LoadThumbnail(dir.Join(L"missing.jpg"), 192, 144));
  const std::wstring empty = dir.Join(L"empty.jpg");
  ASSERT_TRUE(WriteBytes(empty, Bytes()));
  EXPECT_FALSE(LoadThumbnail(empty, 192, 144));
  const std::wstring headerOnly = dir.Join(L"header.jpg");
  ASSERT_TRUE(WriteBytes(headerOnly, JpegWithOrientation(SolidPicture(8, 8, kWhite).get(), 6)));
  Bytes cut = ReadBytes(headerOnly);
  cut.resize(60);  // the Exif and nothing of the picture
  ASSERT_TRUE(WriteBytes(headerOnly, cut));
  EXPECT_FALSE(LoadThumbnail(headerOnly, 192, 144));
  EXPECT_FALSE(LoadPreview(headerOnly, 600, 400));
  EXPECT_FALSE(RenderThumbnail(nullptr, 192, 144));
}

TEST(Loading, GdiplusDecodesOnlyWhatLibjpegTurboDoesNotAcceptAsJpeg) {
  TempDir dir;
  // Refused by libjpeg-turbo on its scan limit; GDI+ would decode it, at
  // full size and without limits, were it asked.
  const Bytes endless = WithLastScanRepeated(EncodeQuadrants(160, 120, kProgressive), 300);
  SourcePhoto_CL gdiplus;
  ASSERT_TRUE(gdiplus.LoadBytes(endless));
  ASSERT_TRUE(UprightThumbnail(gdiplus, 192, 144));
  const std::wstring path = dir.Join(L"endless.jpg");
  ASSERT_TRUE(WriteBytes(path, endless));
  EXPECT_FALSE(LoadThumbnail(path, 192, 144));
  EXPECT_FALSE(LoadPreview(path, 600, 400));
  // The same as a camera's embedded thumbnail.
  const Bytes photo = WithExifThumbnail(EncodeJpeg(QuadrantPicture(400, 300).get()), 1, endless);
  EXPECT_FALSE(EmbeddedThumbnailOf(photo.data(), photo.size(), 192, 144));

  // Another format under a photo's name is GDI+'s to decode.
  const std::wstring png = dir.Join(L"png.jpg");
  ASSERT_TRUE(WriteBytes(png, EncodePicture(QuadrantPicture(400, 300).get(), L"image/png")));
  BitmapPtr thumb = LoadThumbnail(png, 192, 144);
  ASSERT_TRUE(thumb);
  ExpectUpright(thumb.get(), 1, 0, 0, 192, 144, "thumbnail of a PNG");
  EXPECT_TRUE(LoadPreview(png, 600, 400));
}

// A raw file shows its preview by the raw file's value, whatever the
// preview's own Exif says; TIFF and PNG go to GDI+, turned by their own.
TEST(Loading, RawTiffAndPngFilesAreShownByTheirOwnOrientation) {
  TempDir dir;
  BitmapPtr picture = QuadrantPicture(400, 300);
  const Bytes files[] = {RawWithPreview(picture.get(), 6), TiffWithOrientation(picture.get(), 6),
                         PngWithOrientation(picture.get(), 6)};
  const wchar_t* const names[] = {L"a.nef", L"b.tif", L"c.png"};
  for (int i = 0; i < 3; ++i) {
    const std::wstring path = dir.Join(names[i]);
    ASSERT_TRUE(WriteBytes(path, files[i]));
    ASSERT_EQ(6, ReadOrientation(path));
    const std::string what = "thumbnail of " + std::to_string(i);
    BitmapPtr thumb = LoadThumbnail(path, 192, 144);
    ASSERT_TRUE(thumb) << what;
    ExpectUpright(thumb.get(), 6, 42, 0, 108, 144, what.c_str());
    BitmapPtr preview = LoadPreview(path, 600, 400);
    ASSERT_TRUE(preview) << what;
    EXPECT_EQ(300u, preview->GetWidth()) << what;
    ExpectUpright(preview.get(), 6, 0, 0, 300, 400, ("preview of " + std::to_string(i)).c_str());
  }
}

TEST(Loading, APhotoOnScreenCanBeTurned) {
  TempDir dir;
  const std::wstring path = dir.Join(L"写真.jpg");
  ASSERT_TRUE(WriteBytes(path, JpegWithOrientation(QuadrantPicture(400, 300).get(), 1)));
  SourcePhoto_CL photo;
  ASSERT_TRUE(photo.Load(path));
  // The turn opens the file exclusively while the picture is alive.
  EXPECT_EQ(S_OK, RotateRight(path));
  EXPECT_EQ(6, ReadOrientation(path));
  BitmapPtr thumb = RenderThumbnail(photo.Image(), 192, 144);
  ASSERT_TRUE(thumb);
  ExpectUpright(thumb.get(), 1, 0, 0, 192, 144, "thumbnail");
  // What the loader avoids: GDI+ holding the file for a picture's lifetime.
  Gdiplus::Bitmap held(path.c_str());
  ASSERT_EQ(Gdiplus::Ok, held.GetLastStatus());
  EXPECT_NE(S_OK, RotateRight(path));
}

TEST(BackBuffer, MadeAgainOnlyWhenTheSizeChanges) {
  BackBuffer_CL buffer(kPreviewBackBufferPixelFormat);
  EXPECT_EQ(nullptr, buffer.Bitmap());
  buffer.EnsureSize(320, 240);
  Gdiplus::Bitmap* first = buffer.Bitmap();
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(PixelFormat32bppRGB, first->GetPixelFormat());
  buffer.EnsureSize(320, 240);
  EXPECT_EQ(first, buffer.Bitmap());
  buffer.EnsureSize(321, 240);
  ASSERT_NE(nullptr, buffer.Bitmap());
  EXPECT_EQ(321u, buffer.Bitmap()->GetWidth());
  buffer.EnsureSize(0, 240);  // a minimised window
  EXPECT_EQ(nullptr, buffer.Bitmap());
}

}  // namespace
