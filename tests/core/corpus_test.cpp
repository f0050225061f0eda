// Every sample photo: the reader finds what the manifest lists (or nothing
// where its own rules stop the walk first), and a turn changes only the
// Orientation value field.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "corpus_manifest.h"
#include "exif_info.h"
#include "orientation.h"
#include "test_files.h"
#include "utf8.h"
#include "xmp_orientation.h"

namespace {

typedef ManifestRow Row;

// The walk ends at the first APP1 that is not Exif, and at a TIFF header
// whose magic number is not 42; an Orientation behind either is never seen.
bool OrientationReachable(const Row& row) {
  if (row.at("orientation") == "none") return false;
  if (row.at("notes").find("bad TIFF magic") != std::string::npos) return false;
  std::stringstream order(row.at("app_order"));
  std::string segment;
  while (std::getline(order, segment, ',')) {
    if (segment == "APP1(Exif)") return true;
    if (segment.compare(0, 5, "APP1(") == 0) return false;
  }
  return false;
}

class Corpus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { rows = new std::vector<Row>(LoadManifest()); }
  static void TearDownTestSuite() { delete rows; }
  static std::vector<Row>* rows;
};
std::vector<Row>* Corpus::rows = nullptr;

TEST_F(Corpus, ManifestIsThere) { ASSERT_GE(rows->size(), 90u); }

TEST_F(Corpus, ReaderFindsTheListedOrientation) {
  for (const Row& row : *rows) {
    const std::string& name = row.at("file");
    ExifInfo_CL info;
    info.Read(CorpusFile(name));
    const ExifEntry* entry = info.FindEntry(274);
    if (!OrientationReachable(row)) {
      EXPECT_EQ(nullptr, entry) << name;
      continue;
    }
    ASSERT_NE(nullptr, entry) << name;
    EXPECT_EQ(std::stoul(row.at("orientation")), entry->value) << name;
    EXPECT_EQ(std::stoul(row.at("orientation_value_offset")), entry->position + 8) << name;
    EXPECT_EQ(row.at("byte_order") == "MM", info.bigEndian) << name;
  }
}

TEST_F(Corpus, TurnsChangeOnlyTheValueFieldAndUndoExactly) {
  TempDir dir;
  for (const Row& row : *rows) {
    const std::string& name = row.at("file");
    const Bytes original = ReadBytes(CorpusFile(name));
    ASSERT_EQ(std::stoul(row.at("file_size")), original.size()) << name;
    const std::wstring path = dir.Join(L"copy.jpg");
    ASSERT_TRUE(WriteBytes(path, original));

    // The XMP Orientation the photo editors wrote is found where the manifest
    // says, and turns with the Exif value.
    MemorySource_CL source(original.data(), original.size());
    const XmpOrientation xmp = FindXmpOrientation(source);
    const std::string& xmpText = row.at("xmp_orientation");
    EXPECT_EQ(xmpText == "none" ? kXmpNoOrientation : kXmpDigit, xmp.form) << name;
    if (xmp.form == kXmpDigit) {
      EXPECT_EQ(xmpText, std::to_string(xmp.value)) << name;
    }

    TurnReport report;
    const HRESULT hr = TurnPhoto(path, kTurnRight, TurnOptions(), &report);
    const Bytes turned = ReadBytes(path);
    if (!OrientationReachable(row)) {
      EXPECT_EQ(E_FAIL, hr) << name;
      EXPECT_EQ(original, turned) << name;
      continue;
    }
    ASSERT_EQ(S_OK, hr) << name;
    const std::string& type = row.at("orientation_type");
    EXPECT_EQ(type == "SHORT" ? 2u : 4u, report.bytesWritten) << name;
    const std::size_t at = std::stoul(row.at("orientation_value_offset"));
    ASSERT_EQ(original.size(), turned.size());
    EXPECT_EQ(xmp.positions.size(), report.xmpBytesWritten) << name;
    for (std::uint32_t digit : xmp.positions) EXPECT_EQ('0' + report.newValue, turned[digit]) << name;
    for (std::size_t i = 0; i < original.size(); ++i) {
      bool xmpDigit = false;
      for (std::uint32_t digit : xmp.positions) xmpDigit = xmpDigit || digit == i;
      if ((i < at || i >= at + report.bytesWritten) && !xmpDigit) {
        ASSERT_EQ(original[i], turned[i]) << name << " byte " << i;
      }
    }
    ExifInfo_CL info;
    info.Read(path);
    EXPECT_EQ(TurnRightValue(std::stoul(row.at("orientation"))), info.FindEntry(274)->value) << name;

    EXPECT_EQ(S_OK, RotateLeft(path));
    const std::uint32_t v = std::stoul(row.at("orientation"));
    if (v >= 1 && v <= 8) {
      EXPECT_EQ(original, ReadBytes(path)) << name;
      for (int i = 0; i < 4; ++i) EXPECT_EQ(S_OK, RotateRight(path));
      EXPECT_EQ(original, ReadBytes(path)) << name;
    }
  }
}

}  // namespace
