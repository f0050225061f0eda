// Start-up and the single-instance rule, with the real Snapvane.exe in a
// private documents folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "snapvane_process_win.h"
#include "test_files.h"

namespace {

const wchar_t kBanner[] = L"\r\n★★★★★ アプリ起動 ★★★★★";
const wchar_t kAlreadyRunning[] = L"多重起動チェックで既に起動中でした。";
const DWORD kStartTimeoutMs = 60000;

bool IsDigitAt(const std::wstring& s, size_t at) { return s[at] >= L'0' && s[at] <= L'9'; }

// "2026/12/06 08:03:37.123 : "
bool IsTimeStampAt(const std::wstring& s, size_t at) {
  static const wchar_t pattern[] = L"0000/00/00 00:00:00.000 : ";
  if (s.size() < at + 26) return false;
  for (size_t i = 0; i < 26; ++i) {
    if (pattern[i] == L'0') {
      if (!IsDigitAt(s, at + i)) return false;
    } else if (s[at + i] != pattern[i]) {
      return false;
    }
  }
  return true;
}

std::wstring DecodeUtf16(const Bytes& bytes, size_t from) {
  std::wstring text;
  for (size_t i = from; i + 1 < bytes.size(); i += 2) {
    text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
  }
  return text;
}

bool StartsWithByteOrderMark(const Bytes& bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

// The log's entries without their time stamps and line breaks. An entry
// starts with a time stamp at the start of a line and may span lines.
std::vector<std::wstring> LogEntries(const Bytes& bytes) {
  std::vector<std::wstring> entries;
  if (!StartsWithByteOrderMark(bytes)) return entries;
  const std::wstring text = DecodeUtf16(bytes, 2);
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool lineStart = i == 0 || (i >= 2 && text[i - 2] == L'\r' && text[i - 1] == L'\n');
    if (lineStart && IsTimeStampAt(text, i)) starts.push_back(i);
  }
  for (size_t k = 0; k < starts.size(); ++k) {
    const size_t end = k + 1 < starts.size() ? starts[k + 1] : text.size();
    std::wstring entry = text.substr(starts[k] + 26, end - starts[k] - 26);
    if (entry.size() >= 2 && entry.compare(entry.size() - 2, 2, L"\r\n") == 0) {
      entry.erase(entry.size() - 2);
    }
    entries.push_back(entry);
  }
  return entries;
}

// A failed step of the update check (no network on a test machine).
bool IsUpdateCheckFailure(const std::wstring& entry) {
  return entry.find(L"Internet") == 0 || entry.find(L"Http") == 0;
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The "rand_seed" value in the settings text; false if there is none.
bool ReadSeed(const std::wstring& ini, std::int32_t* seed) {
  const std::wstring key = L"rand_seed=";
  const size_t at = ini.find(key);
  if (at == std::wstring::npos) return false;
  *seed = static_cast<std::int32_t>(std::wcstol(ini.c_str() + at + key.size(), NULL, 10));
  return true;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    documents = profile.Join(std::wstring(DocumentsFolderOverride::kMarker) + L"-Documents");
    ASSERT_TRUE(MakeFolder(documents));
    dataFolder = documents + L"\\Snapvane";
    redirect.reset(new DocumentsFolderOverride(documents));
  }

  void TearDown() override { redirect.reset(); }

  std::wstring SettingsText() const {
    return DecodeUtf16(ReadBytes(dataFolder + L"\\Snapvane.ini"), 2);
  }

  // The settings once the running window has shown its first picture,
  // which writes "WindowTopMost" back, and the file no longer changes
  // between two reads.
  std::wstring SettingsOnceSettled() const {
    std::wstring last;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
      const std::wstring now = SettingsText();
      if (now.find(L"WindowTopMost") != std::wstring::npos && now == last) return now;
      last = now;
      Sleep(50);
    }
    return SettingsText();
  }

  TempDir profile;
  std::wstring documents;
  std::wstring dataFolder;
  std::unique_ptr<DocumentsFolderOverride> redirect;
};

}  // namespace

