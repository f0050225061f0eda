#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "next_token.h"

namespace {

std::vector<std::wstring> AllTokens(std::wstring source) {
  std::vector<std::wstring> tokens;
  std::wstring token = L"stale";
  while (NextToken(source, token)) tokens.push_back(token);
  EXPECT_TRUE(token.empty());
  return tokens;
}

}  // namespace

TEST(NextToken, SplitsAtCommasAndSkipsLeadingBlanksOnly) {
  EXPECT_EQ(AllTokens(L"Root(V), 0, 52"), (std::vector<std::wstring>{L"Root(V)", L"0", L"52"}));
  EXPECT_EQ(AllTokens(L" , x"), (std::vector<std::wstring>{L"", L"x"}));
  EXPECT_EQ(AllTokens(L" \t\r\n"), (std::vector<std::wstring>{L""}));
  EXPECT_EQ(AllTokens(L"a,"), (std::vector<std::wstring>{L"a"}));
}

TEST(NextToken, KeepsInnerAndTrailingBlanksAndTheFullWidthSpace) {
  std::wstring source = L"\x3000" L"a b ,c";
  std::wstring token;
  ASSERT_TRUE(NextToken(source, token));
  EXPECT_EQ(token, L"\x3000" L"a b ");
  EXPECT_EQ(source, L"c");
}
