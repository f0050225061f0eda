#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "app_settings.h"
#include "profile_value.h"

namespace {

struct Rect16 {
  std::int32_t left, top, right, bottom;
};

const wchar_t kDefaultWindowRect[] = L"0000000000000000A00200002A030000CF";

}  // namespace

TEST(ProfileInt, RoundTripsEverySignedValue) {
  EXPECT_EQ(FormatProfileInt(-5), L"-5");
  EXPECT_EQ(FormatProfileInt(INT32_MIN), L"-2147483648");
  for (std::int32_t v : {0, -5, INT32_MAX, INT32_MIN}) {
    std::int32_t read = 12345;
    ASSERT_TRUE(ParseProfileInt(FormatProfileInt(v), read));
    EXPECT_EQ(read, v);
  }
}

TEST(ProfileInt, EmptyTextKeepsTheDefaultAndOtherTextReadsAsThePlatformDoes) {
  std::int32_t value = 7;
  EXPECT_FALSE(ParseProfileInt(L"", value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(ParseProfileInt(L"abc", value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(ParseProfileInt(L"  42xyz", value));
  EXPECT_EQ(value, 42);
  EXPECT_TRUE(ParseProfileInt(L"4294967295", value));  // wraps like the platform
  EXPECT_EQ(value, -1);
}

TEST(StructValue, RoundTripsTheDefaultWindowRectangleAsStored) {
  const Rect16 rect = {0, 0, 672, 810};
  EXPECT_EQ(EncodeStructValue(&rect, sizeof rect), kDefaultWindowRect);
  Rect16 read = {1, 2, 3, 4};
  ASSERT_TRUE(DecodeStructValue(L"0000000000000000a00200002a030000cf", &read, sizeof read));
  EXPECT_EQ(std::memcmp(&rect, &read, sizeof rect), 0);
  const unsigned char bytes[] = {0xFF, 0xFF, 0x03};
  EXPECT_EQ(EncodeStructValue(bytes, sizeof bytes), L"FFFF0301");  // checksum modulo 256
}

TEST(StructValue, RejectsDamagedTextAndLeavesTheBufferAlone) {
  const Rect16 untouched = {11, 22, 33, 44};
  std::wstring oneDigitChanged = kDefaultWindowRect;
  oneDigitChanged[17] = L'B';  // A0 -> AB: the checksum no longer matches
  const std::wstring bad[] = {
      oneDigitChanged,
      std::wstring(kDefaultWindowRect).substr(0, 32),  // one byte short
      std::wstring(kDefaultWindowRect) + L"00",        // one byte too many
      L"0000000000000000A00200002A03000GCF",           // not a hex digit
      L"0000000000000000A00200002A030000C",            // odd length
      L"",
  };
  for (const std::wstring& text : bad) {
    Rect16 rect = untouched;
    EXPECT_FALSE(DecodeStructValue(text, &rect, sizeof rect)) << text.size() << " digits";
    EXPECT_EQ(std::memcmp(&rect, &untouched, sizeof rect), 0);
  }
}

TEST(RandomSeed, AddsTheTickCountWithWrapAround) {
  EXPECT_EQ(AddTickToSeed(2147483647, 1), INT32_MIN);
  EXPECT_EQ(AddTickToSeed(0, 123456), 123456);
  EXPECT_EQ(AddTickToSeed(5, 0xFFFFFFFFu), 4);
}