TEST_F(StartupTest, FirstStartCreatesDataFolderSettingsAndLog) {
  ASSERT_FALSE(FolderExists(dataFolder));
  const DWORD tickBefore = GetTickCount();
  SnapvaneProcess app;
  ASSERT_TRUE(app.Start()) << "cannot start the program";
  HWND window = app.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_TRUE(window) << "no main window appeared";
  const DWORD tickAfter = GetTickCount();

  EXPECT_TRUE(FolderExists(dataFolder));

  // The settings file was created as FF FE, so the profile functions wrote
  // UTF-16 to it; the seed is the tick count at start.
  const Bytes ini = ReadBytes(dataFolder + L"\\Snapvane.ini");
  ASSERT_TRUE(StartsWithByteOrderMark(ini));
  // Once the window has shown its first picture it has written everything a
  // start writes.
  const std::wstring settings = SettingsOnceSettled();
  EXPECT_NE(std::wstring::npos, settings.find(L"[APP_INFO]"));
  std::int32_t seed = 0;
  ASSERT_TRUE(ReadSeed(settings, &seed)) << "no rand_seed";
  EXPECT_GE(static_cast<std::uint32_t>(seed), tickBefore);
  EXPECT_LE(static_cast<std::uint32_t>(seed), tickAfter);

  const Bytes log = ReadBytes(dataFolder + L"\\log.txt");
  ASSERT_TRUE(StartsWithByteOrderMark(log));
  const std::vector<std::wstring> entries = LogEntries(log);
  ASSERT_GE(entries.size(), 2u);
  // The update check runs during the start; on a machine without a network
  // it logs the step that failed, and nothing else may follow.
  for (size_t i = 2; i < entries.size(); ++i) {
    EXPECT_TRUE(IsUpdateCheckFailure(entries[i])) << testing::PrintToString(entries[i]);
  }
  EXPECT_EQ(std::wstring(kBanner), entries[0]);
  EXPECT_EQ(0, _wcsicmp((L"DataFolderPath = \"" + dataFolder + L"\"").c_str(), entries[1].c_str()))
      << "got: " << testing::PrintToString(entries[1]);

  // The main window (its menu and icon are checked in-process elsewhere;
  // Wine does not answer for them across processes).
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_MAXIMIZEBOX);

  app.Close();
  DWORD exitCode = 1;
  ASSERT_TRUE(app.WaitForExit(30000, &exitCode));
  EXPECT_EQ(0u, exitCode);
  // Nothing is logged or saved at the end.
  EXPECT_EQ(entries.size(), LogEntries(ReadBytes(dataFolder + L"\\log.txt")).size());
  EXPECT_EQ(settings, SettingsText());
}

TEST_F(StartupTest, SecondCopyLogsThreeEntriesShowsNothingAndExitsWithZero) {
  SnapvaneProcess first;
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(first.WaitForMainWindow(kStartTimeoutMs));
  const std::wstring logPath = dataFolder + L"\\log.txt";
  const std::wstring settingsBefore = SettingsOnceSettled();
  const size_t before = LogEntries(ReadBytes(logPath)).size();
  ASSERT_GE(before, 2u);

  SnapvaneProcess second;
  ASSERT_TRUE(second.Start());
  DWORD exitCode = 1;
  ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs, &exitCode)) << "the second copy kept running";
  EXPECT_EQ(0u, exitCode);
  EXPECT_FALSE(second.EverShowedWindow());

  const std::vector<std::wstring> entries = LogEntries(ReadBytes(logPath));
  ASSERT_EQ(before + 3, entries.size());
  EXPECT_EQ(std::wstring(kBanner), entries[before]);
  EXPECT_EQ(0u, entries[before + 1].find(L"DataFolderPath = \""));
  EXPECT_EQ(std::wstring(kAlreadyRunning), entries[before + 2]);
  // It left before stirring the seed.
  EXPECT_EQ(settingsBefore, SettingsText());

  EXPECT_TRUE(first.IsRunning());
  first.Close();
  ASSERT_TRUE(first.WaitForExit(30000, &exitCode));
  EXPECT_EQ(0u, exitCode);
}

TEST_F(StartupTest, AnExistingDataFolderIsUsedAndTheSeedMoves) {
  ASSERT_TRUE(MakeFolder(dataFolder));
  // A settings file another tool wrote stays as it is, apart from the seed.
  static const char kIni[] = "\xFF\xFE[\0A\0P\0P\0_\0I\0N\0F\0O\0]\0\r\0\n\0"
                          "r\0a\0n\0d\0_\0s\0e\0e\0d\0=\0"
                          "2\0001\0004\0007\0004\0008\0003\0006\0004\0007\0\r\0\n\0";
  ASSERT_TRUE(WriteBytes(dataFolder + L"\\Snapvane.ini", Bytes(kIni, kIni + sizeof kIni - 1)));

  const DWORD tickBefore = GetTickCount();
  SnapvaneProcess app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForMainWindow(kStartTimeoutMs));
  const DWORD tickAfter = GetTickCount();
  std::int32_t seed = 0;
  ASSERT_TRUE(ReadSeed(SettingsOnceSettled(), &seed));
  // The stored seed plus the tick count at start, wrapping around as 32-bit
  // numbers do (negative on a machine up for less than 24.8 days).
  const std::uint32_t tickAtStart = static_cast<std::uint32_t>(seed) - 2147483647u;
  EXPECT_LE(tickAtStart - tickBefore, tickAfter - tickBefore) << "seed " << seed;
  app.Close();
  DWORD exitCode = 1;
  ASSERT_TRUE(app.WaitForExit(30000, &exitCode));
  EXPECT_EQ(0u, exitCode);
}
