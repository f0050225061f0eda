// The built snapvane-cli run as a user runs it, on small real JPEG files.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "cli_test_support.h"
#include "tiff_builder.h"
#include "utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

std::string Utf8(const fs::path& path) { return WideToUtf8(WidePath(path)); }

class CliTool : public ::testing::Test {
 protected:
  fs::path Photo(const fs::path& name, bool bigEndian, int orientation) {
    const TinyJpeg jpeg = MakeTinyJpeg(bigEndian, orientation);
    const fs::path path = folder.Path() / name;
    fs::create_directories(path.parent_path());
    WriteFileBytes(path, jpeg.bytes);
    valueAt = jpeg.valueAt;
    return path;
  }
  TempFolder folder;
  std::uint32_t valueAt = 0;
};

TEST_F(CliTool, InfoNamesByteOrderValueAndTheOffsetOfTheValueBytes) {
  const fs::path ii = Photo("ii.jpg", false, 6);
  const std::uint32_t iiAt = valueAt;
  const fs::path mm = Photo("mm.jpg", true, 3);
  const std::uint32_t mmAt = valueAt;
  const fs::path bare = Photo("no-orientation.jpg", true, -1);
  const fs::path plain = folder.Path() / "plain.jpg";
  WriteFileBytes(plain, PlainTinyJpeg());

  const ToolRun run = RunTool({L"info", WidePath(ii), WidePath(mm), WidePath(bare), WidePath(plain)});
  EXPECT_EQ(0, run.status) << run.err;
  const std::vector<std::string> expected = {
      Utf8(ii) + "\tII\t6\t" + std::to_string(iiAt),
      Utf8(mm) + "\tMM\t3\t" + std::to_string(mmAt),
      Utf8(bare) + "\tMM\tnone\tnone",
      Utf8(plain) + "\tnone\tnone\tnone",
  };
  EXPECT_EQ(expected, Lines(run.out));
  // The offsets point at the value in the file's own byte order.
  const Bytes iiBytes = ReadFileBytes(ii);
  EXPECT_EQ(6, iiBytes[iiAt]);
  EXPECT_EQ(0, iiBytes[iiAt + 1]);
  const Bytes mmBytes = ReadFileBytes(mm);
  EXPECT_EQ(0, mmBytes[mmAt]);
  EXPECT_EQ(3, mmBytes[mmAt + 1]);

  const ToolRun json = RunTool({L"--json", L"info", WidePath(mm), WidePath(plain)});
  EXPECT_EQ(0, json.status);
  const std::vector<std::string> objects = {
      "{\"path\": \"" + Utf8(mm) + "\", \"byteOrder\": \"MM\", \"orientation\": 3, \"offset\": " +
          std::to_string(mmAt) + ", \"xmpOrientation\": null, \"xmpRewritable\": null, \"xmpAgrees\": null}",
      "{\"path\": \"" + Utf8(plain) +
          "\", \"byteOrder\": null, \"orientation\": null, \"offset\": null, \"xmpOrientation\": null, "
          "\"xmpRewritable\": null, \"xmpAgrees\": null}",
  };
#ifndef _WIN32  // Windows paths hold backslashes, which JSON escapes
  EXPECT_EQ(objects, Lines(json.out));
#endif
  EXPECT_EQ(2u, Lines(json.out).size());
}

