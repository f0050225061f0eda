#include "photo_rule.h"

#include <gtest/gtest.h>

TEST(PhotoRule, JpgAndJpegInAnyAsciiCaseArePhotos) {
  for (const wchar_t* name : {L"a.jpg", L"PHOTO.JPG", L"b.jpeg", L"a.b.Jpeg", L"a.tar.jpg",
                              L"x.jPeG", L".jpg", L"写真.JPG"}) {
    EXPECT_TRUE(IsPhotoFileName(name)) << name;
  }
}

TEST(PhotoRule, NearMissesAreNotPhotos) {
  for (const wchar_t* name : {L"jpg", L"jpeg", L"photo.jpe", L"photo.jfif", L"photo.jpg.bak",
                              L"photo.jpgx", L"photo.jpg ", L"photo.png", L"photo.", L"",
                              L"photojpg", L"photo.jp", L"photo.jpegg"}) {
    EXPECT_FALSE(IsPhotoFileName(name)) << name;
  }
}

TEST(PhotoRule, FullWidthLettersNeverMatch) {
  // Full-width Ｊ Ｐ Ｇ, lower-case ｊ ｐ ｇ and a full-width full stop.
  for (const wchar_t* name : {L"a.\xFF2A\xFF30\xFF27", L"a.\xFF4A\xFF50\xFF47",
                              L"a\xFF0Ejpg", L"a.\xFF4Apg", L"a.jp\xFF47"}) {
    EXPECT_FALSE(IsPhotoFileName(name));
  }
}
