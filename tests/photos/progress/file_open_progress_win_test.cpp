// Registration under the progress window: the bar's positions, the window's
// look, what the worker finds, and that only the worker ends the window.
#include "my_file_open_progress.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "photos/temp_folder.h"

using photos_test::TempFolder;

namespace {

// Records the positions the worker sends and how the window looked once set
// up.
class RecordingProgress : public MyFileOpenProgress_CL {
 public:
  explicit RecordingProgress(const std::vector<std::wstring>& paths)
      : MyFileOpenProgress_CL(paths) {}

  void SetProgress(std::uint32_t position) override {
    positions.push_back(position);
    MyFileOpenProgress_CL::SetProgress(position);
  }

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    const INT_PTR result = MyFileOpenProgress_CL::HandleMessage(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
      wchar_t text[64] = L"";
      GetWindowTextW(window, text, 64);
      title = text;
      windowStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
      GetWindowRect(window, &windowRect);
      GetClientRect(window, &client);
      RECT bar = {0, 0, 0, 0};
      GetWindowRect(ProgressBarWindow(), &bar);
      barWidth = bar.right - bar.left;
      cancelVisible = IsWindowVisible(CancelButtonWindow()) != FALSE;
      cancelId = GetDlgCtrlID(CancelButtonWindow());
      barId = GetDlgCtrlID(ProgressBarWindow());
      rangeMax = static_cast<int>(SendMessageW(ProgressBarWindow(), PBM_GETRANGE, FALSE, 0));
    }
    return result;
  }

  std::vector<std::uint32_t> positions;  // worker-written; read after DoModal
  std::wstring title;
  DWORD windowStyle = 0;
  RECT windowRect = {0, 0, 0, 0};
  RECT client = {0, 0, 0, 0};
  int barWidth = 0;
  bool cancelVisible = true;
  int cancelId = 0;
  int barId = 0;
  int rangeMax = 0;
};

std::vector<std::wstring> PathsOf(const PhotoList& photos) {
  std::vector<std::wstring> paths;
  for (const PhotoItem& item : photos) paths.push_back(item.path);
  return paths;
}

}  // namespace

