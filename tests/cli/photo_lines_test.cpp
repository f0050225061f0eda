#include "photo_lines.h"

#include <gtest/gtest.h>

#include "json_text.h"
#include "progress_meter.h"

namespace {

TEST(JsonQuote, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ("\"C:\\\\a \\\"b\\\"\\\\c.jpg\"", JsonQuote(std::wstring(L"C:\\a \"b\"\\c.jpg")));
  EXPECT_EQ("\"a\\nb\\tc\\rd\\be\\ff\"", JsonQuote(std::wstring(L"a\nb\tc\rd\be\ff")));
  EXPECT_EQ("\"\\u0001\\u001f\\u007f/\"", JsonQuote(std::wstring(L"\x01\x1f\x7f/")));
  EXPECT_EQ("\"\"", JsonQuote(std::wstring()));
}

TEST(JsonQuote, WritesOtherCharactersAsUtf8) {
  // Japanese, an accented Latin letter and a character beyond the BMP.
  EXPECT_EQ("\"\xE5\x86\x99\xE7\x9C\x9F \xC3\xA9\xF0\x9F\x93\xB7.jpg\"",
            JsonQuote(std::wstring(L"\u5199\u771F \u00E9\U0001F4F7.jpg")));
  // An escape right after a multi-byte run, and a run right after an escape.
  EXPECT_EQ("\"\xE5\x86\x99\\\"\xE5\x86\x99\"", JsonQuote(std::wstring(L"\u5199\"\u5199")));
}

TEST(JsonQuote, KeepsUnpairedSurrogatesOfWindowsNamesAsEscapes) {
  if (sizeof(wchar_t) != 2) GTEST_SKIP() << "file names are UTF-16 only on Windows";
  std::wstring name = L"a";
  name += static_cast<wchar_t>(0xD800);
  name += L"b";
  name += static_cast<wchar_t>(0xDC01);
  EXPECT_EQ("\"a\\ud800b\\udc01\"", JsonQuote(name));
  std::wstring reversed;
  reversed += static_cast<wchar_t>(0xDC00);
  reversed += static_cast<wchar_t>(0xD800);
  EXPECT_EQ("\"\\udc00\\ud800\"", JsonQuote(reversed));
}

TEST(PhotoLines, InfoLinesSayNoneOrNullForWhatIsMissing) {
  InfoLine line;
  line.path = L"dir/a \"1\".jpg";
  line.byteOrder = "MM";
  line.hasOrientation = true;
  line.orientation = 6;
  line.offset = 48;
  EXPECT_EQ("dir/a \"1\".jpg\tMM\t6\t48\n", FormatInfoLine(line, false));
  EXPECT_EQ(
      "{\"path\": \"dir/a \\\"1\\\".jpg\", \"byteOrder\": \"MM\", \"orientation\": 6, \"offset\": "
      "48, \"xmpOrientation\": null, \"xmpRewritable\": null, \"xmpAgrees\": null}\n",
      FormatInfoLine(line, true));

  InfoLine bare;
  bare.path = L"notes.txt";
  EXPECT_EQ("notes.txt\tnone\tnone\tnone\n", FormatInfoLine(bare, false));
  EXPECT_EQ("{\"path\": \"notes.txt\", \"byteOrder\": null, \"orientation\": null, \"offset\": null, "
            "\"xmpOrientation\": null, \"xmpRewritable\": null, \"xmpAgrees\": null}\n",
            FormatInfoLine(bare, true));
}

TEST(PhotoLines, TurnLinesCarryValuesOrTheReason) {
  TurnLine ok;
  ok.path = L"a.jpg";
  ok.ok = true;
  ok.hasOld = ok.hasNew = true;
  ok.oldValue = 1;
  ok.newValue = 6;
  EXPECT_EQ("a.jpg\tok 1 -> 6\n", FormatTurnLine(ok, false));
  EXPECT_EQ("{\"path\": \"a.jpg\", \"ok\": true, \"old\": 1, \"new\": 6, \"error\": null, \"xmp\": null}\n",
            FormatTurnLine(ok, true));

  TurnLine failed;
  failed.path = L"b.jpg";
  failed.hasOld = true;
  failed.oldValue = 3;
  failed.error = "write-protected";
  EXPECT_EQ("b.jpg\tfailed: write-protected\n", FormatTurnLine(failed, false));
  EXPECT_EQ(
      "{\"path\": \"b.jpg\", \"ok\": false, \"old\": 3, \"new\": null, \"error\": "
      "\"write-protected\", \"xmp\": null}\n",
      FormatTurnLine(failed, true));
}

class RecordingConsole : public CliConsole_CL {
 public:
  void Out(const std::string& utf8) override { out += utf8; }
  void Err(const std::string& utf8) override {
    err += utf8;
    ++errLines;
  }
  std::string out, err;
  int errLines = 0;
};

TEST(ProgressMeter, SilentUpToThresholdThenTenLinesOnTheErrorStream) {
  RecordingConsole small;
  ProgressMeter_CL quiet(small, ProgressMeter_CL::kThreshold, "turned");
  for (std::size_t i = 1; i <= ProgressMeter_CL::kThreshold; ++i) quiet.Done(i);
  EXPECT_EQ(0, small.errLines);

  RecordingConsole large;
  ProgressMeter_CL meter(large, 1001, "turned");
  for (std::size_t i = 1; i <= 1001; ++i) meter.Done(i);
  EXPECT_EQ(10, large.errLines);
  EXPECT_TRUE(large.out.empty());
  EXPECT_NE(std::string::npos, large.err.find("turned 101 of 1001 photos (10%)\n"));
  EXPECT_NE(std::string::npos, large.err.find("turned 1001 of 1001 photos (100%)\n"));
}

}  // namespace