TEST_F(CliTool, RightThenLeftRestoresEveryByteAndOnlyTheValueChangesBetween) {
  for (bool bigEndian : {false, true}) {
    const fs::path path = Photo(bigEndian ? "mm.jpg" : "ii.jpg", bigEndian, 1);
    const Bytes before = ReadFileBytes(path);

    const ToolRun right = RunTool({L"right", WidePath(path)});
    EXPECT_EQ(0, right.status) << right.err;
    EXPECT_EQ(Utf8(path) + "\tok 1 -> 6\n", right.out);
    const Bytes turned = ReadFileBytes(path);
    ASSERT_EQ(before.size(), turned.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (i == valueAt || i == valueAt + 1) continue;
      EXPECT_EQ(before[i], turned[i]) << "byte " << i << " changed";
    }
    EXPECT_EQ(6, turned[bigEndian ? valueAt + 1 : valueAt]);

    const ToolRun left = RunTool({L"--json", L"left", WidePath(path)});
    EXPECT_EQ(0, left.status) << left.err;
    EXPECT_NE(std::string::npos, left.out.find("\"ok\": true, \"old\": 6, \"new\": 1, \"error\": null"))
        << left.out;
    EXPECT_EQ(before, ReadFileBytes(path));
  }
}

// A value outside 1..8 is shown as stored, so a turn starts from upright:
// a quarter right or left, never none or half a turn.
TEST_F(CliTool, ValuesOutsideOneToEightTurnAsUpright) {
  for (int stored : {0, 10}) {
    const fs::path right = Photo("right-" + std::to_string(stored) + ".jpg", false, stored);
    const ToolRun r = RunTool({L"right", WidePath(right)});
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ(Utf8(right) + "\tok " + std::to_string(stored) + " -> 6\n", r.out);
    EXPECT_EQ(6, ReadFileBytes(right)[valueAt]);

    const fs::path left = Photo("left-" + std::to_string(stored) + ".jpg", true, stored);
    const ToolRun l = RunTool({L"left", WidePath(left)});
    EXPECT_EQ(0, l.status) << l.err;
    EXPECT_EQ(Utf8(left) + "\tok " + std::to_string(stored) + " -> 8\n", l.out);
    EXPECT_EQ(8, ReadFileBytes(left)[valueAt + 1]);
  }
}

TEST_F(CliTool, KeepTimeLeavesTheLastWriteTimeAsItWas) {
  const fs::path kept = Photo("kept.jpg", false, 1);
  const fs::path touched = Photo("touched.jpg", false, 1);
  const fs::file_time_type old = fs::last_write_time(kept) - std::chrono::hours(24 * 365 * 5);
  fs::last_write_time(kept, old);
  fs::last_write_time(touched, old);
  const fs::file_time_type keptBefore = fs::last_write_time(kept);
  const fs::file_time_type touchedBefore = fs::last_write_time(touched);

  EXPECT_EQ(0, RunTool({L"right", L"--keep-time", WidePath(kept)}).status);
  EXPECT_EQ(0, RunTool({L"right", WidePath(touched)}).status);
  EXPECT_TRUE(keptBefore == fs::last_write_time(kept));
  // Without the switch the time moves, so other programs refresh thumbnails.
  EXPECT_TRUE(touchedBefore < fs::last_write_time(touched));
  EXPECT_EQ(ReadFileBytes(kept), ReadFileBytes(touched));
}

TEST_F(CliTool, FailuresAreReportedPerPhotoAndGiveStatusOne) {
  const fs::path good = Photo("good.jpg", false, 8);
  const fs::path locked = Photo("protected.jpg", true, 6);
  SetWriteProtected(locked, true);
  const Bytes lockedBefore = ReadFileBytes(locked);
  const fs::path bare = Photo("bare.jpg", false, -1);
  const fs::path missing = folder.Path() / "missing.jpg";
  // A text file and an empty file under a photo's name are no JPEGs at all.
  const fs::path text = folder.Path() / "notes.jpg";
  WriteFileBytes(text, Bytes{'h', 'i', '\n'});
  const fs::path empty = folder.Path() / "empty.jpg";
  WriteFileBytes(empty, Bytes());

  const ToolRun run = RunTool({L"right", WidePath(good), WidePath(locked), WidePath(bare),
                               WidePath(missing), WidePath(text), WidePath(empty)});
  EXPECT_EQ(1, run.status);
  const std::vector<std::string> expected = {
      Utf8(good) + "\tok 8 -> 1",
      Utf8(locked) + "\tfailed: write-protected",
      Utf8(bare) + "\tfailed: no Orientation entry",
      Utf8(missing) + "\tfailed: file not found",
      Utf8(text) + "\tfailed: not a photo the program can turn",
      Utf8(empty) + "\tfailed: not a photo the program can turn",
  };
  EXPECT_EQ(expected, Lines(run.out));
  EXPECT_EQ(lockedBefore, ReadFileBytes(locked));

  const ToolRun json = RunTool({L"left", L"--json", WidePath(locked)});
  EXPECT_EQ(1, json.status);
  EXPECT_NE(std::string::npos,
            json.out.find("\"ok\": false, \"old\": 6, \"new\": null, \"error\": \"write-protected\", \"xmp\": null}"))
      << json.out;

  // info fails only for a file it cannot open, and says so on stderr.
  const ToolRun info = RunTool({L"info", WidePath(missing), WidePath(bare)});
  EXPECT_EQ(1, info.status);
  EXPECT_EQ(2u, Lines(info.out).size());
  EXPECT_NE(std::string::npos, info.err.find(Utf8(missing) + ": file not found")) << info.err;
}

