// Real-world photos: every one decodes without a fault, files that are no
// JPEG give no bitmap (a cut-off scan may still give a partial picture, as
// viewers show it), each orientation series looks alike once upright, and
// libjpeg-turbo's scaled pictures match GDI+'s full decodes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bitmap_builders.h"
#include "jpeg_bitmap.h"
#include "photo_pixels_win.h"
#include "source_photo.h"

namespace {

TEST(Corpus, EveryPhotoDecodesWithoutAFault) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((CorpusDir() + L"\\*.jpg").c_str(), &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, find);
  int files = 0, decoded = 0;
  do {
    const std::wstring path = CorpusDir() + L"\\" + data.cFileName;
    const Bytes bytes = ReadBytes(path);
    const bool jpeg = bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
    BitmapPtr thumb = LoadThumbnail(path, 192, 144);
    BitmapPtr preview = LoadPreview(path, 600, 400);
    ++files;
    if (thumb) ++decoded;
    if (!jpeg) {
      EXPECT_FALSE(thumb);
      EXPECT_FALSE(preview);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  EXPECT_GT(files, 90);
  EXPECT_GT(decoded, 85);
}

// Mean difference per channel between two 192 x 144 thumbnails.
double MeanDifference(Gdiplus::Bitmap* a, Gdiplus::Bitmap* b) {
  long long sum = 0, n = 0;
  for (int y = 0; y < 144; y += 2) {
    for (int x = 0; x < 192; x += 2) {
      const Rgb p = PixelAt(a, x, y), q = PixelAt(b, x, y);
      sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
      n += 3;
    }
  }
  return static_cast<double>(sum) / static_cast<double>(n);
}

TEST(Corpus, OrientationSeriesLookAlikeUpright) {
  // Each series stores one scene eight ways, tagged so that all eight look
  // like the first once upright.
  const wchar_t* const series[][2] = {
      {L"exr_orientation_f", L"t.jpg"}, {L"exs_orientation_portrait_", L".jpg"}, {L"rec_landscape_", L".jpg"}};
  for (const auto& s : series) {
    BitmapPtr reference = LoadThumbnail(CorpusDir() + L"\\" + s[0] + L"1" + s[1], 192, 144);
    ASSERT_TRUE(reference);
    for (int n = 2; n <= 8; ++n) {
      BitmapPtr thumb = LoadThumbnail(CorpusDir() + L"\\" + s[0] + std::to_wstring(n) + s[1], 192, 144);
      ASSERT_TRUE(thumb);
      EXPECT_LT(MeanDifference(reference.get(), thumb.get()), 12.0) << s[0] << n;
    }
  }
}

// Mean difference per channel between the 8 x 8 block averages of two
// 192 x 144 thumbnails: what the pictures show, not how each downscale
// aliased fine detail.
double BlockDifference(Gdiplus::Bitmap* a, Gdiplus::Bitmap* b) {
  double sum = 0;
  int n = 0;
  for (int by = 0; by < 144; by += 8) {
    for (int bx = 0; bx < 192; bx += 8) {
      int d[3] = {0, 0, 0};
      for (int y = by; y < by + 8; ++y) {
        for (int x = bx; x < bx + 8; ++x) {
          const Rgb p = PixelAt(a, x, y), q = PixelAt(b, x, y);
          d[0] += p.r - q.r;
          d[1] += p.g - q.g;
          d[2] += p.b - q.b;
        }
      }
      for (int c = 0; c < 3; ++c) sum += std::abs(d[c]) / 64.0;
      n += 3;
    }
  }
  return sum / n;
}

TEST(Corpus, ScaledDecodesMatchGdiPlusUpright) {
  // GDI+ decodes at full size and turns by the same Orientation; both are
  // then drawn into the same cell. A slip of colour space, channel order or
  // orientation shows as a large difference.
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((CorpusDir() + L"\\*.jpg").c_str(), &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, find);
  int compared = 0;
  do {
    const std::wstring path = CorpusDir() + L"\\" + data.cFileName;
    SourcePhoto_CL photo;
    if (!photo.Load(path)) continue;
    BitmapPtr theirs = OrientedCopy(photo.Image(), photo.Orientation());
    ASSERT_TRUE(theirs);
    const Bytes bytes = ReadBytes(path);
    JpegTarget cell;
    cell.rule = kJpegThumbnail;
    cell.width = 192;
    cell.height = 144;
    UprightPixels pixels;
    ASSERT_EQ(JpegOutcome_EN::kDecoded, DecodeJpegUpright(bytes.data(), bytes.size(), photo.Orientation(), cell, &pixels))
        << data.cFileName;
    EXPECT_EQ((static_cast<int>(theirs->GetWidth()) * pixels.scaleEighths + 7) / 8, pixels.width) << data.cFileName;
    EXPECT_EQ((static_cast<int>(theirs->GetHeight()) * pixels.scaleEighths + 7) / 8, pixels.height) << data.cFileName;
    BitmapPtr ours = BitmapFromPixels(pixels);
    ASSERT_TRUE(ours);
    BitmapPtr a = RenderThumbnail(theirs.get(), 192, 144, PixelFormat24bppRGB);
    BitmapPtr b = RenderThumbnail(ours.get(), 192, 144, PixelFormat24bppRGB);
    ASSERT_TRUE(a && b);
    // Damaged files are filled in differently where the data ends.
    EXPECT_LT(BlockDifference(a.get(), b.get()), pixels.complete ? 4.0 : 40.0) << data.cFileName;
    ++compared;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  EXPECT_GT(compared, 85);
}

}  // namespace
