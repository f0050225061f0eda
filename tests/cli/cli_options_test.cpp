#include "cli_options.h"

#include <gtest/gtest.h>

namespace {

CliParse_EN Parse(const std::vector<std::wstring>& args, CliOptions* options,
                  std::wstring* error = nullptr) {
  std::wstring ignored;
  return ParseCliOptions(args, options, error ? error : &ignored);
}

TEST(CliOptions, SwitchesMayStandAnywhereAroundCommandAndPaths) {
  CliOptions options;
  ASSERT_EQ(kParseRun, Parse({L"--json", L"right", L"a.jpg", L"--keep-time", L"dir"}, &options));
  EXPECT_EQ(kCommandRight, options.command);
  EXPECT_TRUE(options.json);
  EXPECT_TRUE(options.keepTime);
  EXPECT_EQ((std::vector<std::wstring>{L"a.jpg", L"dir"}), options.paths);

  ASSERT_EQ(kParseRun, Parse({L"left", L"x.jpg"}, &options));
  EXPECT_EQ(kCommandLeft, options.command);
  EXPECT_FALSE(options.json);
  EXPECT_FALSE(options.keepTime);
}

TEST(CliOptions, CommandWordsAfterTheCommandAreFileNames) {
  CliOptions options;
  ASSERT_EQ(kParseRun, Parse({L"info", L"right", L"left"}, &options));
  EXPECT_EQ(kCommandInfo, options.command);
  EXPECT_EQ((std::vector<std::wstring>{L"right", L"left"}), options.paths);
}

TEST(CliOptions, DoubleDashLetsPathsBeginWithADash) {
  CliOptions options;
  ASSERT_EQ(kParseRun, Parse({L"info", L"--", L"--json", L"-h", L"--help"}, &options));
  EXPECT_FALSE(options.json);
  EXPECT_EQ((std::vector<std::wstring>{L"--json", L"-h", L"--help"}), options.paths);
  // A lone dash is a name too.
  ASSERT_EQ(kParseRun, Parse({L"info", L"-"}, &options));
  EXPECT_EQ(std::vector<std::wstring>{L"-"}, options.paths);
}

TEST(CliOptions, HelpWinsOverEverythingBeforeDoubleDash) {
  CliOptions options;
  EXPECT_EQ(kParseHelp, Parse({L"--help"}, &options));
  EXPECT_EQ(kParseHelp, Parse({L"-h"}, &options));
  EXPECT_EQ(kParseHelp, Parse({L"right", L"--bogus", L"--help"}, &options));
  EXPECT_EQ(kParseHelp, Parse({L"rotate", L"-h"}, &options));
}

TEST(CliOptions, UsageErrorsNameWhatIsWrong) {
  struct Case {
    std::vector<std::wstring> args;
    const wchar_t* mentions;
  };
  const Case cases[] = {
      {{}, L"no command"},
      {{L"--json"}, L"no command"},
      {{L"info"}, L"no PATH"},
      {{L"right", L"--keep-time"}, L"no PATH"},
      {{L"rotate", L"a.jpg"}, L"'rotate'"},
      {{L"Right", L"a.jpg"}, L"'Right'"},
      {{L"info", L"--jsn", L"a.jpg"}, L"'--jsn'"},
      {{L"-x", L"info", L"a.jpg"}, L"'-x'"},
      {{L"info", L"--keep-time", L"a.jpg"}, L"--keep-time"},
  };
  for (const Case& c : cases) {
    CliOptions options;
    std::wstring error;
    EXPECT_EQ(kParseUsageError, Parse(c.args, &options, &error)) << c.mentions;
    EXPECT_NE(std::wstring::npos, error.find(c.mentions)) << "error was: " << error;
  }
}

}  // namespace