TEST_F(CliTool, PhotoHeldByAnotherProgramIsInUse) {
  const fs::path path = Photo("held.jpg", false, 1);
  const Bytes before = ReadFileBytes(path);
#ifdef _WIN32
  // A viewer that lets others read, and a program that lets nobody in: the
  // first fails the exclusive open for writing, the second already the read.
  for (DWORD share : {static_cast<DWORD>(FILE_SHARE_READ), static_cast<DWORD>(0)}) {
    HANDLE held = CreateFileW(path.wstring().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const ToolRun run = RunTool({L"right", WidePath(path)});
    CloseHandle(held);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(Utf8(path) + "\tfailed: in use by another program\n", run.out) << "share " << share;
  }
#else
  const int held = open(path.c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(0, flock(held, LOCK_EX));
  const ToolRun run = RunTool({L"right", WidePath(path)});
  close(held);
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(Utf8(path) + "\tfailed: in use by another program\n", run.out);
#endif
  EXPECT_EQ(before, ReadFileBytes(path));
}

TEST_F(CliTool, FoldersAreWalkedWithAllSubfoldersAndOnlyPhotosTaken) {
  const fs::path a = Photo("a.JPG", false, 1);
  const fs::path b = Photo(fs::path("sub") / "b.jpeg", true, 2);
  const fs::path d = Photo(fs::path("sub") / "deeper" / "d.jpg", false, 3);
  const fs::path notPhoto = Photo("c.txt", false, 1);
  const Bytes notPhotoBefore = ReadFileBytes(notPhoto);
  fs::create_directories(folder.Path() / "empty");

  const ToolRun run = RunTool({L"right", WidePath(folder.Path())});
  EXPECT_EQ(0, run.status) << run.err;
  // In name order, a folder's photos before those of its subfolders.
  const std::vector<std::string> lines = Lines(run.out);
  const std::vector<std::string> expected = {
      Utf8(a) + "\tok 1 -> 6",
      Utf8(b) + "\tok 2 -> 7",
      Utf8(d) + "\tok 3 -> 8",
  };
  EXPECT_EQ(expected, lines);
  EXPECT_EQ(notPhotoBefore, ReadFileBytes(notPhoto));

  // A folder without photos is worth a note, not a failure.
  const ToolRun empty = RunTool({L"info", WidePath(folder.Path() / "empty")});
  EXPECT_EQ(0, empty.status);
  EXPECT_TRUE(empty.out.empty());
  EXPECT_NE(std::string::npos, empty.err.find("no photos in")) << empty.err;
}

TEST_F(CliTool, TiffRawAndPngFilesAreReadAndTurnedInFolders) {
  const fs::path tif = folder.Path() / "a.TIF";
  const Bytes tifBytes = TiffFile(false, {TestEntry{274, 3, 1, 6}});
  WriteFileBytes(tif, tifBytes);
  const fs::path rw2 = folder.Path() / "b.rw2";
  Bytes rw2Bytes = TiffFile(false, {TestEntry{274, 3, 1, 3}});
  rw2Bytes[2] = 0x55;
  WriteFileBytes(rw2, rw2Bytes);
  const Bytes exif = TiffStructure(true, {TestEntry{274, 3, 1, 1}});
  std::uint32_t dataAt = 0;
  const fs::path png = folder.Path() / "c.png";
  const Bytes pngBytes = PngFile(&exif, &dataAt);
  WriteFileBytes(png, pngBytes);
  const fs::path plainPng = folder.Path() / "d.png";
  WriteFileBytes(plainPng, PngFile(nullptr));

  const ToolRun info = RunTool({L"info", WidePath(folder.Path())});
  EXPECT_EQ(0, info.status) << info.err;
  const std::vector<std::string> expectedInfo = {
      Utf8(tif) + "\tII\t6\t" + std::to_string(kFirstValueAt),
      Utf8(rw2) + "\tII\t3\t" + std::to_string(kFirstValueAt),
      Utf8(png) + "\tMM\t1\t" + std::to_string(dataAt + kFirstValueAt),
      Utf8(plainPng) + "\tnone\tnone\tnone",
  };
  EXPECT_EQ(expectedInfo, Lines(info.out));

  const ToolRun right = RunTool({L"right", WidePath(folder.Path())});
  EXPECT_EQ(1, right.status);
  const std::vector<std::string> expectedRight = {
      Utf8(tif) + "\tok 6 -> 3",
      Utf8(rw2) + "\tok 3 -> 8",
      Utf8(png) + "\tok 1 -> 6",
      Utf8(plainPng) + "\tfailed: no Orientation entry",
  };
  EXPECT_EQ(expectedRight, Lines(right.out));
  EXPECT_NE(pngBytes, ReadFileBytes(png));

  const ToolRun left = RunTool({L"left", WidePath(tif), WidePath(rw2), WidePath(png)});
  EXPECT_EQ(0, left.status) << left.out;
  EXPECT_EQ(tifBytes, ReadFileBytes(tif));
  EXPECT_EQ(rw2Bytes, ReadFileBytes(rw2));
  EXPECT_EQ(pngBytes, ReadFileBytes(png));
}

TEST_F(CliTool, NonAsciiNamesTravelAsUtf8) {
  const std::string name = "\xE5\xAE\xB6\xE6\x97\x8F";               // family
  const std::string file = "\xE5\x86\x99\xE7\x9C\x9F 1.jpg";         // photo 1.jpg
  const fs::path path = Photo(Utf8Path(name) / Utf8Path(file), false, 1);
  const ToolRun run = RunTool({L"--json", L"right", WidePath(folder.Path() / Utf8Path(name))});
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_NE(std::string::npos, run.out.find(file + "\", \"ok\": true")) << run.out;
  const ToolRun info = RunTool({L"info", WidePath(path)});
  EXPECT_EQ(Utf8(path) + "\tII\t6\t" + std::to_string(valueAt) + "\n", info.out);
}

// The photo with an XMP APP1 holding `description` put behind its Exif APP1
// (or its first segment); *digitAt is where '$' stood, now the digit.
Bytes WithXmp(Bytes jpeg, const std::string& description, char digit, std::size_t* digitAt) {
  const std::string packet =
      "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') +
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>" +
      description + "</rdf:RDF></x:xmpmeta>";
  Bytes segment = {0xFF, 0xE1, static_cast<unsigned char>((packet.size() + 2) >> 8),
                   static_cast<unsigned char>(packet.size() + 2)};
  segment.insert(segment.end(), packet.begin(), packet.end());
  const std::size_t at = 4u + (static_cast<std::size_t>(jpeg[4]) << 8 | jpeg[5]);
  *digitAt = at + 4 + packet.find('$');
  jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), segment.begin(), segment.end());
  jpeg[*digitAt] = static_cast<unsigned char>(digit);
  return jpeg;
}

