// The turn of TIFF-structured files (TIFF, DNG, raw) and of PNGs with an
// eXIf chunk: the value (and a PNG's chunk CRC) change, nothing else.
#include <gtest/gtest.h>

#include "byte_order.h"
#include "orientation.h"
#include "tiff_builder.h"
#include "turn_reason.h"

namespace {

class TurnOtherFormats : public ::testing::Test {
 protected:
  std::wstring Write(const Bytes& bytes, const wchar_t* name) {
    const std::wstring path = dir.Join(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  // Turns right and returns the offsets of every byte that changed.
  std::vector<std::size_t> TurnAndDiff(const std::wstring& path, const Bytes& before, TurnReport* report) {
    EXPECT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), report));
    const Bytes after = ReadBytes(path);
    EXPECT_EQ(before.size(), after.size());
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
      if (before[i] != after[i]) changed.push_back(i);
    }
    return changed;
  }
  TempDir dir;
};

TEST_F(TurnOtherFormats, TiffAndRawMagicsTurnTwoBytesInTheirOwnOrder) {
  struct Case {
    bool bigEndian;
    std::uint16_t magic;
    const wchar_t* name;
  };
  // TIFF/DNG/CR2/NEF..., Olympus "IIRO", "IIRS" and "MMOR", Panasonic "IIU".
  const Case cases[] = {{false, 42, L"a.tif"},     {true, 42, L"b.nef"},     {false, 0x4F52, L"c.orf"},
                        {false, 0x5352, L"d.orf"}, {true, 0x4F52, L"e.orf"}, {false, 0x55, L"f.rw2"}};
  for (const Case& c : cases) {
    // Orientation after another entry, as cameras write IFD0.
    const Bytes original = TiffFile(c.bigEndian, {TestEntry{256, 4, 1, 4000}, TestEntry{274, 3, 1, 8}});
    Bytes file = original;
    Store16(&file[2], c.magic, c.bigEndian);
    const std::wstring path = Write(file, c.name);
    TurnReport report;
    const std::size_t valueAt = kFirstValueAt + 12;
    const std::vector<std::size_t> changed = TurnAndDiff(path, file, &report);
    EXPECT_EQ(2u, report.bytesWritten) << c.magic;
    EXPECT_EQ(8u, report.oldValue);
    EXPECT_EQ(1u, report.newValue);
    const Bytes after = ReadBytes(path);
    ASSERT_EQ(file.size(), after.size());
    EXPECT_EQ(1u, Load16(&after[valueAt], c.bigEndian)) << c.magic;
    for (std::size_t at : changed) EXPECT_TRUE(at == valueAt || at == valueAt + 1) << at;
  }
}

TEST_F(TurnOtherFormats, Cr3TurnsTheIfd0OfItsCmt1Box) {
  for (bool bigEndian : {false, true}) {
    const Bytes tiff = TiffStructure(bigEndian, {TestEntry{274, 3, 1, 1}});
    const Bytes canonId = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                           0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
    // A decoy CMT1 outside Canon's uuid box, and another uuid box first.
    const Bytes decoy = TiffStructure(bigEndian, {TestEntry{274, 3, 1, 8}});
    Bytes otherId = canonId;
    otherId[0] ^= 1;
    const Bytes ftyp = Box("ftyp", Bytes{'c', 'r', 'x', ' ', 0, 0, 0, 1});
    const Bytes moov = Box("moov", Joined({Box("CMT1", decoy), Box("uuid", Joined({otherId, Box("CMT1", decoy)})),
                                           Box("uuid", Joined({canonId, Box("CNCV", Bytes(8, 'c')),
                                                               Box("CMT1", tiff)}))}));
    const Bytes file = Joined({ftyp, moov, Box("mdat", Bytes(32, 0x5A))});
    const std::size_t valueAt = ftyp.size() + moov.size() - tiff.size() + kFirstValueAt;
    const std::wstring path = Write(file, L"c.cr3");
    TurnReport report;
    const std::vector<std::size_t> changed = TurnAndDiff(path, file, &report);
    EXPECT_EQ(2u, report.bytesWritten);
    EXPECT_EQ(1u, report.oldValue);
    EXPECT_EQ(6u, Load16(&ReadBytes(path)[valueAt], bigEndian));
    for (std::size_t at : changed) EXPECT_TRUE(at == valueAt || at == valueAt + 1) << at;
  }
}

TEST_F(TurnOtherFormats, TheXmpPacketOfATiffFileTurnsWithTheValue) {
  for (bool bigEndian : {false, true}) {
    const std::string packet =
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' "
        "tiff:Orientation='6'/></x:xmpmeta>";
    const std::uint32_t packetAt = 8 + 2 + 2 * 12 + 4;
    Bytes file = TiffStructure(bigEndian, {TestEntry{274, 3, 1, 6},
                                           TestEntry{700, 7, static_cast<std::uint32_t>(packet.size()), packetAt}});
    ASSERT_EQ(packetAt, file.size());
    file.insert(file.end(), packet.begin(), packet.end());
    const std::size_t digitAt = packetAt + packet.find('6');
    const std::wstring path = Write(file, L"x.dng");
    TurnReport report;
    const std::vector<std::size_t> changed = TurnAndDiff(path, file, &report);
    EXPECT_EQ(1u, report.xmpBytesWritten);
    const Bytes after = ReadBytes(path);
    EXPECT_EQ(3u, Load16(&after[kFirstValueAt], bigEndian));
    EXPECT_EQ('3', after[digitAt]);
    for (std::size_t at : changed) {
      EXPECT_TRUE(at == kFirstValueAt || at == kFirstValueAt + 1 || at == digitAt) << at;
    }
  }
}

