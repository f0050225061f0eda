#include <gtest/gtest.h>

#include <string>

#include "version_file.h"

namespace {

bool Parse(const std::string& body, VersionFileInfo* info) {
  return ParseVersionFile(reinterpret_cast<const unsigned char*>(body.data()), body.size(), info);
}

}  // namespace

TEST(VersionFile, SplitsVersionSkippedBytesAddressAndFinalLineBreak) {
  VersionFileInfo info;
  ASSERT_TRUE(Parse("1.0.3.0\r\nhttp://www.snapvane.example/Snapvane/\r\n", &info));
  EXPECT_EQ(L"1.0.3.0", info.published);
  EXPECT_EQ(L"http://www.snapvane.example/Snapvane/", info.siteAddress);
}

TEST(VersionFile, LineBreaksAndBlanksThatPadTheVersionFieldAreDropped) {
  VersionFileInfo info;
  ASSERT_TRUE(Parse("1.0.2\r\nxxhttp://a/\r\n", &info));
  EXPECT_EQ(std::wstring(L"1.0.2"), info.published);
  EXPECT_EQ(L"http://a/", info.siteAddress);
  for (const char* body : {"1.0.2  \r\nhttp://a/\r\n", "1.0.2\t\n\r\nhttp://a/\r\n",
                           "1.0.2 \r\r\nhttp://a/\r\n"}) {
    ASSERT_TRUE(Parse(body, &info));
    EXPECT_EQ(std::wstring(L"1.0.2"), info.published) << body;
  }
  // Only trailing ones: a blank inside stays.
  ASSERT_TRUE(Parse("1.0 2.0\r\nhttp://a/\r\n", &info));
  EXPECT_EQ(std::wstring(L"1.0 2.0"), info.published);
}

TEST(VersionFile, VersionStopsAtANulByte) {
  VersionFileInfo info;
  ASSERT_TRUE(Parse(std::string("1.0\0abcd\r\nhttp://a/\r\n", 20), &info));
  EXPECT_EQ(L"1.0", info.published);
}

TEST(VersionFile, BytesBecomeOneCharacterEach) {
  VersionFileInfo info;
  ASSERT_TRUE(Parse("\xE9\x31.0.0.0\r\nhttp://a/\xFF\r\n", &info));
  EXPECT_EQ(static_cast<wchar_t>(0xE9), info.published[0]);
  EXPECT_EQ(static_cast<wchar_t>(0xFF), info.siteAddress.back());
}

TEST(VersionFile, AnHtmlPageCountsAsVersionZero) {
  VersionFileInfo info;
  ASSERT_TRUE(Parse("<html><body>404 Not Found</body></html>\r\n", &info));
  EXPECT_EQ(L"0.0.0.0", info.published);
}

TEST(VersionFile, ShorterThanElevenBytesHoldsNoFields) {
  VersionFileInfo info;
  info.published = L"kept";
  EXPECT_FALSE(Parse("1.0.3.0\r\nh", &info));  // 10 bytes
  EXPECT_FALSE(Parse("", &info));
  EXPECT_FALSE(ParseVersionFile(nullptr, 20, &info));
  EXPECT_EQ(L"kept", info.published);
  ASSERT_TRUE(Parse("1.0.3.0\r\n\r\n", &info));  // exactly 11: an empty address
  EXPECT_EQ(L"", info.siteAddress);
}

TEST(VersionFile, UsableLengthsAreElevenBytesTo64KiB) {
  EXPECT_FALSE(IsUsableContentLength(-1));  // no Content-Length
  EXPECT_FALSE(IsUsableContentLength(-2));
  EXPECT_FALSE(IsUsableContentLength(0));
  EXPECT_FALSE(IsUsableContentLength(5));
  EXPECT_FALSE(IsUsableContentLength(10));
  EXPECT_TRUE(IsUsableContentLength(11));
  EXPECT_TRUE(IsUsableContentLength(65536));
  EXPECT_FALSE(IsUsableContentLength(65537));
  EXPECT_FALSE(IsUsableContentLength(2147483647));
}

TEST(VersionCompare, ByCharacterCodesAndTheShorterTextIsSmaller) {
  EXPECT_TRUE(IsInstalledVersionOlder(L"1.0.2", L"1.0.3.0"));
  EXPECT_FALSE(IsInstalledVersionOlder(L"1.0.2", L"0.9.9.9"));
  EXPECT_FALSE(IsInstalledVersionOlder(L"1.0.2", L"1.0.2"));
  EXPECT_TRUE(IsInstalledVersionOlder(L"1.0.2", L"1.0.2.0"));
  EXPECT_FALSE(IsInstalledVersionOlder(L"1.0.2", L"0.0.0.0"));
  EXPECT_FALSE(IsInstalledVersionOlder(L"1.0.2", L""));
  // Not numeric: "1.0.10" sorts before "1.0.2".
  EXPECT_FALSE(IsInstalledVersionOlder(L"1.0.2", L"1.0.10"));
  EXPECT_TRUE(IsInstalledVersionOlder(L"1.0.2", std::wstring(1, static_cast<wchar_t>(0xE9))));
}

TEST(SiteAddress, OnlyPlainWebAddressesMayBeOpened) {
  EXPECT_TRUE(IsOpenableSiteAddress(L"http://www.snapvane.example/Snapvane/"));
  EXPECT_TRUE(IsOpenableSiteAddress(L"https://www.snapvane.example/dl?v=1.0.3&x=%20"));
  EXPECT_TRUE(IsOpenableSiteAddress(L"HTTP://127.0.0.1:8080/"));

  EXPECT_FALSE(IsOpenableSiteAddress(L""));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http:///etc/passwd"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"file:///C:/Windows/system32/calc.exe"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"C:\\Windows\\system32\\calc.exe"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"\\\\server\\share\\setup.exe"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"calc.exe"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"ftp://a/"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"javascript:alert(1)"));
  EXPECT_FALSE(IsOpenableSiteAddress(L" http://a/"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://a/\r\nb"));
  EXPECT_FALSE(IsOpenableSiteAddress(std::wstring(L"http://a/\0b", 11)));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://a/\x7F"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://a/\x85"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://a/ b"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://a/\" --new-window \"file:///c:/"));
  EXPECT_FALSE(IsOpenableSiteAddress(L"http://a/\x3000"));
}

TEST(NoticeText, NamesBothVersionsWithTheFullWidthSpacesAndParentheses) {
  EXPECT_EQ(std::wstring(L"最新のバージョン1.0.3.0が公開されています。\r\n"
                         L"サイトへ移動しますか？\r\n\r\n"
                         L"\x3000（現在インストールされているバージョンは1.0.2です。）\r\n"),
            MakeNoticeText(L"1.0.2", L"1.0.3.0"));
}
