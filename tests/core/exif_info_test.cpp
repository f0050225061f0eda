#include "exif_info.h"

#include <gtest/gtest.h>

#include "jpeg_builder.h"

namespace {

HRESULT ReadBytes(ExifInfo_CL& info, const Bytes& bytes) {
  MemorySource_CL source(bytes.data(), bytes.size());
  return info.Read(source);
}

TEST(ExifInfoRead, MinimalLittleEndianFileYieldsItsOneEntry) {
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, MinimalExifJpeg()));
  EXPECT_EQ(12u, info.tiffHeaderPosition);
  EXPECT_FALSE(info.bigEndian);
  ASSERT_EQ(1u, info.entries.size());
  const ExifEntry& e = info.entries[0];
  EXPECT_EQ(22u, e.position);
  EXPECT_EQ(274, e.tag);
  EXPECT_EQ(3, e.type);
  EXPECT_EQ(1u, e.count);
  EXPECT_EQ(6u, e.value);
}

TEST(ExifInfoRead, BigEndianNumbersAreConvertedAndOffsetsArePlain) {
  JpegBuilder b;
  std::uint32_t tiffAt = 0;
  b.Soi().App0Jfif().App1Exif(true, {{256, 4, 1, 4000}, {274, 3, 1, 8}, {305, 2, 4, 0x41420000}}, {}, &tiffAt).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  EXPECT_TRUE(info.bigEndian);
  EXPECT_EQ(tiffAt, info.tiffHeaderPosition);
  ASSERT_EQ(3u, info.entries.size());
  // The first entry sits right behind IFD0's count.
  EXPECT_EQ(tiffAt + 8 + 2, info.entries[0].position);
  EXPECT_EQ(4000u, info.entries[0].value);
  EXPECT_EQ(8u, info.entries[1].value);
  EXPECT_EQ("AB", info.entries[2].text);
}

TEST(ExifInfoRead, SegmentsAroundTheExifBlock) {
  // XMP after Exif: the walk fails, yet the entries read so far remain.
  JpegBuilder after;
  after.Soi().App0Jfif().App1Exif(false, {{274, 3, 1, 3}}).App1Xmp().Sos();
  ExifInfo_CL a;
  EXPECT_EQ(E_FAIL, ReadBytes(a, after.Data()));
  ASSERT_NE(nullptr, a.FindEntry(274));
  EXPECT_EQ(3u, a.FindEntry(274)->value);

  // XMP first: the walk ends before the Exif block.
  JpegBuilder before;
  before.Soi().App1Xmp().App1Exif(false, {{274, 3, 1, 3}}).Sos();
  ExifInfo_CL b;
  EXPECT_EQ(E_FAIL, ReadBytes(b, before.Data()));
  EXPECT_TRUE(b.entries.empty());

  // No Exif at all, scan reached.
  JpegBuilder none;
  none.Soi().App0Jfif().Segment(0xFFDB, Bytes(65, 1)).Sos();
  ExifInfo_CL c;
  EXPECT_EQ(S_OK, ReadBytes(c, none.Data()));
  EXPECT_TRUE(c.entries.empty());
}

TEST(ExifInfoRead, SubIfdEntriesFollowIfd0AndIfd0Wins) {
  JpegBuilder b;
  b.Soi().App1Exif(false, {{274, 3, 1, 6}}, {{274, 3, 1, 3}, {36864, 7, 4, 0x30333230}}).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  ASSERT_EQ(4u, info.entries.size());
  EXPECT_EQ(34665, info.entries[1].tag);
  EXPECT_EQ(274, info.entries[2].tag);
  EXPECT_EQ(6u, info.FindEntry(274)->value);
  EXPECT_EQ(info.entries[0].position, info.FindEntry(274)->position);
}

TEST(ExifInfoRead, Ifd1IsNeverRead) {
  // IFD0 links to an IFD1 that holds the only Orientation.
  Bytes tiff = {'I', 'I', 42, 0, 8, 0, 0, 0,
                1, 0, 0x00, 0x01, 4, 0, 1, 0, 0, 0, 0x40, 0, 0, 0,  // ImageWidth
                26, 0, 0, 0,                                          // link to IFD1
                1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0,       // IFD1: Orientation 6
                0, 0, 0, 0};
  Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
  payload.insert(payload.end(), tiff.begin(), tiff.end());
  JpegBuilder b;
  b.Soi().Segment(0xFFE1, payload).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  EXPECT_EQ(1u, info.entries.size());
  EXPECT_EQ(nullptr, info.FindEntry(274));
}

TEST(ExifInfoRead, AsciiTextInsideTheFieldOrAtItsOffset) {
  // Five characters do not fit the field: they lie at tiff + value.
  Bytes tiff = {'I', 'I', 42, 0, 8, 0, 0, 0,
                2, 0,
                0x0F, 0x01, 2, 0, 4, 0, 0, 0, 'a', 'b', 'c', 0,
                0x10, 0x01, 2, 0, 6, 0, 0, 0, 38, 0, 0, 0,
                0, 0, 0, 0,
                'H', 'e', 'l', 'l', 'o', 0};
  Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
  payload.insert(payload.end(), tiff.begin(), tiff.end());
  JpegBuilder b;
  b.Soi().Segment(0xFFE1, payload).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  ASSERT_EQ(2u, info.entries.size());
  EXPECT_EQ("abc", info.entries[0].text);
  EXPECT_EQ("Hello", info.entries[1].text);
}

