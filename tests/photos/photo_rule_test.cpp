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
                              L"photo.jpgx", L"photo.jpg ", L"photo.gif", L"photo.", L"",
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

TEST(PhotoRule, TiffRawAndPngArePhotosAndOnlyRawFilesAreTwins) {
  for (const wchar_t* name : {L"a.dng", L"a.CR2", L"a.nef", L"a.nrw", L"a.arw", L"a.sr2", L"a.pef",
                              L"a.srw", L"a.erf", L"a.3FR", L"a.orf", L"a.Rw2", L"a.cr3"}) {
    EXPECT_TRUE(IsPhotoFileName(name)) << name;
    EXPECT_TRUE(IsRawFileName(name)) << name;
  }
  for (const wchar_t* name : {L"a.tif", L"a.TIFF", L"a.png", L"a.JPG"}) {
    EXPECT_TRUE(IsPhotoFileName(name)) << name;
    EXPECT_FALSE(IsRawFileName(name)) << name;
  }
  for (const wchar_t* name : {L"a.crw", L"a.raw", L"a.tif.bak", L"a.xmp", L"a.gif", L"tif"}) {
    EXPECT_FALSE(IsPhotoFileName(name)) << name;
  }
}
