// Turning a photo that has no Orientation entry: refused as before unless
// asked for, and when asked, an entry is added without moving any other byte
// of the file, as the program's reader and an independent one both see.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "corpus_manifest.h"
#include "exif_info.h"
#include "jpeg_builder.h"
#include "orientation.h"
#include "orientation_tag_add.h"
#include "test_files.h"
#include "turn_reason.h"
#include "utf8.h"

namespace {

// The first Exif APP1 before the scan, as [start, end); start == end at the
// start of image when there is none. Walked here by hand so the check does
// not lean on the code it checks.
void ExifSpan(const Bytes& jpeg, std::size_t* start, std::size_t* end) {
  *start = *end = 2;
  for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at + 1] != 0xDA;) {
    const std::size_t next = at + 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    if (jpeg[at + 1] == 0xE1 && std::memcmp(&jpeg[at + 4], "Exif\0", 6) == 0) {
      *start = at;
      *end = next;
      return;
    }
    at = next;
  }
}

// Every byte outside the new file's Exif segment is the original's.
void ExpectOnlyExifSegmentDiffers(const Bytes& before, const Bytes& after, const std::string& name) {
  std::size_t oldStart = 0, oldEnd = 0, newStart = 0, newEnd = 0;
  ExifSpan(before, &oldStart, &oldEnd);
  ExifSpan(after, &newStart, &newEnd);
  ASSERT_LT(newStart, newEnd) << name;
  if (oldStart == oldEnd) oldStart = oldEnd = newStart;  // a segment was inserted
  ASSERT_EQ(oldStart, newStart) << name;
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + oldStart, after.begin())) << name;
  ASSERT_EQ(before.size() - oldEnd, after.size() - newEnd) << name;
  EXPECT_TRUE(std::equal(before.begin() + oldEnd, before.end(), after.begin() + newEnd)) << name;
}

// What exiftool reads as the numeric Orientation, or -1 when it reads none;
// -2 when exiftool cannot be run here.
int ExifToolOrientation(const std::wstring& path) {
#ifdef _WIN32
  (void)path;
  return -2;
#else
  const std::string command = "exiftool -s3 -n -Orientation '" + WideToUtf8(path) + "' 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -2;
  char line[64] = {0};
  const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
  const int status = pclose(pipe);
  if (status != 0 && !got) return status == 127 << 8 ? -2 : -1;
  return got ? std::atoi(line) : -1;
#endif
}

void ExpectExifToolReads(const std::wstring& path, int value, const std::string& name) {
  const int read = ExifToolOrientation(path);
  if (read == -2) {
    std::printf("exiftool is not available: %s checked by the program's reader only\n", name.c_str());
    return;
  }
  EXPECT_EQ(value, read) << name;
}

struct Sample {
  const char* name;
  Bytes bytes;
};

TEST(AddedOrientation, TaglessPhotosTurnOnlyWhenAskedAndKeepEveryOtherByte) {
  const std::vector<TestEntry> ifd0 = {{271, 2, 4, 0x00434241}, {282, 5, 1, 0x40}, {305, 2, 3, 0x5A59}};
  const std::vector<TestEntry> exif = {{36864, 7, 4, 0x31323230}};
  const Sample samples[] = {
      {"II IFD0", JpegBuilder().Soi().App0Jfif().App1Exif(false, ifd0, exif).Sos().Data()},
      {"MM IFD0", JpegBuilder().Soi().App1Exif(true, ifd0, exif).App1Xmp().Sos().Data()},
      {"no Exif", JpegBuilder().Soi().Sos().Data()},
      {"no Exif, JFIF", JpegBuilder().Soi().App0Jfif().Sos().Data()},
  };
  TempDir dir;
  for (const Sample& sample : samples) {
    const std::wstring path = dir.Join(L"photo.jpg");
    ASSERT_TRUE(WriteBytes(path, sample.bytes));
    ExifInfo_CL before;
    before.Read(path);

    TurnReport report;
    HRESULT hr = TurnPhoto(path, kTurnRight, TurnOptions(), &report);
    EXPECT_TRUE(FAILED(hr)) << sample.name;
    EXPECT_EQ(kTurnReasonNoOrientation, ExplainTurn(hr, report, path)) << sample.name;
    EXPECT_EQ(sample.bytes, ReadBytes(path)) << sample.name;

    TurnOptions add;
    add.addEntry = true;
    for (TurnDirection_EN direction : {kTurnLeft, kTurnRight}) {
      ASSERT_TRUE(WriteBytes(path, sample.bytes));
      const int expected = direction == kTurnLeft ? 8 : 6;
      ASSERT_EQ(S_OK, TurnPhoto(path, direction, add, &report)) << sample.name;
      EXPECT_TRUE(report.entryAdded);
      EXPECT_EQ(expected, report.newValue);
      const Bytes after = ReadBytes(path);
      ExpectOnlyExifSegmentDiffers(sample.bytes, after, sample.name);
      ExifInfo_CL info;
      info.Read(path);
      const ExifEntry* entry = info.FindEntry(kTagOrientation);
      ASSERT_NE(nullptr, entry) << sample.name;
      EXPECT_EQ(static_cast<std::uint32_t>(expected), entry->value) << sample.name;
      for (const ExifEntry& old : before.entries) {
        const ExifEntry* now = info.FindEntry(old.tag);
        ASSERT_NE(nullptr, now) << sample.name << " tag " << old.tag;
        EXPECT_EQ(old.value, now->value) << sample.name << " tag " << old.tag;
        EXPECT_EQ(old.text, now->text) << sample.name << " tag " << old.tag;
      }
      ExpectExifToolReads(path, expected, sample.name);
    }
    // Once it has the entry, the photo turns in place as any other.
    ASSERT_EQ(S_OK, TurnPhoto(path, kTurnLeft, TurnOptions(), &report)) << sample.name;
    ExifInfo_CL turned;
    turned.Read(path);
    ASSERT_NE(nullptr, turned.FindEntry(kTagOrientation)) << sample.name;
    EXPECT_EQ(1u, turned.FindEntry(kTagOrientation)->value) << sample.name;
    EXPECT_EQ(ReadBytes(dir.Join(L"photo.jpg.snapvane-turn.tmp")), Bytes()) << "no file left behind";
  }
}

