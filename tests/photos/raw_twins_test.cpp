// A JPEG's raw twins turn with it when they showed the same way, and XMP
// sidecars beside a turned file follow its value.
#include "raw_twins.h"

#include <gtest/gtest.h>

#include "byte_order.h"
#include "jpeg_builder.h"
#include "tiff_builder.h"
#include "xmp_sidecar.h"

namespace {

std::uint32_t TiffValue(const Bytes& file, bool bigEndian) { return Load16(&file[kFirstValueAt], bigEndian); }

TEST(RawTwins, TwinsWithTheJpegsValueTurnWithItOthersAreLeftAndNamed) {
  TempDir dir;
  const std::wstring jpeg = dir.Join(L"IMG_0042.JPG");
  ASSERT_TRUE(WriteBytes(jpeg, OrientationJpeg(false, 1)));
  // Same value in either byte order and extension case: turned.
  const Bytes cr2 = TiffFile(false, {{274, 3, 1, 1}});
  const Bytes dng = TiffFile(true, {{274, 3, 1, 1}});
  // Turned by someone else before, or without an entry: left alone.
  const Bytes nef = TiffFile(false, {{274, 3, 1, 8}});
  const Bytes orf = TiffFile(false, {{256, 4, 1, 4000}});
  ASSERT_TRUE(WriteBytes(dir.Join(L"IMG_0042.cr2"), cr2));
  ASSERT_TRUE(WriteBytes(dir.Join(L"img_0042.DNG"), dng));
  ASSERT_TRUE(WriteBytes(dir.Join(L"IMG_0042.NEF"), nef));
  ASSERT_TRUE(WriteBytes(dir.Join(L"IMG_0042.orf"), orf));
  // Not twins: another name, a JPEG, a TIFF, a name that only starts alike.
  const Bytes other = TiffFile(false, {{274, 3, 1, 1}});
  for (const wchar_t* name : {L"IMG_0043.CR2", L"IMG_0042.tif", L"IMG_0042.jpeg", L"IMG_00421.CR2",
                              L"IMG_0042.CR2.bak"}) {
    ASSERT_TRUE(WriteBytes(dir.Join(name), other));
  }
  // The raw files' sidecar, one digit: in step after the turn, once.
  const std::string packet =
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF><rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/'"
      " tiff:Orientation='1'/></rdf:RDF></x:xmpmeta>";
  const std::wstring sidecar = dir.Join(L"IMG_0042.xmp");
  ASSERT_TRUE(WriteBytes(sidecar, Bytes(packet.begin(), packet.end())));

  TurnStep step;
  const PhotoTurn turn = TurnPhotoAndTwins(jpeg, kTurnRight, TurnOptions(), true, step);
  ASSERT_EQ(S_OK, turn.hr);
  const std::vector<RawTwinTurn>& turns = turn.twins;
  ASSERT_EQ(4u, turns.size());
  std::vector<std::wstring> turned, leftAlone;
  for (const RawTwinTurn& t : turns) {
    (t.outcome == kTwinTurned ? turned : leftAlone).push_back(t.path);
    EXPECT_NE(kTwinFailed, t.outcome);
  }
  EXPECT_EQ((std::vector<std::wstring>{dir.Join(L"IMG_0042.cr2"), dir.Join(L"img_0042.DNG")}), turned);
  EXPECT_EQ((std::vector<std::wstring>{dir.Join(L"IMG_0042.NEF"), dir.Join(L"IMG_0042.orf")}), leftAlone);
  EXPECT_EQ(6u, TiffValue(ReadBytes(dir.Join(L"IMG_0042.cr2")), false));
  EXPECT_EQ(6u, TiffValue(ReadBytes(dir.Join(L"img_0042.DNG")), true));
  EXPECT_EQ(nef, ReadBytes(dir.Join(L"IMG_0042.NEF")));
  EXPECT_EQ(orf, ReadBytes(dir.Join(L"IMG_0042.orf")));
  for (const wchar_t* name : {L"IMG_0043.CR2", L"IMG_0042.tif", L"IMG_0042.jpeg", L"IMG_00421.CR2"}) {
    EXPECT_EQ(other, ReadBytes(dir.Join(name))) << name;
  }
  // What undo needs: each twin written, with its values and direction.
  ASSERT_EQ(2u, step.size());
  EXPECT_EQ(dir.Join(L"IMG_0042.cr2"), step[0].path);
  EXPECT_EQ(1u, step[0].valueBefore);
  EXPECT_EQ(6u, step[0].valueWritten);
  EXPECT_TRUE(step[0].clockwise);
  // NAME.xmp is the raw files': written by the first twin turned, found in
  // step by the next, never by the JPEG.
  Bytes expected(packet.begin(), packet.end());
  expected[packet.find("'1'") + 1] = '6';
  EXPECT_EQ(expected, ReadBytes(sidecar));
  EXPECT_EQ(0u, turn.report.sidecarsWritten);
  EXPECT_EQ(1u, turns[0].report.sidecarsWritten);
  EXPECT_EQ(0u, turns[1].report.sidecarsWritten);
  // Without the twins the JPEG turns alone, and leaves their sidecar.
  const Bytes cr2After = ReadBytes(dir.Join(L"IMG_0042.cr2"));
  ASSERT_EQ(S_OK, TurnPhotoAndTwins(jpeg, kTurnLeft, TurnOptions(), false, step).hr);
  EXPECT_EQ(expected, ReadBytes(sidecar));
  EXPECT_EQ(cr2After, ReadBytes(dir.Join(L"IMG_0042.cr2")));
  EXPECT_EQ(2u, step.size());

  // A JPEG without twins turns them not; a raw file has none.
  const std::wstring alone = dir.Join(L"P1.jpg");
  ASSERT_TRUE(WriteBytes(alone, OrientationJpeg(true, 6)));
  TurnStep none;
  EXPECT_TRUE(TurnRawTwins(alone, 6, kTurnLeft, TurnOptions(), none).empty());
  EXPECT_TRUE(FindRawTwins(dir.Join(L"IMG_0042.cr2")).empty());
  EXPECT_TRUE(none.empty());
}

TEST(XmpSidecars, ADigitFollowsTheTurnOtherFormsAreLeftAlone) {
  TempDir dir;
  const std::wstring photo = dir.Join(L"a.dng");
  ASSERT_TRUE(WriteBytes(photo, TiffFile(false, {{274, 3, 1, 6}})));
  const std::string element =
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF><rdf:Description xmlns:t='http://ns.adobe.com/tiff/1.0/'>"
      "<t:Orientation> 6 </t:Orientation></rdf:Description></rdf:RDF></x:xmpmeta>";
  const std::string longer =
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/'"
      " tiff:Orientation='06'/></x:xmpmeta>";
  const std::wstring named = dir.Join(L"a.dng.xmp");  // NAME.ext.xmp
  const std::wstring other = dir.Join(L"a.xmp");      // NAME.xmp, in a form not rewritten
  ASSERT_TRUE(WriteBytes(named, Bytes(element.begin(), element.end())));
  ASSERT_TRUE(WriteBytes(other, Bytes(longer.begin(), longer.end())));
  TurnReport report;
  ASSERT_EQ(S_OK, TurnPhoto(photo, kTurnLeft, TurnOptions(), &report));
  EXPECT_EQ(1u, report.sidecarsWritten);
  EXPECT_EQ(1u, report.sidecarsLeftAlone);
  Bytes expected(element.begin(), element.end());
  expected[element.find(" 6 ") + 1] = '1';
  EXPECT_EQ(expected, ReadBytes(named));
  EXPECT_EQ(Bytes(longer.begin(), longer.end()), ReadBytes(other));

  // A turn that fails leaves the sidecars too.
  const std::wstring refused = dir.Join(L"b.tif");
  ASSERT_TRUE(WriteBytes(refused, TiffFile(false, {{256, 4, 1, 1}})));
  const std::wstring refusedSidecar = dir.Join(L"b.xmp");
  ASSERT_TRUE(WriteBytes(refusedSidecar, Bytes(element.begin(), element.end())));
  EXPECT_TRUE(FAILED(TurnPhoto(refused, kTurnRight, TurnOptions(), &report)));
  EXPECT_EQ(Bytes(element.begin(), element.end()), ReadBytes(refusedSidecar));
}

}  // namespace
