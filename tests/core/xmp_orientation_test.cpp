// A turn keeps the XMP packet's tiff:Orientation in step with the Exif value
// where it can be rewritten in place, and otherwise leaves it alone.
#include <gtest/gtest.h>

#include <string>

#include "jpeg_builder.h"
#include "orientation.h"
#include "photo_file.h"

namespace {

const char kRdfOpen[] =
    "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
    "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>";
const char kRdfClose[] = "</rdf:RDF></x:xmpmeta>";

std::string Packet(const std::string& description) {
  return std::string(kRdfOpen) + description + kRdfClose + std::string(200, ' ');
}

// A photo with an Exif Orientation of 1 ahead of the packet; *exifAt is the
// offset of the Exif value field.
Bytes PhotoWithXmp(bool bigEndian, const std::string& packet, std::uint32_t* exifAt) {
  std::uint32_t tiffAt = 0;
  JpegBuilder b;
  b.Soi().App1Exif(bigEndian, {{274, 3, 1, 1}}, {}, &tiffAt).App1Xmp(packet).Sos();
  *exifAt = tiffAt + 8 + 2 + 8;
  return b.Data();
}

class XmpTurn : public ::testing::Test {
 protected:
  std::wstring Write(const Bytes& bytes) {
    const std::wstring path = dir.Join(L"photo.jpg");
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  TempDir dir;
};

// '$' marks where the digit 1 stands in each packet.
TEST_F(XmpTurn, OneDigitIsWrittenWithTheExifValueWhateverTheForm) {
  const char* forms[] = {
      // Attribute, the usual prefix.
      "<rdf:Description rdf:about='' xmlns:tiff=\"http://ns.adobe.com/tiff/1.0/\" "
      "tiff:Orientation=\"$\"/>",
      // Attribute, another prefix, single quotes, spaces around '='.
      "<rdf:Description rdf:about=''\n   xmlns:t='http://ns.adobe.com/tiff/1.0/'\n   t:Orientation = '$'/>",
      // Element text padded with whitespace.
      "<rdf:Description rdf:about='' xmlns:tiff='http://ns.adobe.com/tiff/1.0/'>\n"
      "  <tiff:Orientation>\n   $\n  </tiff:Orientation >\n</rdf:Description>",
      // Element, another prefix, beside a prefix that ends the same way.
      "<rdf:Description xmlns:xtiff='http://example.com/' xmlns:tiff2='http://ns.adobe.com/tiff/1.0/'>"
      "<xtiff:Orientation>3</xtiff:Orientation><tiff2:Orientation>$</tiff2:Orientation>"
      "</rdf:Description>",
  };
  for (bool bigEndian : {false, true}) {
    for (const char* form : forms) {
      std::uint32_t exifAt = 0;
      Bytes original = PhotoWithXmp(bigEndian, Packet(form), &exifAt);
      const std::size_t digitAt = std::string(original.begin(), original.end()).find('$');
      ASSERT_NE(std::string::npos, digitAt);
      original[digitAt] = '1';
      const std::wstring path = Write(original);

      TurnReport report;
      ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), &report)) << form;
      EXPECT_EQ(kXmpDigit, report.xmpForm) << form;
      EXPECT_EQ(1u, report.xmpOldValue);
      EXPECT_EQ(1u, report.xmpBytesWritten);
      Bytes expected = original;
      expected[exifAt + (bigEndian ? 1 : 0)] = 6;
      expected[digitAt] = '6';
      EXPECT_EQ(expected, ReadBytes(path)) << form << " bigEndian " << bigEndian;
    }
  }
}

TEST_F(XmpTurn, OtherFormsAreLeftAloneAndReported) {
  struct Case {
    const char* description;
    XmpOrientationForm_EN form;
  } cases[] = {
      {"<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/'><tiff:Orientation "
       "rdf:parseType='Resource'><rdf:value>1</rdf:value></tiff:Orientation></rdf:Description>",
       kXmpOtherForm},
      {"<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='10'/>", kXmpOtherForm},
      {"<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='1'/>"
       "<rdf:Description xmlns:t='http://ns.adobe.com/tiff/1.0/'><t:Orientation>6</t:Orientation>"
       "</rdf:Description>",
       kXmpOtherForm},
      // The prefix bound to another namespace is not the tiff Orientation.
      {"<rdf:Description xmlns:tiff='http://example.com/tiff/' tiff:Orientation='1'/>", kXmpNoOrientation},
  };
  for (const Case& c : cases) {
    std::uint32_t exifAt = 0;
    const Bytes original = PhotoWithXmp(false, Packet(c.description), &exifAt);
    const std::wstring path = Write(original);
    TurnReport report;
    ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), &report)) << c.description;
    EXPECT_EQ(c.form, report.xmpForm) << c.description;
    EXPECT_EQ(0u, report.xmpBytesWritten);
    Bytes expected = original;
    expected[exifAt] = 6;
    EXPECT_EQ(expected, ReadBytes(path)) << c.description;
  }
}

TEST_F(XmpTurn, PhotoWithOnlyXmpIsNotTurned) {
  JpegBuilder b;
  b.Soi().App1Xmp(Packet("<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='6'/>"))
      .Sos();
  const std::wstring path = Write(b.Data());
  TurnReport report;
  EXPECT_EQ(E_FAIL, TurnPhoto(path, kTurnLeft, TurnOptions(), &report));
  EXPECT_FALSE(report.hasOrientation);
  EXPECT_EQ(kXmpDigit, report.xmpForm);
  EXPECT_EQ(6u, report.xmpOldValue);
  EXPECT_EQ(b.Data(), ReadBytes(path));
}

std::wstring g_changedPath;
std::size_t g_changedAt = 0;
void ChangeXmpDigit(const std::wstring& path) {
  Bytes bytes = ReadBytes(path);
  bytes[g_changedAt] = '3';
  WriteBytes(path, bytes);
}

TEST_F(XmpTurn, DigitChangedBeforeTheExclusiveOpenStopsTheWholeTurn) {
  std::uint32_t exifAt = 0;
  const Bytes original = PhotoWithXmp(
      true, Packet("<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='1'/>"),
      &exifAt);
  const std::wstring path = Write(original);
  g_changedAt = std::string(original.begin(), original.end()).find("Orientation='1'") + 13;
  SetTurnRaceHookForTests(ChangeXmpDigit);
  const HRESULT hr = TurnPhoto(path, kTurnRight, TurnOptions(), nullptr);
  SetTurnRaceHookForTests(nullptr);
  EXPECT_EQ(E_FAIL, hr);
  Bytes expected = original;
  expected[g_changedAt] = '3';
  EXPECT_EQ(expected, ReadBytes(path));
}

}  // namespace
