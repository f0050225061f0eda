// Real-world photos: every one decodes without a fault, files that are no
// JPEG give no bitmap (a cut-off scan may still give a partial picture, as
// viewers show it), and each orientation series looks alike once upright.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bitmap_builders.h"
#include "photo_pixels_win.h"

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

}  // namespace