TEST_F(TurnOtherFormats, PngWritesTheValueAndAValidChunkCrc) {
  for (bool bigEndian : {false, true}) {
    const Bytes exif = TiffStructure(bigEndian, {TestEntry{274, 3, 1, 1}});
    std::uint32_t dataAt = 0;
    const Bytes original = PngFile(&exif, &dataAt);
    const std::wstring path = Write(original, L"p.png");
    TurnReport report;
    const std::vector<std::size_t> changed = TurnAndDiff(path, original, &report);
    EXPECT_EQ(6u, report.bytesWritten);
    const Bytes after = ReadBytes(path);
    ASSERT_EQ(original.size(), after.size());
    const std::size_t valueAt = dataAt + kFirstValueAt;
    const std::size_t crcAt = dataAt + exif.size();
    EXPECT_EQ(6u, Load16(&after[valueAt], bigEndian));
    for (std::size_t at : changed) {
      EXPECT_TRUE(at == valueAt || at == valueAt + 1 || (at >= crcAt && at < crcAt + 4)) << at;
    }
    // The reference CRC over type and data: first itself checked.
    const unsigned char check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    ASSERT_EQ(0xCBF43926u, ReferenceCrc32(check, sizeof check));
    EXPECT_EQ(ReferenceCrc32(&after[dataAt - 4], exif.size() + 4), Load32(&after[crcAt], true));
    // A left turn gives the file back, CRC included.
    EXPECT_EQ(S_OK, RotateLeft(path));
    EXPECT_EQ(original, ReadBytes(path));
  }
}

TEST_F(TurnOtherFormats, FilesWithoutAnIfd0OrientationAreRefusedUntouched) {
  const Bytes noOrientation = TiffFile(false, {TestEntry{256, 4, 1, 4000}});
  // In a sub-IFD the Orientation belongs to another picture than the file's.
  const Bytes subIfdOnly = TiffFile(true, {TestEntry{256, 4, 1, 4000}}, {TestEntry{274, 3, 1, 6}});
  // IFD0 claims more entries than the file holds: the Orientation sits in
  // the first, but the walk must not run past the end.
  Bytes truncated = TiffStructure(false, {TestEntry{274, 3, 1, 6}});
  Store16(&truncated[8], 40, false);
  const Bytes pngWithoutExif = PngFile(nullptr);
  Bytes badCrc = PngFile(nullptr);
  {
    const Bytes exif = TiffStructure(false, {TestEntry{274, 3, 1, 6}});
    std::uint32_t dataAt = 0;
    badCrc = PngFile(&exif, &dataAt);
    badCrc[dataAt + exif.size()] ^= 0x55;
  }
  // eXIf's IFD0 pointing beyond the chunk: bytes there are not the chunk's.
  Bytes outside;
  {
    Bytes exif = TiffStructure(false, {});
    std::uint32_t dataAt = 0;
    outside = PngFile(&exif, &dataAt);
    Bytes entry;
    PutEntry(entry, TestEntry{274, 3, 1, 6}, false);
    Bytes ifd = {1, 0};
    ifd.insert(ifd.end(), entry.begin(), entry.end());
    const std::uint32_t ifdAt = static_cast<std::uint32_t>(outside.size());
    outside.insert(outside.end(), ifd.begin(), ifd.end());
    Store32(&outside[dataAt + 4], ifdAt - dataAt, false);
    // Keep the chunk's CRC right, so only the place of the IFD is wrong.
    Store32(&outside[dataAt + exif.size()], ReferenceCrc32(&outside[dataAt - 4], exif.size() + 4), true);
  }
  struct Case {
    const Bytes* bytes;
    const wchar_t* name;
    bool orientationSeen;
  };
  const Case cases[] = {{&noOrientation, L"none.tif", false}, {&subIfdOnly, L"sub.dng", false},
                        {&truncated, L"cut.cr2", true},       {&pngWithoutExif, L"plain.png", false},
                        {&badCrc, L"crc.png", true},          {&outside, L"outside.png", false}};
  for (const Case& c : cases) {
    const std::wstring path = Write(*c.bytes, c.name);
    TurnReport report;
    EXPECT_TRUE(FAILED(TurnPhoto(path, kTurnRight, TurnOptions(), &report)));
    EXPECT_EQ(0u, report.bytesWritten);
    EXPECT_EQ(c.orientationSeen, report.hasOrientation);
    EXPECT_EQ(*c.bytes, ReadBytes(path));
    if (!c.orientationSeen) {
      EXPECT_EQ(kTurnReasonNoOrientation, ExplainTurn(E_FAIL, report, path));
    }
  }
}

}  // namespace
