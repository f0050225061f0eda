#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "log_file.h"
#include "test_files.h"

namespace {

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.Join(L"log.txt");
    log.SetPath(path);
  }

  // A file of `size` bytes without writing them all.
  void MakeFileOfSize(LONGLONG size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER at;
    at.QuadPart = size;
    EXPECT_TRUE(SetFilePointerEx(file, at, NULL, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
  }

  LONGLONG FileSize() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  std::wstring Text() {
    const Bytes bytes = ReadBytes(path);
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return text;
  }

  TempDir dir;
  std::wstring path;
  LogFile log;
};

const std::size_t kStampChars = 26;
const std::size_t kEntryOverhead = 2 * (kStampChars + 2);  // time stamp and CR LF, in bytes

}  // namespace

TEST_F(LogFileTest, TheFirstEntryStartsTheFileWithTheByteOrderMarkOnlyOnce) {
  log.Write(L"DataFolderPath = \"%s\"", L"C:\\写真\\Snapvane");
  log.Write(L"second %d", 2);
  const std::wstring text = Text();
  ASSERT_GE(text.size(), 1u);
  EXPECT_EQ(text[0], 0xFEFF);
  EXPECT_EQ(text.find(0xFEFF, 1), std::wstring::npos);
  EXPECT_NE(text.find(L" : DataFolderPath = \"C:\\写真\\Snapvane\"\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L" : second 2\r\n"), std::wstring::npos);
  EXPECT_EQ(text.substr(1 + 4, 1), L"/");
  EXPECT_EQ(text.substr(1 + 23, 3), L" : ");
}

TEST_F(LogFileTest, AFileOfExactly32MiBIsAppendedTo) {
  MakeFileOfSize(LogFile::kMaxSize);
  log.WriteMessage(L"x");
  EXPECT_EQ(FileSize(), LogFile::kMaxSize + static_cast<LONGLONG>(kEntryOverhead + 2));
}

TEST_F(LogFileTest, AFileOneByteOver32MiBIsEmptiedAndStartsAgain) {
  MakeFileOfSize(LogFile::kMaxSize + 1);
  log.WriteMessage(L"x");
  const Bytes bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 2 + kEntryOverhead + 2);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(Text().substr(1 + kStampChars), L"x\r\n");
}

TEST_F(LogFileTest, MessagesLongerThanTheLimitAreCut) {
  const std::wstring huge(5000, L'a');
  log.Write(L"%s", huge.c_str());
  EXPECT_EQ(FileSize(), static_cast<LONGLONG>(2 + kEntryOverhead + 2 * kLogMessageMaxChars));
}

TEST_F(LogFileTest, AnEntryBeforeThePathIsSetIsDropped) {
  LogFile unset;
  unset.Write(L"lost %d", 1);
  unset.WriteMessage(L"lost");
  EXPECT_EQ(GetFileAttributesW(L""), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FileSize(), -1);
}

TEST(FormatErrorMessage, GivesOneLineForAKnownCodeAndNothingForAnUnknownOne) {
  const std::wstring known = FormatErrorMessage(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(known.empty());
  EXPECT_EQ(known.find(L'\n'), std::wstring::npos);
  EXPECT_EQ(FormatErrorMessage(0x2FFFFFFFu), L"");

  // A system text with inserts ("%1 is not a valid application") comes back
  // with the inserts as they are: there are no arguments to put in.
  for (DWORD code = 1; code < 16000; ++code) {
    wchar_t* raw = NULL;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   NULL, code, 0, reinterpret_cast<wchar_t*>(&raw), 0, NULL);
    const bool hasInsert = n != 0 && raw != NULL && std::wstring(raw, n).find(L"%1") != std::wstring::npos;
    if (raw != NULL) LocalFree(raw);
    if (!hasInsert) continue;
    EXPECT_NE(FormatErrorMessage(code).find(L"%1"), std::wstring::npos) << code;
    return;
  }
  GTEST_SKIP() << "this system has no message text with an insert";
}
