// The platform's command-line splitting rule, end to end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "save_data.h"
#include "photos/temp_folder.h"

using photos_test::Join;
using photos_test::TempFolder;

namespace {

std::vector<std::wstring> Split(const std::wstring& line) {
  std::vector<std::wstring> argv;
  EXPECT_TRUE(SplitCommandLine(line, &argv)) << line;
  return argv;
}

}  // namespace

TEST(CommandLineWin32, QuotesGroupAndBackslashesEscapeOnlyBeforeQuotes) {
  EXPECT_EQ(Split(L"Snapvane.exe \"C:\\my photos\\a b.jpg\" C:\\album"),
            (std::vector<std::wstring>{L"Snapvane.exe", L"C:\\my photos\\a b.jpg", L"C:\\album"}));
  EXPECT_EQ(Split(L"p \"\" a.jpg"), (std::vector<std::wstring>{L"p", L"", L"a.jpg"}));
  EXPECT_EQ(Split(L"p a\\\\b.jpg"), (std::vector<std::wstring>{L"p", L"a\\\\b.jpg"}));
  EXPECT_EQ(Split(L"p \"a\\\"b.jpg\""), (std::vector<std::wstring>{L"p", L"a\"b.jpg"}));
  EXPECT_EQ(Split(L"p \"C:\\dir\\\\\" x"), (std::vector<std::wstring>{L"p", L"C:\\dir\\", L"x"}));
  EXPECT_EQ(Split(L"p   a.jpg\t b.jpg "), (std::vector<std::wstring>{L"p", L"a.jpg", L"b.jpg"}));
}

TEST(CommandLineWin32, OptionsAndEmptyArgumentsFromARealCommandLine) {
  CommandLine_CL line;
  line.ParseCommandLine(L"\"C:\\Program Files\\Snapvane\\Snapvane.exe\" -x /y a.jpg");
  EXPECT_EQ(line.arguments, (std::vector<std::wstring>{L"/x", L"/y", L"a.jpg"}));
  EXPECT_EQ(line.CountFiles(), 1);
  EXPECT_EQ(line.GetFile(0), L"a.jpg");

  CommandLine_CL empty;
  empty.ParseCommandLine(L"Snapvane.exe \"\"");
  EXPECT_EQ(empty.CountFiles(), 1);
  EXPECT_EQ(empty.GetFile(0), L"");
  SaveData_CL data;
  AddPath(data, empty.GetFile(0));
  EXPECT_TRUE(data.photos.empty());

  CommandLine_CL bare;
  bare.ParseCommandLine(L"Snapvane.exe");
  EXPECT_TRUE(bare.arguments.empty());
  EXPECT_EQ(bare.CountFiles(), 0);
}

TEST(CommandLineWin32, QuotedPhotoWithBlankThenFolderRegisterInThatOrder) {
  TempFolder temp;
  const std::wstring photo = temp.File(L"my photo.jpg");
  temp.File(L"other.jpg");
  const std::wstring album = temp.Folder(L"album two");
  temp.Folder(Join(L"album two", L"sub"));
  temp.File(Join(L"album two", L"x.jpg"));
  temp.File(Join(L"album two", L"y.gif"));
  temp.File(Join(Join(L"album two", L"sub"), L"z.JPEG"));

  CommandLine_CL line;
  line.ParseCommandLine(L"Snapvane.exe \"" + photo + L"\" -q \"" + album + L"\"");
  ASSERT_EQ(line.CountFiles(), 2);
  SaveData_CL data;
  for (int n = 0; n < line.CountFiles(); ++n) AddPath(data, line.GetFile(n));

  std::vector<std::wstring> expected = {photo};
  photos_test::ListPhotosInNameOrder(album, &expected);
  ASSERT_EQ(expected.size(), 3u);
  std::vector<std::wstring> got;
  for (const PhotoItem& item : data.photos) got.push_back(item.path);
  EXPECT_EQ(got, expected);
}

TEST(CommandLineWin32, ParseReadsThisProcesssOwnCommandLine) {
  std::vector<std::wstring> argv;
  ASSERT_TRUE(SplitCommandLine(GetCommandLineW(), &argv));
  CommandLine_CL line;
  line.Parse();
  EXPECT_EQ(line.arguments.size(), argv.empty() ? 0u : argv.size() - 1);
  // The test runner passes only options ("--gtest_filter=...").
  for (const std::wstring& argument : line.arguments) EXPECT_EQ(argument[0], L'/');
  EXPECT_EQ(line.CountFiles(), 0);
}
