// The decoder from JPEG bytes to upright pixels: all eight orientations by
// pixels, the scale chosen for each drawing rule, the colour spaces and
// encodings cameras and editors write, damaged data, and the sample photos.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "corpus_manifest.h"
#include "encode_jpeg.h"
#include "jpeg_decode.h"
#include "orientation_model.h"
#include "read_orientation.h"
#include "test_files.h"

namespace {

Colour PixelAt(const UprightPixels& p, int x, int y) {
  const unsigned char* q = &p.bgra[(static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) +
                                    static_cast<std::size_t>(x)) * 4];
  return {q[2], q[1], q[0]};
}

bool Near(const Colour& a, const Colour& b) {
  return std::abs(a.r - b.r) <= 40 && std::abs(a.g - b.g) <= 40 && std::abs(a.b - b.b) <= 40;
}

std::string Describe(const Colour& c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// Each stored quadrant's colour where the orientation puts it upright.
void ExpectUpright(const UprightPixels& p, int orientation, bool gray, const std::string& what) {
  for (int corner = 0; corner < 4; ++corner) {
    const Corner at = UprightCorner(orientation, static_cast<Corner>(corner));
    const int x = IsRight(at) ? p.width * 3 / 4 : p.width / 4;
    const int y = IsBottom(at) ? p.height * 3 / 4 : p.height / 4;
    Colour want = kCorners[corner];
    if (gray) want.r = want.g = want.b = (want.r + want.g + want.b) / 3;
    const Colour got = PixelAt(p, x, y);
    EXPECT_TRUE(Near(want, got)) << what << " corner " << corner << ": " << Describe(got) << " instead of "
                                 << Describe(want);
  }
}

JpegTarget Target(JpegTargetRule_EN rule, int w, int h) {
  JpegTarget t;
  t.rule = rule;
  t.width = w;
  t.height = h;
  return t;
}

TEST(JpegDecode, ScaleIsTheSmallestThatCoversWhatIsDrawn) {
  const JpegTarget cell = Target(kJpegThumbnail, 192, 144);
  EXPECT_EQ(1, JpegScaleEighths(4000, 3000, cell));  // 500 x 375 for 192 x 144
  EXPECT_EQ(1, JpegScaleEighths(3000, 4000, cell));  // portrait: 108 x 144 drawn
  EXPECT_EQ(6, JpegScaleEighths(256, 256, cell));    // square: drawn 192 x 192, clipped
  EXPECT_EQ(8, JpegScaleEighths(160, 120, cell));    // never enlarged
  const JpegTarget pane = Target(kJpegFit, 1920, 1080);
  EXPECT_EQ(3, JpegScaleEighths(4000, 3000, pane));  // 1440 x 1080 needs 1500 x 1125
  EXPECT_EQ(1, JpegScaleEighths(3000, 4000, Target(kJpegFit, 600, 400)));  // 300 x 400 from 375 x 500
  // Rounded up as the decoder rounds: 1001 / 8 gives 126.
  EXPECT_EQ(1, JpegScaleEighths(1001, 1001, Target(kJpegFit, 126, 126)));
  EXPECT_EQ(8, JpegScaleEighths(4000, 3000, Target(kJpegFullSize, 10, 10)));
}

TEST(JpegDecode, EveryOrientationAtFullAndReducedScale) {
  const Bytes jpeg = EncodeQuadrants(64, 48, kBaseline);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const bool turned = orientation >= 5;
    for (const JpegTarget& target : {Target(kJpegFullSize, 0, 0), Target(kJpegThumbnail, 16, 16)}) {
      UprightPixels p;
      ASSERT_EQ(JpegOutcome_EN::kDecoded, DecodeJpegUpright(jpeg.data(), jpeg.size(), orientation, target, &p)) << orientation;
      const int scale = target.rule == kJpegFullSize ? 8 : 2;
      EXPECT_EQ(scale, p.scaleEighths);
      EXPECT_EQ((turned ? 48 : 64) * scale / 8, p.width) << orientation;
      EXPECT_EQ((turned ? 64 : 48) * scale / 8, p.height) << orientation;
      EXPECT_EQ(64, p.storedWidth);
      EXPECT_TRUE(p.complete);
      ExpectUpright(p, orientation, false, "orientation " + std::to_string(orientation));
    }
  }
  // Values outside 1..8 leave the picture as stored.
  UprightPixels p;
  ASSERT_EQ(JpegOutcome_EN::kDecoded, DecodeJpegUpright(jpeg.data(), jpeg.size(), 9, Target(kJpegFullSize, 0, 0), &p));
  ExpectUpright(p, 1, false, "orientation 9");
}

