#include <gtest/gtest.h>

#include "jpeg_builder.h"
#include "orientation_model.h"
#include "orientation_table.h"
#include "read_orientation.h"
#include "test_files.h"
#include "tiff_builder.h"

namespace {

// GDI+'s operations: rotate clockwise by the angle, then mirror.
Corner ApplyRotateFlip(RotateFlip_EN op, Corner c) {
  const int angle = (op == kRotate90FlipNone || op == kRotate90FlipX)     ? 90
                    : (op == kRotate180FlipNone)                          ? 180
                    : (op == kRotate270FlipNone || op == kRotate270FlipX) ? 270
                                                                          : 0;
  for (int a = 0; a < angle; a += 90) {
    // A quarter turn clockwise: top-left goes to top-right, and so on round.
    c = c == kTopLeft ? kTopRight : c == kTopRight ? kBottomRight : c == kBottomRight ? kBottomLeft : kTopLeft;
  }
  if (op == kRotateNoneFlipX || op == kRotate90FlipX || op == kRotate270FlipX) c = MakeCorner(IsBottom(c), !IsRight(c));
  if (op == kRotateNoneFlipY) c = MakeCorner(!IsBottom(c), IsRight(c));
  return c;
}

TEST(OrientationTable, EveryValueTurnsThePictureUpright) {
  for (int orientation = 1; orientation <= 8; ++orientation) {
    for (Corner c : {kTopLeft, kTopRight, kBottomLeft, kBottomRight}) {
      EXPECT_EQ(UprightCorner(orientation, c), ApplyRotateFlip(OrientationToRotateFlip(orientation), c))
          << "orientation " << orientation << ", corner " << c;
    }
  }
}

TEST(OrientationTable, OnlyTwoToEightAskForWork) {
  EXPECT_EQ(kRotateNoneFlipNone, OrientationToRotateFlip(0));
  EXPECT_EQ(kRotate90FlipNone, OrientationToRotateFlip(6));
  for (int v : {-1, 9, 255, 36865}) EXPECT_EQ(kRotateNoneFlipNone, OrientationToRotateFlip(v)) << v;
  for (int v : {-1, 0, 1, 9, 36865}) EXPECT_FALSE(NeedsRotateFlip(v)) << v;
  for (int v = 2; v <= 8; ++v) EXPECT_TRUE(NeedsRotateFlip(v)) << v;
}

TEST(ReadOrientation, ReadsTheValueInBothByteOrders) {
  for (bool bigEndian : {false, true}) {
    for (std::uint16_t v = 1; v <= 8; ++v) {
      const Bytes jpeg = OrientationJpeg(bigEndian, v);
      EXPECT_EQ(v, ReadOrientation(jpeg.data(), jpeg.size())) << v << (bigEndian ? " MM" : " II");
    }
  }
}

TEST(ReadOrientation, UnusableValuesLeaveThePictureAsStored) {
  for (std::uint16_t v : {0, 9, 255, 36865}) {
    const Bytes jpeg = OrientationJpeg(false, v);
    EXPECT_EQ(0, ReadOrientation(jpeg.data(), jpeg.size())) << v;
  }
  const Bytes noExif = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02};
  EXPECT_EQ(0, ReadOrientation(noExif.data(), noExif.size()));
  EXPECT_EQ(0, ReadOrientation(nullptr, 0));
  const Bytes text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'h', 'o', 't', 'o'};
  EXPECT_EQ(0, ReadOrientation(text.data(), text.size()));
}

TEST(ReadOrientation, EntryBeforeADamagedSegmentCounts) {
  // A turn writes into such a file, so the picture must follow it.
  Bytes jpeg = OrientationJpeg(false, 8);
  jpeg.resize(jpeg.size() - 12);  // the scan header is cut off
  EXPECT_EQ(8, ReadOrientation(jpeg.data(), jpeg.size()));
}

TEST(ReadOrientation, FromAFileOfEveryFormatTheTurnWrites) {
  TempDir dir;
  const std::wstring path = dir.Join(L"写真.jpg");
  ASSERT_TRUE(WriteBytes(path, OrientationJpeg(true, 6)));
  EXPECT_EQ(6, ReadOrientation(path));
  // The value GDI+ shows a TIFF or PNG by, and a raw file's preview.
  const std::wstring tiff = dir.Join(L"a.tif");
  ASSERT_TRUE(WriteBytes(tiff, TiffFile(true, {TestEntry{274, 3, 1, 8}})));
  EXPECT_EQ(8, ReadOrientation(tiff));
  const Bytes exif = TiffStructure(false, {TestEntry{274, 3, 1, 3}});
  const Bytes png = PngFile(&exif);
  EXPECT_EQ(3, ReadOrientation(png.data(), png.size()));
  EXPECT_EQ(0, ReadOrientation(dir.Join(L"missing.jpg")));
}

}  // namespace
