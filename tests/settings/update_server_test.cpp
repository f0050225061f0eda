#include <gtest/gtest.h>

#include <string>

#include "update_server.h"

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(UpdateServer, BuiltInHostIsUnderTheReservedExampleDomainOnPort80) {
  SetUpdateServerForTest(L"", 0);
  EXPECT_TRUE(EndsWith(UpdateServerHost(), L".example")) << "built with another host?";
  EXPECT_EQ(80, UpdateServerPort());
  EXPECT_EQ(L"http://" + UpdateServerHost() + L"/Snapvane/", SupportSiteAddress());
  EXPECT_EQ(std::wstring(L"Snapvane/Version.txt"), kVersionFileObject);
}

// The version comes from the build; the update check compares it with the
// published one as text, so it must be plain numbers and dots.
TEST(UpdateServer, TheBuildsVersionIsNumbersAndDots) {
  const std::wstring version = kAppVersion;
  ASSERT_FALSE(version.empty());
  EXPECT_EQ(std::wstring::npos, version.find_first_not_of(L"0123456789.")) << version;
  EXPECT_NE(L'.', version.front());
  EXPECT_NE(L'.', version.back());
}

TEST(UpdateServer, ATestServerMovesTheSupportSiteAlongAndCanBeUndone) {
  const std::wstring builtIn = UpdateServerHost();
  SetUpdateServerForTest(L"127.0.0.1", 8123);
  EXPECT_EQ(L"127.0.0.1", UpdateServerHost());
  EXPECT_EQ(8123, UpdateServerPort());
  EXPECT_EQ(L"http://127.0.0.1:8123/Snapvane/", SupportSiteAddress());
  SetUpdateServerForTest(L"", 0);
  EXPECT_EQ(builtIn, UpdateServerHost());
  EXPECT_EQ(80, UpdateServerPort());
}