TEST(JpegDecode, ColourSpacesAndEncodings) {
  const struct {
    Encoding encoding;
    const char* name;
  } cases[] = {{kProgressive, "progressive"}, {kRestarts, "restart markers"}, {kGray, "grayscale"},
               {kAdobeCmyk, "Adobe CMYK"},    {kPlainCmyk, "plain CMYK"},     {kYcck, "YCCK"}};
  for (const auto& c : cases) {
    const Bytes jpeg = EncodeQuadrants(80, 64, c.encoding);
    UprightPixels p;
    ASSERT_EQ(JpegOutcome_EN::kDecoded, DecodeJpegUpright(jpeg.data(), jpeg.size(), 6, Target(kJpegThumbnail, 16, 20), &p)) << c.name;
    EXPECT_EQ(2, p.scaleEighths) << c.name;
    EXPECT_EQ(16, p.width) << c.name;
    ExpectUpright(p, 6, c.encoding == kGray, c.name);
  }
}

TEST(JpegDecode, DamagedDataShowsWhatWasDecodedAndNeverFaults) {
  for (Encoding encoding : {kBaseline, kProgressive}) {
    const Bytes whole = EncodeQuadrants(64, 64, encoding);
    // Cut off halfway through the data of the last scan: the picture keeps
    // its size and what arrived.
    std::size_t scan = whole.size() - 2;
    while (scan > 0 && !(whole[scan] == 0xFF && whole[scan + 1] == 0xDA)) --scan;
    const std::size_t data = scan + 2 + (static_cast<std::size_t>(whole[scan + 2]) << 8 | whole[scan + 3]);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(data + (whole.size() - data) / 2));
    UprightPixels p;
    ASSERT_EQ(JpegOutcome_EN::kDecoded, DecodeJpegUpright(cut.data(), cut.size(), 1, Target(kJpegFullSize, 0, 0), &p)) << encoding;
    EXPECT_FALSE(p.complete);
    EXPECT_EQ(64, p.width);
    EXPECT_EQ(64, p.height);
    if (encoding == kBaseline) {
      EXPECT_TRUE(Near(kCorners[0], PixelAt(p, 8, 8)));
    }
    // Scribbled over: decoded or refused, within bounds either way.
    Bytes scribbled = whole;
    std::srand(7);
    for (int i = 0; i < 200; ++i) {
      const std::size_t at = whole.size() / 3 + static_cast<std::size_t>(std::rand()) % (whole.size() / 2);
      scribbled[at] = static_cast<unsigned char>(std::rand());
    }
    if (DecodeJpegUpright(scribbled.data(), scribbled.size(), 6, Target(kJpegThumbnail, 16, 16), &p) ==
        JpegOutcome_EN::kDecoded) {
      EXPECT_EQ(p.bgra.size(), static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height) * 4);
    }
  }
  // No JPEG at all: refused, with nothing left behind.
  const Bytes notJpeg = {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
  UprightPixels p;
  EXPECT_EQ(JpegOutcome_EN::kNotAccepted, DecodeJpegUpright(notJpeg.data(), notJpeg.size(), 1, Target(kJpegFullSize, 0, 0), &p));
  EXPECT_TRUE(p.bgra.empty());
  EXPECT_EQ(0, p.width);
  EXPECT_EQ(JpegOutcome_EN::kNotAccepted, DecodeJpegUpright(nullptr, 0, 1, Target(kJpegFullSize, 0, 0), &p));
  const Bytes small = EncodeQuadrants(8, 8, kBaseline);
  const Bytes headerOnly(small.begin(), small.begin() + 20);
  EXPECT_EQ(JpegOutcome_EN::kNotAccepted, DecodeJpegUpright(headerOnly.data(), headerOnly.size(), 1, Target(kJpegFullSize, 0, 0), &p));
}

