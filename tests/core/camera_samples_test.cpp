// The turn on files that cameras and other programs really wrote (the small
// samples tools/bootstrap fetches): raw files, a DNG, JPEGs of many makers,
// and files without an Orientation, which must stay as they were.
#include <gtest/gtest.h>

#include <set>

#include "byte_source.h"
#include "orientation.h"
#include "photo_file.h"
#include "photo_format.h"
#include "raw_preview.h"
#include "test_files.h"
#include "turn_reason.h"
#include "utf8.h"

namespace {

bool HasCameraSamples() { return !ReadBytes(CameraSamplesDir() + L"/Canon.jpg").empty(); }

// The IFD0 Orientation entry and the XMP digits a turn may write, as read
// by the program's reader.
struct Found {
  ExifEntry entry;
  bool hasEntry = false;
  XmpOrientation xmp;
};

Found ReadFound(const std::wstring& path) {
  Found found;
  std::FILE* stream = OpenSharedForReading(path);
  if (!stream) return found;
  FileSource_CL source(stream, true);
  ExifInfo_CL info;
  const PhotoFormat_EN format = ReadPhotoExif(source, info, nullptr, nullptr);
  if (const ExifEntry* entry = info.FindEntry(kTagOrientation)) {
    found.entry = *entry;
    found.hasEntry = true;
  }
  found.xmp = FindPhotoXmpOrientation(source, format, info);
  return found;
}

// Every byte that differs must be one the turn is allowed to write.
void ExpectOnlyValueBytesChanged(const Bytes& before, const Bytes& after, const Found& found,
                                 const std::string& name) {
  ASSERT_EQ(before.size(), after.size()) << name;
  std::set<std::size_t> allowed = {found.entry.position + 8u, found.entry.position + 9u};
  for (std::uint32_t at : found.xmp.positions) allowed.insert(at);
  std::size_t changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    ++changed;
    EXPECT_TRUE(allowed.count(i)) << name << " byte " << i;
  }
  EXPECT_GE(changed, 1u) << name;
}

TEST(CameraSamples, EveryFormatTurnsRightAndLeftInPlaceAndFilesWithoutOrientationStayUntouched) {
  if (!HasCameraSamples()) {
    GTEST_SKIP() << "the camera samples are missing (" << WideToUtf8(CameraSamplesDir())
                 << "): tools/bootstrap fetches them";
  }
  const char* const turnable[] = {
      "DNG.dng",     "Nikon.nef",      "CanonRaw.cr2", "CanonRaw.cr3", "Panasonic.rw2", "Canon.jpg",
      "Nikon.jpg",   "Sony.jpg",       "FujiFilm.jpg", "Olympus.jpg",  "Panasonic.jpg", "Pentax.jpg",
      "Kodak.jpg",   "Casio.jpg",      "Ricoh.jpg",    "Sanyo.jpg",    "Sigma.jpg",     "Minolta.jpg",
      "NikonD70.jpg", "NikonD2Hs.jpg", "GE.jpg",       "Apple.jpg",    "MWG.jpg",       "GoPro.jpg"};
  TempDir dir;
  for (const char* name : turnable) {
    const Bytes original = ReadBytes(CameraSamplesDir() + L"/" + Utf8ToWide(name));
    ASSERT_FALSE(original.empty()) << name;
    const std::wstring path = dir.Join(Utf8ToWide(name));
    ASSERT_TRUE(WriteBytes(path, original));
    const Found before = ReadFound(path);
    ASSERT_TRUE(before.hasEntry) << name;
    ASSERT_EQ(kTypeShort, before.entry.type) << name;

    TurnReport report;
    ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), &report)) << name;
    EXPECT_EQ(2u, report.bytesWritten) << name;
    EXPECT_EQ(TurnRightValue(before.entry.value), ReadFound(path).entry.value) << name;
    ExpectOnlyValueBytesChanged(original, ReadBytes(path), before, name);
    if (before.xmp.form == kXmpDigit) {
      EXPECT_EQ(TurnRightValue(before.entry.value), ReadFound(path).xmp.value) << name;
    }

    ASSERT_EQ(S_OK, TurnPhoto(path, kTurnLeft, TurnOptions(), &report)) << name;
    EXPECT_EQ(before.entry.value, ReadFound(path).entry.value) << name;
    EXPECT_EQ(original, ReadBytes(path)) << name;
  }

  // A TIFF, a PNG without an eXIf chunk and a JPEG without the entry.
  for (const char* name : {"ExifTool.tif", "PNG.png", "Motorola.jpg"}) {
    const Bytes original = ReadBytes(CameraSamplesDir() + L"/" + Utf8ToWide(name));
    ASSERT_FALSE(original.empty()) << name;
    const std::wstring path = dir.Join(Utf8ToWide(name));
    ASSERT_TRUE(WriteBytes(path, original));
    TurnReport report;
    const HRESULT hr = TurnPhoto(path, kTurnRight, TurnOptions(), &report);
    EXPECT_EQ(kTurnReasonNoOrientation, ExplainTurn(hr, report, path)) << name;
    EXPECT_EQ(original, ReadBytes(path)) << name;
  }
}

}  // namespace

namespace {

TEST(CameraSamples, RawFilesShowTheirLargestDecodableEmbeddedJpeg) {
  if (!HasCameraSamples()) {
    GTEST_SKIP() << "the camera samples are missing (" << WideToUtf8(CameraSamplesDir())
                 << "): tools/bootstrap fetches them";
  }
  // The samples' pictures were cut to stubs, except the RW2's 8 x 8
  // JpgFromRaw; the DNG's previews are lossless JPEG, which is not shown.
  struct Case {
    const char* name;
    ShownFrom_EN from;
    int width;
  };
  const Case cases[] = {{"Panasonic.rw2", kShownEmbeddedJpeg, 8}, {"DNG.dng", kShownWholeFile, 0},
                        {"CanonRaw.cr2", kShownWholeFile, 0},     {"CanonRaw.cr3", kShownWholeFile, 0},
                        {"Nikon.nef", kShownWholeFile, 0},        {"ExifTool.tif", kShownWholeFile, 0}};
  for (const Case& c : cases) {
    std::FILE* stream = OpenSharedForReading(CameraSamplesDir() + L"/" + Utf8ToWide(c.name));
    ASSERT_TRUE(stream) << c.name;
    FileSource_CL source(stream, true);
    const ShownPicture shown = FindShownPicture(source);
    EXPECT_EQ(c.from, shown.from) << c.name;
    EXPECT_EQ(c.width, shown.jpeg.width) << c.name;
    if (shown.from == kShownEmbeddedJpeg) {
      EXPECT_EQ(1, shown.orientation) << c.name;
    }
  }
}

}  // namespace
