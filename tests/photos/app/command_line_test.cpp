#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingCommandLine_CL : public CommandLine_CL {
 public:
  std::vector<std::wstring> seen;

 protected:
  void OnArgument(std::wstring argument) override { seen.push_back(argument); }
};

}  // namespace

TEST(CommandLine, OptionsAreKeptRewrittenButNotCountedAsFiles) {
  RecordingCommandLine_CL line;
  line.ParseArguments({L"Snapvane.exe", L"-x", L"/y", L"a.jpg", L"--z-", L"-"});
  EXPECT_EQ(line.arguments,
            (std::vector<std::wstring>{L"/x", L"/y", L"a.jpg", L"/-z-", L"/"}));
  EXPECT_EQ(line.seen, line.arguments);
  EXPECT_EQ(line.CountFiles(), 1);
  EXPECT_EQ(line.GetFile(0), L"a.jpg");
  EXPECT_EQ(line.GetFile(1), L"");
  EXPECT_EQ(line.GetFile(-1), L"");
}

TEST(CommandLine, FilesAreNumberedInOrderSkippingOptions) {
  CommandLine_CL line;
  line.ParseArguments({L"p", L"/a", L"one.jpg", L"-b", L"two", L"/c", L"three.jpeg"});
  ASSERT_EQ(line.CountFiles(), 3);
  EXPECT_EQ(line.GetFile(0), L"one.jpg");
  EXPECT_EQ(line.GetFile(1), L"two");
  EXPECT_EQ(line.GetFile(2), L"three.jpeg");
  EXPECT_EQ(line.GetFile(line.CountFiles()), L"");
}

TEST(CommandLine, NoArgumentsOrNoEntriesStoreNothing) {
  RecordingCommandLine_CL onlyProgram;
  onlyProgram.ParseArguments({L"Snapvane.exe"});
  EXPECT_TRUE(onlyProgram.arguments.empty());
  EXPECT_TRUE(onlyProgram.seen.empty());
  EXPECT_EQ(onlyProgram.CountFiles(), 0);
  EXPECT_EQ(onlyProgram.GetFile(0), L"");

  RecordingCommandLine_CL none;
  none.ParseArguments({});
  EXPECT_TRUE(none.arguments.empty());
  EXPECT_TRUE(none.seen.empty());
}

TEST(CommandLine, AnEmptyArgumentIsAFileArgument) {
  CommandLine_CL line;
  line.ParseArguments({L"p", L"", L"-x"});
  EXPECT_EQ(line.arguments, (std::vector<std::wstring>{L"", L"/x"}));
  EXPECT_EQ(line.CountFiles(), 1);
  EXPECT_EQ(line.GetFile(0), L"");
}