TEST(AddedOrientation, ARefusedPhotoStaysAsItWas) {
  // A read-only photo, and one whose Exif segment has no room left for a
  // second IFD0.
  TempDir dir;
  TurnOptions add;
  add.addEntry = true;
  TurnReport report;
  const Bytes tagless = JpegBuilder().Soi().Sos().Data();
  const std::wstring locked = dir.Join(L"locked.jpg");
  ASSERT_TRUE(WriteBytes(locked, tagless));
  ASSERT_TRUE(SetReadOnly(locked, true));
  HRESULT hr = TurnPhoto(locked, kTurnRight, add, &report);
  EXPECT_EQ(kTurnReasonWriteProtected, ExplainTurn(hr, report, locked));
  SetReadOnly(locked, false);
  EXPECT_EQ(tagless, ReadBytes(locked));

  std::vector<TestEntry> many(5455, TestEntry{271, 3, 1, 1});
  const Bytes full = JpegBuilder().Soi().App1Exif(false, many).Sos().Data();
  const std::wstring big = dir.Join(L"full.jpg");
  ASSERT_TRUE(WriteBytes(big, full));
  hr = TurnPhoto(big, kTurnRight, add, &report);
  EXPECT_EQ(kTurnReasonCannotAddEntry, ExplainTurn(hr, report, big));
  EXPECT_EQ(full, ReadBytes(big));
}

TEST(AddedOrientation, CorpusPhotosWithoutTheEntryTurnWhenAsked) {
  TempDir dir;
  TurnOptions add;
  add.addEntry = true;
  int turned = 0;
  for (const ManifestRow& row : LoadManifest()) {
    if (row.at("orientation") != "none") continue;
    const std::string& name = row.at("file");
    const Bytes original = ReadBytes(CorpusFile(name));
    const std::wstring path = dir.Join(L"copy.jpg");
    ASSERT_TRUE(WriteBytes(path, original));
    TurnReport report;
    if (FAILED(TurnPhoto(path, kTurnRight, add, &report))) {
      // Only a file whose Exif data is broken is refused, and one whose IFD0
      // text runs past its segment's end: the new IFD0 would change the text.
      const bool expected = row.at("categories").find("broken") != std::string::npos ||
                            name == "pil_multiple_exif.jpg";
      EXPECT_TRUE(expected) << name;
      EXPECT_EQ(original, ReadBytes(path)) << name;
      continue;
    }
    ++turned;
    ExpectOnlyExifSegmentDiffers(original, ReadBytes(path), name);
    ExifInfo_CL info;
    info.Read(path);
    ASSERT_NE(nullptr, info.FindEntry(kTagOrientation)) << name;
    EXPECT_EQ(6u, info.FindEntry(kTagOrientation)->value) << name;
    ExpectExifToolReads(path, 6, name);
  }
  EXPECT_GT(turned, 0);
}

}  // namespace
