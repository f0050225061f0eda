// The file dialog and the folder browser, answered by a helper thread the way
// a user would answer them: a name typed into the dialog and OK, or Cancel.
#include <windows.h>

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <vector>

#include "dialog_answerer_win.h"
#include "file_open_dialog.h"
#include "folder_select_dialog.h"
#include "test_files.h"

namespace {

// Types text into the file dialog's file name box and presses Open.
DialogAnswerer::Step TypeAndOpen(const std::wstring& text) {
  return [text](HWND dialog) {
    // The explorer-style dialog's name box is a combo box (cmb13); older ones
    // have a plain edit (edt1).
    HWND box = GetDlgItem(dialog, 0x47c);
    if (!box) box = GetDlgItem(dialog, 0x480);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

class FileDialogs : public ::testing::Test {
 protected:
  // The open dialog moves the process into the folder it returns from (the
  // program's flags leave that as Windows does it); each case starts where
  // the one before it started, or the next dialog opens in a removed folder.
  void SetUp() override {
    CoInitialize(NULL);
    GetCurrentDirectoryW(MAX_PATH, startFolder);
  }
  void TearDown() override {
    SetCurrentDirectoryW(startFolder);
    CoUninitialize();
  }
  wchar_t startFolder[MAX_PATH] = L"";
  TempDir dir;
};

}  // namespace

TEST_F(FileDialogs, SeveralFilesComeBackAsFullPathsInTheDialogsOrder) {
  for (const wchar_t* name : {L"b.jpg", L"a.jpg", L"notes.txt"}) {
    ASSERT_TRUE(WriteBytes(dir.Join(name), Bytes{'x'}));
  }
  FileOpenDialog_CL dialog;
  bool chosen = false;
  {
    DialogAnswerer answer({TypeAndOpen(dir.Path()), TypeAndOpen(L"\"b.jpg\" \"notes.txt\" \"a.jpg\"")});
    chosen = dialog.Run(true, NULL, L"写真ファイルを選択してください");
    EXPECT_EQ(std::wstring(L"写真ファイルを選択してください"), answer.DialogTitle());
  }
  ASSERT_TRUE(chosen);
  const std::vector<std::wstring> paths = dialog.GetFileNames();
  ASSERT_EQ(3u, paths.size());
  EXPECT_EQ(0, _wcsicmp(dir.Join(L"b.jpg").c_str(), paths[0].c_str())) << testing::PrintToString(paths[0]);
  EXPECT_EQ(0, _wcsicmp(dir.Join(L"notes.txt").c_str(), paths[1].c_str()));
  EXPECT_EQ(0, _wcsicmp(dir.Join(L"a.jpg").c_str(), paths[2].c_str()));

  // The dialog may add flags of its own when it returns (sizing).
  EXPECT_EQ(static_cast<DWORD>(0x00081A04), dialog.Parameters().Flags & ~OFN_ENABLESIZING);
  EXPECT_EQ(static_cast<DWORD>(0x1040000), dialog.Parameters().nMaxFile);
  // JPEG photos first, every file as the second choice.
  const wchar_t* filter = dialog.Parameters().lpstrFilter;
  ASSERT_NE(nullptr, filter);
  std::vector<std::wstring> parts;
  for (const wchar_t* part = filter; *part; part += wcslen(part) + 1) parts.push_back(part);
  EXPECT_EQ((std::vector<std::wstring>{L"JPEG 写真 (*.jpg;*.jpeg)", L"*.jpg;*.jpeg", L"すべてのファイル (*.*)",
                                       L"*.*"}),
            parts);
  EXPECT_EQ(1u, dialog.Parameters().nFilterIndex);
}

TEST_F(FileDialogs, OneFileIsItsFullPathWithoutATrailingSeparator) {
  const std::wstring photo = dir.Join(L"only.jpg");
  ASSERT_TRUE(WriteBytes(photo, Bytes{'x'}));
  FileOpenDialog_CL dialog;
  // Opened in the folder last used, the name alone is enough.
  dialog.initialFolder = dir.Path();
  bool chosen = false;
  {
    DialogAnswerer answer({TypeAndOpen(L"only.jpg")});
    chosen = dialog.Run(true, NULL, L"one");
  }
  ASSERT_TRUE(chosen);
  const std::vector<std::wstring> paths = dialog.GetFileNames();
  ASSERT_EQ(1u, paths.size());
  EXPECT_EQ(0, _wcsicmp(photo.c_str(), paths[0].c_str())) << testing::PrintToString(paths[0]);
}

TEST_F(FileDialogs, CancelledFileDialogReturnsFalse) {
  FileOpenDialog_CL dialog;
  DialogAnswerer answer({Press(IDCANCEL)});
  EXPECT_FALSE(dialog.Run(false, NULL, L"cancel"));
  EXPECT_EQ(static_cast<DWORD>(0x00081804), dialog.Parameters().Flags & ~OFN_ENABLESIZING);
}

TEST_F(FileDialogs, FolderBrowserReturnsTheFolderItOpenedWith) {
  FolderSelectDialog_CL dialog;
  dialog.initialFolder = dir.Path();
  std::wstring result = L"unchanged";
  bool chosen = false;
  // OK once the browser shows the folder selected (its name in the edit
  // box under the tree). Wine's browser fills its tree slowly the first
  // time in a new prefix, on a busy machine sometimes for over ten seconds.
  const std::wstring name = dir.Path().substr(dir.Path().rfind(L'\\') + 1);
  const DialogAnswerer::Step okWhenSelected = [name](HWND browser) {
    HWND edit = FindWindowExW(browser, NULL, L"Edit", NULL);
    for (int i = 0; i < 600; ++i) {
      wchar_t text[MAX_PATH] = L"";
      GetWindowTextW(edit, text, MAX_PATH);
      if (_wcsicmp(text, name.c_str()) == 0) break;
      Sleep(100);
    }
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  {
    DialogAnswerer answer({okWhenSelected});
    chosen = dialog.Run(NULL, L"写真のあるフォルダを選択してください", result);
  }
  ASSERT_TRUE(chosen);
  EXPECT_EQ(0, _wcsicmp(dir.Path().c_str(), result.c_str())) << testing::PrintToString(result);
}

TEST_F(FileDialogs, CancelledFolderBrowserLeavesTheResult) {
  FolderSelectDialog_CL dialog;
  std::wstring result = L"unchanged";
  DialogAnswerer answer({Press(IDCANCEL)});
  EXPECT_FALSE(dialog.Run(NULL, L"cancel", result));
  EXPECT_EQ(L"unchanged", result);
}
