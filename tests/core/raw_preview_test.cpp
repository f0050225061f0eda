// Which picture the window shows of a raw file: the largest embedded JPEG
// that libjpeg-turbo decodes, turned by the raw file's own Orientation.
#include <gtest/gtest.h>

#include "byte_order.h"
#include "jpeg_builder.h"
#include "raw_preview.h"
#include "tiff_builder.h"
#include "utf8.h"

namespace {

// Just enough of a JPEG for the frame header to be read: SOI, a frame header
// of this kind and size, a scan.
Bytes FrameOnlyJpeg(std::uint8_t marker, int width, int height) {
  const Bytes frame = {8, static_cast<unsigned char>(height >> 8), static_cast<unsigned char>(height),
                       static_cast<unsigned char>(width >> 8), static_cast<unsigned char>(width), 1, 1, 0x11, 0};
  JpegBuilder b;
  b.Soi().Segment(static_cast<std::uint16_t>(0xFF00 | marker), frame).Sos();
  return b.Data();
}

Bytes Ifd(bool bigEndian, const std::vector<TestEntry>& entries, std::uint32_t next) {
  Bytes ifd;
  Put16(ifd, static_cast<std::uint16_t>(entries.size()), bigEndian);
  for (const TestEntry& e : entries) PutEntry(ifd, e, bigEndian);
  Put32(ifd, next, bigEndian);
  return ifd;
}

// A raw file laid out as cameras do: IFD0 (Orientation, two SubIFDs) chained
// to IFD1 with a small thumbnail; one SubIFD holds the raw data as lossless
// JPEG (larger, but not for libjpeg-turbo), the other the preview.
struct RawFile {
  Bytes bytes;
  std::uint32_t previewAt = 0;
  std::uint32_t previewLength = 0;
};

RawFile MakeRaw(bool bigEndian, std::uint16_t orientation) {
  const Bytes thumbnail = FrameOnlyJpeg(0xC0, 160, 120);
  const Bytes lossless = FrameOnlyJpeg(0xC3, 4000, 3000);
  const Bytes preview = FrameOnlyJpeg(0xC2, 1620, 1080);
  const std::uint32_t ifd0 = 8, subList = 50, ifd1 = 58, sub1 = 88, sub2 = 130, data = 160;
  const std::uint32_t thumbnailAt = data, losslessAt = thumbnailAt + static_cast<std::uint32_t>(thumbnail.size());
  const std::uint32_t previewAt = losslessAt + static_cast<std::uint32_t>(lossless.size());
  const std::uint32_t n = static_cast<std::uint32_t>(preview.size());
  RawFile raw;
  Bytes& b = raw.bytes;
  b = {bigEndian ? std::uint8_t('M') : std::uint8_t('I'), bigEndian ? std::uint8_t('M') : std::uint8_t('I')};
  Put16(b, 42, bigEndian);
  Put32(b, ifd0, bigEndian);
  b = Joined({b, Ifd(bigEndian, {{259, 3, 1, 1}, {274, 3, 1, orientation}, {330, 4, 2, subList}}, ifd1)});
  Put32(b, sub1, bigEndian);
  Put32(b, sub2, bigEndian);
  b = Joined({b, Ifd(bigEndian, {{513, 4, 1, thumbnailAt}, {514, 4, 1, static_cast<std::uint32_t>(thumbnail.size())}}, 0),
              Ifd(bigEndian, {{259, 3, 1, 7}, {273, 4, 1, losslessAt}, {279, 4, 1, static_cast<std::uint32_t>(lossless.size())}}, 0),
              Ifd(bigEndian, {{513, 4, 1, previewAt}, {514, 4, 1, n}}, 0)});
  EXPECT_EQ(data, b.size());
  b = Joined({b, thumbnail, lossless, preview});
  raw.previewAt = previewAt;
  raw.previewLength = n;
  return raw;
}

TEST(RawPreview, TheLargestDecodableEmbeddedJpegIsShownTurnedByTheRawFilesOrientation) {
  for (bool bigEndian : {false, true}) {
    const RawFile raw = MakeRaw(bigEndian, 6);
    MemorySource_CL source(raw.bytes.data(), raw.bytes.size());
    const ShownPicture shown = FindShownPicture(source);
    EXPECT_EQ(kShownEmbeddedJpeg, shown.from);
    EXPECT_EQ(raw.previewAt, shown.jpeg.offset);
    EXPECT_EQ(raw.previewLength, shown.jpeg.length);
    EXPECT_EQ(1620, shown.jpeg.width);
    EXPECT_EQ(6, shown.orientation);

    // A SubIFD list pointing past the end, and the preview cut short: the
    // thumbnail is what remains.
    Bytes cut = raw.bytes;
    cut.resize(raw.previewAt + 4);
    Store32(&cut[54], 0x7FFFFFF0u, bigEndian);
    MemorySource_CL cutSource(cut.data(), cut.size());
    const ShownPicture fallback = FindShownPicture(cutSource);
    EXPECT_EQ(kShownEmbeddedJpeg, fallback.from);
    EXPECT_EQ(160, fallback.jpeg.width);
  }

  // A CR3 keeps its preview (PRVW) and thumbnail (THMB) in boxes.
  const Bytes prvwJpeg = FrameOnlyJpeg(0xC0, 1620, 1080);
  const Bytes thmbJpeg = FrameOnlyJpeg(0xC0, 160, 120);
  Bytes prvw = {0, 0, 0, 0, 0, 1, 0x06, 0x54, 0x04, 0x38, 0, 1};
  Put32(prvw, static_cast<std::uint32_t>(prvwJpeg.size()), true);
  prvw = Joined({prvw, prvwJpeg});
  Bytes thmb = {0, 0, 0, 0, 0, 0xa0, 0, 0x78};
  Put32(thmb, static_cast<std::uint32_t>(thmbJpeg.size()), true);
  thmb = Joined({thmb, Bytes{0, 1, 0, 0}, thmbJpeg});
  const Bytes canonId = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0, 0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
  const Bytes previewId = {0xea, 0xf4, 0x2b, 0x5e, 0x1c, 0x98, 0x4b, 0x88, 0xb9, 0xfb, 0xb7, 0xdc, 0x40, 0x6e, 0x4d, 0x16};
  const Bytes ftyp = Box("ftyp", Bytes{'c', 'r', 'x', ' ', 0, 0, 0, 1});
  const Bytes moov = Box("moov", Box("uuid", Joined({canonId, Box("CMT1", TiffStructure(false, {{274, 3, 1, 8}})),
                                                     Box("THMB", thmb)})));
  const Bytes cr3 = Joined({ftyp, moov, Box("uuid", Joined({previewId, Bytes(8, 0), Box("PRVW", prvw)}))});
  MemorySource_CL cr3Source(cr3.data(), cr3.size());
  const ShownPicture cr3Shown = FindShownPicture(cr3Source);
  EXPECT_EQ(kShownEmbeddedJpeg, cr3Shown.from);
  EXPECT_EQ(1620, cr3Shown.jpeg.width);
  EXPECT_EQ(8, cr3Shown.orientation);
  EXPECT_EQ(0xD8FFu, Load16(&cr3[cr3Shown.jpeg.offset], false));

  // JPEGs, PNGs and a raw file without any decodable JPEG are decoded whole.
  const Bytes jpeg = FrameOnlyJpeg(0xC0, 8, 8);
  const Bytes png = PngFile(nullptr);
  const Bytes bare = TiffFile(false, {{274, 3, 1, 3}});
  for (const Bytes* file : {&jpeg, &png, &bare}) {
    MemorySource_CL other(file->data(), file->size());
    EXPECT_EQ(kShownWholeFile, FindShownPicture(other).from);
  }
}

}  // namespace
