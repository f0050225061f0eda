// The main window in this process: the test program carries the same
// resources as Snapvane.exe.
#include "main_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records what the window looks like once initialised, then closes it as
// the user would.
class ProbedMainWindow : public MainWindow_CL {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    const INT_PTR result = MainWindow_CL::HandleMessage(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
      wchar_t text[64] = L"";
      GetWindowTextW(window, text, 64);
      title = text;
      windowStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
      visible = IsWindowVisible(window) != FALSE;
      HMENU menu = GetMenu(window);
      menuItems = menu ? GetMenuItemCount(menu) : -1;
      if (menu) {
        HMENU edit = GetSubMenu(menu, 1);
        rotateRightId = edit ? GetMenuItemID(edit, 1) : 0;
      }
      smallIcon = SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0;
      GetWindowRect(window, &rect);
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return result;
  }

  std::wstring title;
  DWORD windowStyle = 0;
  bool visible = false;
  int menuItems = 0;
  UINT rotateRightId = 0;
  bool smallIcon = false;
  RECT rect = {0, 0, 0, 0};
};

}  // namespace

TEST(MainWindow, OpensResizableWithMenuAndIconAndClosesWithZero) {
  ProbedMainWindow window;
  EXPECT_EQ(0, window.DoModal(0, 0, NULL));
  // Closing posts a quit message for the program's end; keep it from
  // ending the next test's dialog.
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(0, static_cast<int>(msg.wParam));

  EXPECT_EQ(std::wstring(L"Snapvane"), window.title);
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), window.windowStyle & WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(4, window.menuItems);
  EXPECT_EQ(192u, window.rotateRightId);
  EXPECT_TRUE(window.smallIcon);

  const int cx = GetSystemMetrics(SM_CXFULLSCREEN);
  const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
  EXPECT_EQ(672, window.rect.right - window.rect.left);
  EXPECT_EQ(810, window.rect.bottom - window.rect.top);
  EXPECT_EQ((cx - 672) / 2, window.rect.left);
  EXPECT_EQ((cy - 810) / 2, window.rect.top);
}
