// Turning the file dialog's result buffer into full paths.
#include "dialog_file_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Split(const std::wstring& buffer) {
  return SplitDialogFileNames(buffer.c_str(), buffer.size() + 1);
}

}  // namespace

TEST(DialogFileNames, OneFileIsItsFullPath) {
  const std::vector<std::wstring> paths = Split(std::wstring(L"C:\\Photos\\a.jpg\0", 16));
  ASSERT_EQ(1u, paths.size());
  EXPECT_EQ(L"C:\\Photos\\a.jpg", paths[0]);
}

TEST(DialogFileNames, SeveralFilesAreJoinedToTheirFolderInOrder) {
  const std::wstring buffer(L"C:\\Photos\0b.jpg\0a.jpg\0c.txt\0\0", 29);
  const std::vector<std::wstring> paths = Split(buffer);
  ASSERT_EQ(3u, paths.size());
  EXPECT_EQ(L"C:\\Photos\\b.jpg", paths[0]);
  EXPECT_EQ(L"C:\\Photos\\a.jpg", paths[1]);
  EXPECT_EQ(L"C:\\Photos\\c.txt", paths[2]);
}

TEST(DialogFileNames, AtADriveRootTheSeparatorDoubles) {
  const std::vector<std::wstring> paths = Split(std::wstring(L"C:\\\0a.jpg\0b.jpg\0\0", 17));
  ASSERT_EQ(2u, paths.size());
  EXPECT_EQ(L"C:\\\\a.jpg", paths[0]);
  EXPECT_EQ(L"C:\\\\b.jpg", paths[1]);
}

TEST(DialogFileNames, EmptyOrUnterminatedBuffersStayInside) {
  EXPECT_TRUE(Split(L"").empty());
  EXPECT_TRUE(SplitDialogFileNames(nullptr, 10).empty());
  // No terminator within the capacity: the text is taken up to it.
  const wchar_t full[4] = {L'a', L'b', L'c', L'd'};
  const std::vector<std::wstring> paths = SplitDialogFileNames(full, 3);
  ASSERT_EQ(1u, paths.size());
  EXPECT_EQ(L"abc", paths[0]);
}
