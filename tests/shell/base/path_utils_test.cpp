#include "path_utils.h"

#include <gtest/gtest.h>

#include <climits>

TEST(PathUtils, ExtensionKeepsItsCaseAndDot) {
  EXPECT_EQ(L".JPG", PathExtension(L"C:\\写真\\IMG_0001.JPG"));
  EXPECT_EQ(L".jpeg", PathExtension(L"a.b.jpeg"));
  EXPECT_EQ(L".", PathExtension(L"trailing."));
  EXPECT_EQ(L"", PathExtension(L"C:\\photos\\README"));
  EXPECT_EQ(L"", PathExtension(L""));
  // The extension runs from the last dot wherever it is, also in a folder name.
  EXPECT_EQ(L".d\\file", PathExtension(L"C:\\a.d\\file"));
}

TEST(PathUtils, FileNameIsThePartAfterTheLastBackslash) {
  EXPECT_EQ(L"IMG_0001.JPG", PathFileName(L"C:\\写真\\IMG_0001.JPG"));
  EXPECT_EQ(L"bare.jpg", PathFileName(L"bare.jpg"));
  EXPECT_EQ(L"", PathFileName(L"C:\\folder\\"));
  EXPECT_EQ(L"", PathFileName(L""));
}

TEST(PathUtils, DirectoryIsThePartBeforeTheLastBackslash) {
  EXPECT_EQ(L"C:\\写真", PathDirectory(L"C:\\写真\\IMG_0001.JPG"));
  EXPECT_EQ(L"C:", PathDirectory(L"C:\\x.jpg"));
  EXPECT_EQ(L"", PathDirectory(L"bare.jpg"));
  EXPECT_EQ(L"\\\\server\\share", PathDirectory(L"\\\\server\\share\\a"));
}

TEST(PathUtils, FindLastCharSearchesFromTheEnd) {
  EXPECT_EQ(-1, FindLastChar(L"", L'a'));
  EXPECT_EQ(-1, FindLastChar(L"bcd", L'a'));
  EXPECT_EQ(0, FindLastChar(L"abc", L'a'));
  EXPECT_EQ(3, FindLastChar(L"abca", L'a'));
  EXPECT_EQ(1, FindLastChar(L"写真", L'真'));
}

TEST(PathUtils, IntToStringWritesSignedDecimal) {
  EXPECT_EQ(L"0", IntToString(0));
  EXPECT_EQ(L"-5", IntToString(-5));
  EXPECT_EQ(L"2147483647", IntToString(INT_MAX));
  EXPECT_EQ(L"-2147483648", IntToString(INT_MIN));
}