TEST_F(CliTool, XmpOrientationIsShownAndTurnedWithExif) {
  std::size_t attributeAt = 0, elementAt = 0, otherAt = 0, onlyAt = 0;
  const TinyJpeg ii = MakeTinyJpeg(false, 1);
  const TinyJpeg mm = MakeTinyJpeg(true, 3);
  const Bytes attributeBytes = WithXmp(
      ii.bytes, "<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='$'/>", '1',
      &attributeAt);
  const Bytes elementBytes = WithXmp(
      mm.bytes, "<rdf:Description xmlns:t='http://ns.adobe.com/tiff/1.0/'><t:Orientation> $ </t:Orientation></rdf:Description>",
      '6', &elementAt);
  const Bytes otherBytes = WithXmp(
      ii.bytes, "<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='1$'/>", '0',
      &otherAt);
  const Bytes onlyBytes = WithXmp(
      PlainTinyJpeg(), "<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='$'/>", '6',
      &onlyAt);
  const fs::path attribute = folder.Path() / "attribute.jpg", element = folder.Path() / "element.jpg",
                 other = folder.Path() / "other.jpg", only = folder.Path() / "xmp-only.jpg";
  WriteFileBytes(attribute, attributeBytes);
  WriteFileBytes(element, elementBytes);
  WriteFileBytes(other, otherBytes);
  WriteFileBytes(only, onlyBytes);

  const ToolRun info = RunTool({L"info", WidePath(attribute), WidePath(element), WidePath(other), WidePath(only)});
  const std::vector<std::string> infoLines = {
      Utf8(attribute) + "\tII\t1\t" + std::to_string(ii.valueAt) + "\tXMP 1 agrees",
      Utf8(element) + "\tMM\t3\t" + std::to_string(mm.valueAt) + "\tXMP 6 differs",
      Utf8(other) + "\tII\t1\t" + std::to_string(ii.valueAt) + "\tXMP not one digit",
      Utf8(only) + "\tnone\tnone\tnone\tXMP 6",
  };
  EXPECT_EQ(infoLines, Lines(info.out));
  const ToolRun json = RunTool({L"--json", L"info", WidePath(element), WidePath(other)});
  EXPECT_NE(std::string::npos,
            json.out.find("\"xmpOrientation\": 6, \"xmpRewritable\": true, \"xmpAgrees\": false}\n"))
      << json.out;
  EXPECT_NE(std::string::npos,
            json.out.find("\"xmpOrientation\": null, \"xmpRewritable\": false, \"xmpAgrees\": null}\n"))
      << json.out;

  const ToolRun right = RunTool({L"right", WidePath(attribute), WidePath(element), WidePath(other), WidePath(only)});
  EXPECT_EQ(1, right.status);
  const std::vector<std::string> turnLines = {
      Utf8(attribute) + "\tok 1 -> 6, XMP too",
      Utf8(element) + "\tok 3 -> 8, XMP too",
      Utf8(other) + "\tok 1 -> 6, XMP left alone (not one digit)",
      Utf8(only) + "\tfailed: no Orientation entry (its XMP holds Orientation 6)",
  };
  EXPECT_EQ(turnLines, Lines(right.out));
  // Nothing but the Exif value and the one XMP digit changed.
  Bytes expected = attributeBytes;
  expected[ii.valueAt] = 6;
  expected[attributeAt] = '6';
  EXPECT_EQ(expected, ReadFileBytes(attribute));
  expected = elementBytes;
  expected[mm.valueAt + 1] = 8;
  expected[elementAt] = '8';
  EXPECT_EQ(expected, ReadFileBytes(element));
  expected = otherBytes;
  expected[ii.valueAt] = 6;
  EXPECT_EQ(expected, ReadFileBytes(other));
  EXPECT_EQ(onlyBytes, ReadFileBytes(only));

  const ToolRun left = RunTool({L"--json", L"left", WidePath(attribute)});
  EXPECT_NE(std::string::npos, left.out.find("\"old\": 6, \"new\": 1, \"error\": null, \"xmp\": \"written\"}"))
      << left.out;
  EXPECT_EQ(attributeBytes, ReadFileBytes(attribute));
}
TEST_F(CliTool, AddTagTurnsPhotosWithoutTheEntry) {
  const fs::path bare = Photo("bare.jpg", false, -1);
  const fs::path good = Photo("good.jpg", false, 3);
  const fs::file_time_type old = fs::last_write_time(bare) - std::chrono::hours(24 * 365 * 5);
  fs::last_write_time(bare, old);
  const fs::file_time_type before = fs::last_write_time(bare);

  const ToolRun run = RunTool({L"left", L"--add-tag", L"--keep-time", WidePath(bare), WidePath(good)});
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ((std::vector<std::string>{Utf8(bare) + "\tok none -> 8", Utf8(good) + "\tok 3 -> 6"}),
            Lines(run.out));
  EXPECT_TRUE(before == fs::last_write_time(bare));
  const ToolRun info = RunTool({L"info", WidePath(bare)});
  EXPECT_EQ(0u, info.out.find(Utf8(bare) + "\tII\t8\t")) << info.out;
}