TEST(FileOpenProgress, ThreeFilesMoveTheBarInThreeStepsAndCloseTheWindow) {
  TempFolder dir;
  const std::vector<std::wstring> files = {dir.File(L"b.jpg"), dir.File(L"a.JPEG"),
                                           dir.File(L"c.gif")};
  RecordingProgress progress(files);
  progress.startOnOpen = 1;
  EXPECT_EQ(0, progress.DoModal(0, 0, NULL));
  EXPECT_EQ((std::vector<std::uint32_t>{666, 1333, 2000}), progress.positions);
  EXPECT_EQ((std::vector<std::wstring>{files[0], files[1]}), PathsOf(progress.TakeFound()));
  EXPECT_TRUE(progress.TakeFound().empty()) << "taken once";

  EXPECT_EQ(std::wstring(L"ファイル登録中"), progress.title);
  EXPECT_EQ(0u, progress.windowStyle & (WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_NE(0u, progress.windowStyle & WS_CAPTION);
  const int dpiX = [] {
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    return dpi;
  }();
  EXPECT_EQ(MulDiv(480, dpiX, 96), progress.windowRect.right - progress.windowRect.left);
  EXPECT_GE(progress.windowRect.top, 0);
  EXPECT_FALSE(progress.cancelVisible);
  EXPECT_EQ(4352, progress.cancelId);
  EXPECT_EQ(4353, progress.barId);
  EXPECT_EQ(progress.client.right, progress.barWidth) << "no cancel button: the full width";
  EXPECT_EQ(2000, progress.rangeMax);
}

TEST(FileOpenProgress, OneFolderIsOneStepAndTakesItsSubfolders) {
  TempFolder dir;
  const std::wstring folder = dir.Folder(L"photos");
  dir.Folder(L"photos\\sub");
  const std::wstring a = dir.File(L"photos\\a.jpg");
  const std::wstring d = dir.File(L"photos\\sub\\d.jpg");
  RecordingProgress progress(std::vector<std::wstring>(1, folder));
  progress.startOnOpen = 1;
  progress.DoModal(0, 0, NULL);
  EXPECT_EQ((std::vector<std::uint32_t>{2000}), progress.positions);
  std::vector<std::wstring> expected;
  photos_test::ListPhotosInNameOrder(folder, &expected);
  ASSERT_EQ(2u, expected.size());
  EXPECT_EQ(expected, PathsOf(progress.TakeFound()));
}

TEST(FileOpenProgress, NoPathsSetTheBarToZeroAndCloseAtOnce) {
  RecordingProgress progress{std::vector<std::wstring>()};
  progress.startOnOpen = 1;
  EXPECT_EQ(0, progress.DoModal(0, 0, NULL));
  EXPECT_TRUE(progress.positions.empty());
  EXPECT_TRUE(progress.TakeFound().empty());
}

namespace {

// A job that waits until the test lets it finish, with a cancel button.
class HeldProgress : public EasyProgress_CL {
 public:
  HeldProgress() : EasyProgress_CL(L"held", true), release(CreateEventW(NULL, TRUE, FALSE, NULL)) {}
  ~HeldProgress() override {
    SetEvent(release.Get());
    Wait();
  }

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    const INT_PTR result = EasyProgress_CL::HandleMessage(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) SetTimer(window, 1, 20, NULL);
    if (message == WM_TIMER && wParam == 1) {
      KillTimer(window, 1);
      Probe(window);
    }
    return result;
  }

  void Probe(HWND window) {
    RECT client, bar, button;
    GetClientRect(window, &client);
    GetWindowRect(ProgressBarWindow(), &bar);
    GetWindowRect(CancelButtonWindow(), &button);
    barAndButton = (bar.right - bar.left) + (button.right - button.left) == client.right;
    cancelVisible = IsWindowVisible(CancelButtonWindow()) != FALSE;

    // Enter and Escape as the dialog manager sees them, and Alt+F4.
    SetFocus(CancelButtonWindow());
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(window, &msg)) DispatchMessageW(&msg);
    }
    stillOpen = IsWindow(window) != FALSE;
    cancelledByKeys = CancelRequested();

    SendMessageW(CancelButtonWindow(), BM_CLICK, 0, 0);
    cancelledByButton = CancelRequested();
    SetEvent(release.Get());
  }

  bool barAndButton = false;
  bool cancelVisible = false;
  bool stillOpen = false;
  bool cancelledByKeys = true;
  bool cancelledByButton = false;
  int cancelAtEnd = -1;

 protected:
  void ThreadMain(INT_PTR, INT_PTR) override {
    WaitForSingleObject(release.Get(), 30000);
    CloseFromWorker();
  }
  void OnThreadEnd(int cancel) override { cancelAtEnd = cancel; }

 private:
  UniqueHandle release;
};

}  // namespace

TEST(EasyProgress, KeysAndAltF4DoNotCloseOrCancelButTheButtonCancels) {
  HeldProgress progress;
  progress.startOnOpen = 1;
  EXPECT_EQ(0, progress.DoModal(0, 0, NULL));
  progress.WaitWorker();
  EXPECT_TRUE(progress.cancelVisible);
  EXPECT_TRUE(progress.barAndButton) << "the bar is narrower by the button's width";
  EXPECT_TRUE(progress.stillOpen);
  EXPECT_FALSE(progress.cancelledByKeys);
  EXPECT_TRUE(progress.cancelledByButton);
  EXPECT_EQ(1, progress.cancelAtEnd);
}

TEST(EasyProgress, WithoutStartOnOpenTheWorkNeverRuns) {
  // The window would stay up for good; close it from outside.
  class Idle : public EasyProgress_CL {
   public:
    Idle() : EasyProgress_CL(L"idle", false) {}
    INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
      const INT_PTR result = EasyProgress_CL::HandleMessage(window, message, wParam, lParam);
      if (message == WM_INITDIALOG) PostMessageW(window, WM_CLOSE, 0, 0);
      return result;
    }
    bool ran = false;

   protected:
    void ThreadMain(INT_PTR, INT_PTR) override { ran = true; }
    void OnThreadEnd(int) override {}
  } idle;
  EXPECT_EQ(0, idle.DoModal(0, 0, NULL));
  EXPECT_FALSE(idle.ran);
}
