#include "shell_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "path_utils.h"
#include "test_files.h"

TEST(ShellHelpers, ModuleFolderHoldsTheRunningProgram) {
  const std::wstring folder = GetModuleFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(L'\\', folder[folder.size() - 1]);
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(NULL, self, MAX_PATH), 0u);
  EXPECT_EQ(folder + L"\\" + PathFileName(self), std::wstring(self));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder + L"\\" + PathFileName(self)).c_str()));
  // A path longer than the first buffer is read whole, not given up on.
  for (DWORD first : {DWORD(1), DWORD(3), static_cast<DWORD>(wcslen(self))}) {
    EXPECT_EQ(std::wstring(self), GetModulePath(first)) << first;
  }
}

TEST(ShellHelpers, HomeMarkerKeepsShellOpenFromOpeningAnything) {
  TempDir dir;
  const std::wstring marker = dir.Join(L"MyHome.txt");
  const std::wstring missing = dir.Join(L"no-such-document.txt");

  // Without the marker the shell is asked, and fails for a missing file.
  const INT_PTR opened = reinterpret_cast<INT_PTR>(ShellOpenUnlessMarked(missing, marker.c_str()));
  EXPECT_LE(opened, 32);

  ASSERT_TRUE(WriteBytes(marker, Bytes()));
  EXPECT_EQ(kShellOpenSkipped, ShellOpenUnlessMarked(missing, marker.c_str()));
  EXPECT_GT(reinterpret_cast<INT_PTR>(kShellOpenSkipped), 32);
  EXPECT_EQ(std::wstring(L"c:\\MyHome.txt"), std::wstring(kHomeMarkerPath));
}

TEST(ShellHelpers, ProgramFolderFileIsBesideTheRunningProgram) {
  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(NULL, self, MAX_PATH);
  std::wstring expected(self);
  expected = expected.substr(0, expected.rfind(L'\\')) + L"\\menu_image.bmp";
  EXPECT_EQ(expected, ProgramFolderFile(L"menu_image.bmp"));
}
