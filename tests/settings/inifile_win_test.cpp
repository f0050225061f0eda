#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app_settings.h"
#include "inifile.h"
#include "test_files.h"

namespace {

// Points the process-wide settings object at a fresh file for each test.
class InifileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.Join(L"Snapvane.ini");
    g_inifile.SetPath(path);
  }
  void TearDown() override { g_inifile.SetPath(L""); }

  void WriteRaw(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()));
  }

  TempDir dir;
  std::wstring path;
};

const Bytes kBom = {0xFF, 0xFE};

bool ContainsUtf16(const Bytes& bytes, const std::wstring& text) {
  std::string needle;
  for (wchar_t c : text) {
    needle += static_cast<char>(c & 0xFF);
    needle += static_cast<char>((c >> 8) & 0xFF);
  }
  return std::string(bytes.begin(), bytes.end()).find(needle) != std::string::npos;
}

}  // namespace

TEST_F(InifileTest, ANewFileHoldsExactlyTheByteOrderMarkAndStaysUtf16) {
  EXPECT_EQ(ReadBytes(path), kBom);
  g_inifile.WriteString(L"APP_INFO", L"名前", L"写真");
  const Bytes bytes = ReadBytes(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_TRUE(ContainsUtf16(bytes, L"[APP_INFO]"));
  EXPECT_EQ(g_inifile.ReadString(L"app_info", L"名前", L""), L"写真");
}

TEST_F(InifileTest, AnExistingFileIsLeftUntouched) {
  const Bytes ansi = {'[', 'A', ']', '\r', '\n', 'k', '=', '1', '\r', '\n'};
  const std::wstring other = dir.Join(L"other.ini");
  ASSERT_TRUE(WriteBytes(other, ansi));
  g_inifile.SetPath(other);
  EXPECT_EQ(ReadBytes(other), ansi);
}

TEST_F(InifileTest, IntegersRoundTripIncludingNegatives) {
  g_inifile.WriteInt(L"APP_SETTING", L"n", -5);
  EXPECT_EQ(g_inifile.ReadString(L"APP_SETTING", L"n", L""), L"-5");
  EXPECT_EQ(g_inifile.ReadInt(L"APP_SETTING", L"n", 0), -5);
  g_inifile.WriteInt(L"APP_SETTING", L"n", INT32_MIN);
  EXPECT_EQ(g_inifile.ReadInt(L"APP_SETTING", L"n", 0), INT32_MIN);
}

TEST_F(InifileTest, MissingOrEmptyValuesGiveTheDefault) {
  EXPECT_EQ(g_inifile.ReadInt(L"VERSION", L"notify", 7), 7);
  WriteRaw(L"VERSION", L"notify", L"");
  EXPECT_EQ(g_inifile.ReadInt(L"VERSION", L"notify", 7), 7);
  EXPECT_EQ(g_inifile.ReadString(L"VERSION", L"missing", L"dflt"), L"dflt");
  WriteRaw(L"VERSION", L"notify", L"  12  ");
  EXPECT_EQ(g_inifile.ReadInt(L"VERSION", L"notify", 7), 12);
}

TEST_F(InifileTest, ALongValueIsCutToTheReadBuffer) {
  g_inifile.WriteString(L"Window", L"SpliterRect", std::wstring(5000, L'x'));
  const std::wstring read = g_inifile.ReadString(L"Window", L"SpliterRect", L"");
  EXPECT_EQ(read, std::wstring(Inifile_CL::kReadBufferChars - 1, L'x'));
}

TEST_F(InifileTest, StructValuesNeedTheRightLengthAndChecksum) {
  const RECT stored = {0, 0, 672, 810};
  g_inifile.WriteStruct(L"Window", L"WindowRect", &stored, sizeof stored);
  std::wstring text = g_inifile.ReadString(L"Window", L"WindowRect", L"");
  EXPECT_EQ(text, L"0000000000000000A00200002A030000CF");

  RECT read = {1, 2, 3, 4};
  ASSERT_TRUE(g_inifile.ReadStruct(L"Window", L"WindowRect", &read, sizeof read));
  EXPECT_TRUE(EqualRect(&read, &stored));

  text[20] = L'3';  // one hex digit changed
  WriteRaw(L"Window", L"WindowRect", text);
  RECT untouched = {1, 2, 3, 4};
  EXPECT_FALSE(g_inifile.ReadStruct(L"Window", L"WindowRect", &untouched, sizeof untouched));
  EXPECT_EQ(untouched.left, 1);

  char twoBytes[2];
  EXPECT_FALSE(g_inifile.ReadStruct(L"Window", L"WindowRect", twoBytes, sizeof twoBytes));
  WriteRaw(L"Window", L"WindowRect", std::wstring(L"0000000000000000A00200002A030000CF") + L"0000");
  EXPECT_FALSE(g_inifile.ReadStruct(L"Window", L"WindowRect", &read, sizeof read));
}

TEST_F(InifileTest, WithoutAPathReadsGiveDefaultsAndWritesGoNowhere) {
  g_inifile.SetPath(L"");
  EXPECT_FALSE(g_inifile.WriteInt(L"APP_INFO", L"rand_seed", 5));
  EXPECT_EQ(g_inifile.ReadInt(L"APP_INFO", L"rand_seed", 9), 9);
  EXPECT_EQ(g_inifile.ReadString(L"APP_INFO", L"rand_seed", L"d"), L"d");
  g_inifile.SetPath(path);
  EXPECT_EQ(ReadBytes(path), kBom);
}

TEST_F(InifileTest, RandomSeedIsStirredWithWrapAroundAndCatalogueDefaultsHold) {
  EXPECT_EQ(LoadWindowTopMost() + LoadNotifySetting() + LoadLastCheckDay() + LoadForceCheck(), 0);
  EXPECT_EQ(StirRandomSeed(1000), 1000);  // first start: the tick count itself
  EXPECT_EQ(g_inifile.ReadInt(L"APP_INFO", L"rand_seed", 0), 1000);
  g_inifile.WriteInt(L"APP_INFO", L"rand_seed", 2147483647);
  EXPECT_EQ(StirRandomSeed(1), INT32_MIN);
  EXPECT_EQ(g_inifile.ReadString(L"APP_INFO", L"rand_seed", L""), L"-2147483648");
}
