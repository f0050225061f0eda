#include <gtest/gtest.h>

#include <string>

#include "caption_text.h"

namespace {

// Every character 10 units wide, the ellipsis too.
double TenEach(const std::wstring& text) { return 10.0 * static_cast<double>(text.size()); }

TEST(CaptionText, FileNameAfterTheLastBackslash) {
  EXPECT_EQ(L"IMG_0001.JPG", CaptionText(L"C:\\photos\\2024\\IMG_0001.JPG"));
  EXPECT_EQ(L"photo.jpg", CaptionText(L"photo.jpg"));  // no "\": the whole path
  EXPECT_EQ(L"", CaptionText(L"C:\\photos\\"));
  EXPECT_EQ(L"a/b.jpg", CaptionText(L"a/b.jpg"));  // only "\" separates
}

TEST(CaptionText, LongTextLosesItsMiddle) {
  const std::wstring name = L"a_very_long_file_name_from_the_camera.jpg";  // 41 characters
  // 14 characters and the ellipsis fill 150 exactly; the end keeps the
  // extension.
  EXPECT_EQ(L"a_very_\u2026era.jpg", ShortenInMiddle(name, 150.0, TenEach));
  EXPECT_EQ(L"a_very_\u2026era.jpg", ShortenInMiddle(name, 159.0, TenEach));
  EXPECT_EQ(L"a_very_l\u2026era.jpg", ShortenInMiddle(name, 160.0, TenEach));
  EXPECT_EQ(L"short.jpg", ShortenInMiddle(L"short.jpg", 90.0, TenEach));
  EXPECT_EQ(L"", ShortenInMiddle(L"", -1.0, TenEach));
}

TEST(CaptionText, NothingFitsButTheEllipsis) {
  EXPECT_EQ(L"\u2026", ShortenInMiddle(L"abcdef", 15.0, TenEach));
  EXPECT_EQ(L"\u2026", ShortenInMiddle(L"abcdef", 0.0, TenEach));
}

TEST(CaptionText, SurrogatePairsStayWhole) {
  // Two characters outside the basic plane at both ends of the middle cut.
  const std::wstring name = std::wstring(L"ab") + L"\U0001F600\U0001F600" + L"cd";
  for (double width = 10.0; width < 80.0; width += 10.0) {
    const std::wstring shown = ShortenInMiddle(name, width, TenEach);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const wchar_t c = shown[i];
      if (c >= 0xD800 && c <= 0xDBFF) {
        ASSERT_LT(i + 1, shown.size());
        EXPECT_TRUE(shown[i + 1] >= 0xDC00 && shown[i + 1] <= 0xDFFF);
      }
      if (c >= 0xDC00 && c <= 0xDFFF) {
        ASSERT_GT(i, 0u);
        EXPECT_TRUE(shown[i - 1] >= 0xD800 && shown[i - 1] <= 0xDBFF);
      }
    }
  }
}

}  // namespace