TEST_F(CliTool, WithRawTurnsTheTwinsThatShowedAsTheJpegAndNamesTheOthers) {
  const fs::path jpeg = Photo("IMG_1.JPG", false, 1);
  const fs::path cr2 = folder.Path() / "IMG_1.cr2";
  const fs::path nef = folder.Path() / "IMG_1.NEF";
  WriteFileBytes(cr2, TiffFile(false, {TestEntry{274, 3, 1, 1}}));
  const Bytes nefBytes = TiffFile(true, {TestEntry{274, 3, 1, 8}});
  WriteFileBytes(nef, nefBytes);
  // The folder lists the twins too: each is turned once, by its JPEG.
  const ToolRun run = RunTool({L"right", L"--with-raw", WidePath(folder.Path())});
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ((std::vector<std::string>{Utf8(jpeg) + "\tok 1 -> 6", Utf8(cr2) + "\tok 1 -> 6",
                                      Utf8(nef) + "\tleft alone: its Orientation 8 differs from IMG_1.JPG's 1"}),
            Lines(run.out));
  EXPECT_EQ(6u, ReadFileBytes(cr2)[kFirstValueAt]);
  EXPECT_EQ(nefBytes, ReadFileBytes(nef));

  // Without the switch the JPEG alone turns.
  const ToolRun alone = RunTool({L"left", WidePath(jpeg)});
  EXPECT_EQ((std::vector<std::string>{Utf8(jpeg) + "\tok 6 -> 1"}), Lines(alone.out));
  EXPECT_EQ(6u, ReadFileBytes(cr2)[kFirstValueAt]);
}

TEST_F(CliTool, UsageErrorsGiveStatusTwoAndTouchNothing) {
  const fs::path path = Photo("p.jpg", false, 1);
  const Bytes before = ReadFileBytes(path);
  const std::vector<std::vector<std::wstring>> mistakes = {
      {},
      {L"right"},
      {L"turn", WidePath(path)},
      {L"right", L"--force", WidePath(path)},
      {L"info", L"--keep-time", WidePath(path)},
      {L"info", L"--add-tag", WidePath(path)},
      {L"info", L"--with-raw", WidePath(path)},
  };
  for (const auto& args : mistakes) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(2, run.status) << args.size();
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(std::string::npos, run.err.find("snapvane-cli: ")) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("--help")) << run.err;
  }
  EXPECT_EQ(before, ReadFileBytes(path));

  const ToolRun help = RunTool({L"--help"});
  EXPECT_EQ(0, help.status);
  EXPECT_EQ(0u, help.out.find("Usage: snapvane-cli"));
  EXPECT_TRUE(help.err.empty());
}

}  // namespace