TEST(ExifInfoRead, TextsThatCannotBeReadStayEmptyAndTheWalkGoesOn) {
  // A text beyond the end of the file, and one of count 0xFFFFFFFF, come
  // before the Orientation entry (tags are sorted); Orientation is still found.
  JpegBuilder b;
  b.Soi().App1Exif(false, {{271, 2, 40, 0x7FFFFFF0}, {272, 2, 0xFFFFFFFFu, 8}, {274, 3, 1, 8}}).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  ASSERT_EQ(3u, info.entries.size());
  EXPECT_EQ("", info.entries[0].text);
  EXPECT_EQ("", info.entries[1].text);
  EXPECT_EQ(8u, info.FindEntry(274)->value);
}

TEST(ExifInfoRead, TypesOutsideTheTableReadAsZero) {
  JpegBuilder b;
  b.Soi().App1Exif(true, {{1, 1, 1, 0xAB000000u}, {2, 8, 1, 0x12345678}, {3, 5, 1, 0x100}, {4, 7, 4, 0x01020304}}).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  ASSERT_EQ(4u, info.entries.size());
  EXPECT_EQ(0xABu, info.entries[0].value);   // BYTE: the field's first byte
  EXPECT_EQ(0u, info.entries[1].value);      // SSHORT: not read
  EXPECT_EQ(0x100u, info.entries[2].value);  // RATIONAL: its offset
  EXPECT_EQ(1u, info.entries[3].value);      // UNDEFINED: first byte
}

TEST(ExifInfoRead, StructuralFaultsFailCleanly) {
  const Bytes good = MinimalExifJpeg();
  struct Case {
    const char* what;
    std::size_t at;
    unsigned char byte;
  } cases[] = {
      {"no SOI", 1, 0xD9},
      {"not Exif", 6, 'e'},
      {"bad byte order", 12, 'X'},
      {"magic not 42", 14, 43},
  };
  for (const Case& c : cases) {
    Bytes bad = good;
    bad[c.at] = c.byte;
    ExifInfo_CL info;
    EXPECT_EQ(E_FAIL, ReadBytes(info, bad)) << c.what;
    EXPECT_TRUE(info.entries.empty()) << c.what;
  }
  ExifInfo_CL empty;
  EXPECT_EQ(E_FAIL, ReadBytes(empty, Bytes()));
}

TEST(ExifInfoRead, ReadingPastTheEndEndsTheWalkAndKeepsWhatWasRead) {
  const Bytes good = MinimalExifJpeg();
  // Every truncation of the minimal file either fails or, once the entry is
  // whole, still yields it; nothing reads outside the buffer.
  for (std::size_t n = 0; n < good.size(); ++n) {
    Bytes cut(good.begin(), good.begin() + n);
    ExifInfo_CL info;
    EXPECT_EQ(E_FAIL, ReadBytes(info, cut)) << n;
    EXPECT_EQ(n >= 34 ? 1u : 0u, info.entries.size()) << n;
  }
  // An IFD offset that wraps around 32 bits, and one past the end.
  for (std::uint32_t offset : {0xFFFFFFF8u, 0x10000u}) {
    Bytes bad = good;
    bad[16] = offset & 0xFF;
    bad[17] = (offset >> 8) & 0xFF;
    bad[18] = (offset >> 16) & 0xFF;
    bad[19] = (offset >> 24) & 0xFF;
    ExifInfo_CL info;
    EXPECT_EQ(E_FAIL, ReadBytes(info, bad));
    EXPECT_TRUE(info.entries.empty());
  }
  // An entry count larger than the entries present.
  Bytes many = good;
  many[20] = 0xFF;
  ExifInfo_CL info;
  EXPECT_EQ(E_FAIL, ReadBytes(info, many));
  EXPECT_EQ(1u, info.entries.size());
}

TEST(ExifInfoRead, SegmentLengthsSkipUnknownSegments) {
  JpegBuilder b;
  b.Soi().Segment(0xFFE2, Bytes(300, 0xFF)).Segment(0xFFFE, Bytes(3, 'x'))
      .App1Exif(false, {{274, 3, 1, 5}}).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  EXPECT_EQ(5u, info.FindEntry(274)->value);
}

TEST(ExifInfoRead, ASecondExifBlockAppendsAndMovesTheHeader) {
  // Each block keeps its own byte order and its own sub-IFD pointer: the
  // second block, which has none, reads no sub-IFD at the first one's offset.
  JpegBuilder b;
  std::uint32_t second = 0;
  b.Soi().App1Exif(false, {{274, 3, 1, 6}}, {{36864, 7, 4, 0x30323230}})
      .App1Exif(true, {{274, 3, 1, 3}}, {}, &second).Sos();
  ExifInfo_CL info;
  EXPECT_EQ(S_OK, ReadBytes(info, b.Data()));
  ASSERT_EQ(4u, info.entries.size());
  EXPECT_EQ(second, info.tiffHeaderPosition);
  EXPECT_TRUE(info.bigEndian);
  EXPECT_EQ(6u, info.FindEntry(274)->value);
  EXPECT_FALSE(info.FindEntry(274)->bigEndian);
  EXPECT_FALSE(info.entries[2].bigEndian);  // the first block's sub-IFD
  EXPECT_EQ(3u, info.entries[3].value);
  EXPECT_TRUE(info.entries[3].bigEndian);
}

TEST(ExifInfoRead, MissingFileFails) {
  ExifInfo_CL info;
  EXPECT_EQ(E_FAIL, info.Read(std::wstring(L"no such file.jpg")));
  EXPECT_TRUE(info.entries.empty());
}

}  // namespace
