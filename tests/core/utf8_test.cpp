#include "utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, RoundTripsJapaneseAndAstralCharacters) {
  const std::wstring text = L"写真\u00e9a\U0001F4F7.jpg";
  const std::string utf8 = WideToUtf8(text);
  EXPECT_EQ("\xE5\x86\x99\xE7\x9C\x9F\xC3\xA9" "a\xF0\x9F\x93\xB7.jpg", utf8);
  EXPECT_EQ(text, Utf8ToWide(utf8));
}

TEST(Utf8, BrokenSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(L"a\uFFFDb", Utf8ToWide("a\xE5\x86" "b"));
  EXPECT_EQ(L"\uFFFD", Utf8ToWide("\xC0\x80"));   // overlong
  EXPECT_EQ(L"\uFFFDx", Utf8ToWide("\xFFx"));
  EXPECT_EQ(L"\uFFFD", Utf8ToWide("\xED\xA0\x80"));      // a surrogate
}