TEST(JpegDecode, LimitsApplyToThePictureAtTheChosenScaleAndSayWhichWasMet) {
  // A panorama of 320 megapixels: its thumbnail, at 1/8, is 5 megapixels.
  const Bytes panorama = WithStoredSize(EncodeQuadrants(16, 16, kBaseline), 20000, 16000);
  UprightPixels p;
  ASSERT_EQ(JpegOutcome_EN::kDecoded,
            DecodeJpegUpright(panorama.data(), panorama.size(), 1, Target(kJpegThumbnail, 192, 144), &p));
  EXPECT_EQ(1, p.scaleEighths);
  EXPECT_EQ(2500, p.width);
  EXPECT_EQ(2000, p.height);
  EXPECT_EQ(JpegOutcome_EN::kTooManyPixels,
            DecodeJpegUpright(panorama.data(), panorama.size(), 1, Target(kJpegFullSize, 0, 0), &p));
  EXPECT_TRUE(p.bgra.empty());
  // Allowed its pixels, the full size still needs more memory than a photo
  // may have; the thumbnail does not.
  JpegLimits manyPixels;
  manyPixels.maxPixels = 1ull << 30;
  EXPECT_EQ(JpegOutcome_EN::kTooMuchMemory,
            DecodeJpegUpright(panorama.data(), panorama.size(), 1, Target(kJpegFullSize, 0, 0), &p, manyPixels));

  // Progressive, the decoder keeps every coefficient whatever the scale.
  const Bytes progressive = WithStoredSize(EncodeQuadrants(16, 16, kProgressive), 20000, 16000);
  EXPECT_EQ(JpegOutcome_EN::kTooMuchMemory,
            DecodeJpegUpright(progressive.data(), progressive.size(), 1, Target(kJpegThumbnail, 192, 144), &p));
  EXPECT_TRUE(p.bgra.empty());

  const Bytes endless = WithLastScanRepeated(EncodeQuadrants(64, 64, kProgressive), 300);
  EXPECT_EQ(JpegOutcome_EN::kTooManyScans,
            DecodeJpegUpright(endless.data(), endless.size(), 1, Target(kJpegThumbnail, 16, 16), &p));
  JpegLimits manyScans;
  manyScans.maxScans = 1000;
  EXPECT_EQ(JpegOutcome_EN::kDecoded,
            DecodeJpegUpright(endless.data(), endless.size(), 1, Target(kJpegThumbnail, 16, 16), &p, manyScans));
}

TEST(JpegDecode, SamplePhotosDecodeUprightAtTheScaleTheCellNeeds) {
  const std::vector<ManifestRow> rows = LoadManifest();
  ASSERT_GE(rows.size(), 90u);
  int decoded = 0;
  for (const ManifestRow& row : rows) {
    const Bytes bytes = ReadBytes(CorpusFile(row.at("file")));
    const int orientation = ReadOrientation(bytes.data(), bytes.size());
    UprightPixels p;
    const JpegOutcome_EN outcome =
        DecodeJpegUpright(bytes.data(), bytes.size(), orientation, Target(kJpegThumbnail, 192, 144), &p);
    const std::string& verdict = row.at("decode");
    if (verdict.compare(0, 5, "error") == 0) {
      // Broken, not too large: another decoder may still try it.
      EXPECT_EQ(JpegOutcome_EN::kNotAccepted, outcome) << row.at("file");
      continue;
    }
    ASSERT_EQ(JpegOutcome_EN::kDecoded, outcome) << row.at("file");
    ++decoded;
    EXPECT_EQ(verdict == "ok", p.complete) << row.at("file");
    // Upright: the stored size turned when the Orientation says so (a value
    // outside 1..8 is shown as stored), then scaled.
    const bool turned = orientation >= 5;
    const int uw = std::atoi(row.at(turned ? "height" : "width").c_str());
    const int uh = std::atoi(row.at(turned ? "width" : "height").c_str());
    EXPECT_EQ((uw * p.scaleEighths + 7) / 8, p.width) << row.at("file");
    EXPECT_EQ((uh * p.scaleEighths + 7) / 8, p.height) << row.at("file");
    EXPECT_EQ(JpegScaleEighths(uw, uh, Target(kJpegThumbnail, 192, 144)), p.scaleEighths) << row.at("file");
    if (p.scaleEighths > 1) {
      // One step smaller would not have covered the cell's drawn part.
      const int m = p.scaleEighths - 1;
      const bool portrait = uw < uh;
      EXPECT_TRUE(portrait ? (uh * m + 7) / 8 < 144 : (uw * m + 7) / 8 < 192 || (uh * m + 7) / 8 < uh * 192 / uw)
          << row.at("file");
    }
  }
  EXPECT_GT(decoded, 85);
}

}  // namespace
