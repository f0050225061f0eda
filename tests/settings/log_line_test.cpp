#include <gtest/gtest.h>

#include <string>

#include "log_line.h"

namespace {

LogTime SampleTime() {
  LogTime t;
  t.year = 2026;
  t.month = 12;
  t.day = 6;
  t.hour = 8;
  t.minute = 3;
  t.second = 37;
  t.milliseconds = 7;
  return t;
}

}  // namespace

TEST(LogLine, TimeStampIsZeroPaddedAndTwentySixCharactersLong) {
  EXPECT_EQ(FormatLogTimestamp(SampleTime()), L"2026/12/06 08:03:37.007 : ");
  // The start banner begins with a line break, leaving the stamp on its own line.
  const std::wstring banner = MakeLogLine(SampleTime(), L"\r\n\x2605 アプリ起動");
  EXPECT_EQ(banner.substr(0, 28), L"2026/12/06 08:03:37.007 : \r\n");
}

TEST(LogLine, MessagesAreCutAt1039CharactersNeverInsideASurrogatePair) {
  const LogTime t = SampleTime();
  EXPECT_EQ(MakeLogLine(t, std::wstring(1039, L'a')).size(), 26u + 1039u);
  EXPECT_EQ(MakeLogLine(t, std::wstring(100000, L'a')).size(), 26u + 1039u);
  std::wstring message(1038, L'a');
  message += static_cast<wchar_t>(0xD83D);  // the pair straddles the limit
  message += static_cast<wchar_t>(0xDE00);
  EXPECT_EQ(MakeLogLine(t, message).size(), 26u + 1038u);
}

TEST(LogLine, EncodesUtf16LittleEndianWithCrLf) {
  EXPECT_EQ(EncodeLogLine(L"A\x3042"), std::string("A\0\x42\x30\r\0\n\0", 8));
  if constexpr (sizeof(wchar_t) == 4) {
    const std::wstring beyondBmp(1, static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(EncodeLogLine(beyondBmp), std::string("\x3D\xD8\x00\xDE\r\0\n\0", 8));
  }
}
