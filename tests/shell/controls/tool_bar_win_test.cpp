#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "controls_test_window.h"
#include "main_toolbar.h"

ControlsTestWindow::ControlsTestWindow() {
  INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"SnapvaneControlsTest";
    RegisterClassW(&wc);
    registered = true;
  }
  window_ = CreateWindowExW(0, L"SnapvaneControlsTest", L"controls", WS_OVERLAPPEDWINDOW, 0, 0, 640, 300, NULL,
                            NULL, GetModuleHandleW(NULL), NULL);
  ShowWindow(window_, SW_SHOW);
}

ControlsTestWindow::~ControlsTestWindow() { DestroyWindow(window_); }

namespace {

struct ExpectedButton {
  int command;
  int image;
  const wchar_t* label;
};

TEST(ToolBar, FourLabelledButtonsAndOneSeparatorWhoseTooltipsAreTheLabels) {
  ControlsTestWindow parent;
  ToolBar_CL toolbar;
  ImageList_CL images;
  const HWND window = BuildMainToolbar(toolbar, images, parent.Get(), PictureFile(L"ToolBar.bmp"));
  ASSERT_TRUE(window);
  EXPECT_EQ(window, toolbar.GetHwnd());
  EXPECT_EQ(parent.Get(), GetParent(window));
  EXPECT_EQ(ToolBar_CL::kControlId, GetDlgCtrlID(window));
  ASSERT_EQ(4, images.ImageCount());
  int cx = 0;
  int cy = 0;
  ImageList_GetIconSize(images.Handle(), &cx, &cy);
  EXPECT_EQ(48, cx);
  EXPECT_EQ(48, cy);

  ASSERT_EQ(5, static_cast<int>(SendMessageW(window, TB_BUTTONCOUNT, 0, 0)));
  const ExpectedButton expected[] = {{182, 0, L"ファイルを開く"},
                                     {183, 3, L"フォルダを開く"},
                                     {0, 0, nullptr},
                                     {191, 1, L"左に９０度回転"},
                                     {192, 2, L"右に９０度回転"}};
  int separators = 0;
  for (int i = 0; i < 5; ++i) {
    TBBUTTON button = {};
    ASSERT_TRUE(SendMessageW(window, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    if (!expected[i].label) {
      EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP) << i;
      ++separators;
      continue;
    }
    EXPECT_FALSE(button.fsStyle & TBSTYLE_SEP) << i;
    EXPECT_EQ(expected[i].command, button.idCommand) << i;
    EXPECT_EQ(expected[i].image, button.iBitmap) << i;
    wchar_t text[64] = L"";
    SendMessageW(window, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(expected[i].label), text) << i;
  }
  EXPECT_EQ(1, separators);

  // One tooltip per labelled button, over the button, reading its label.
  const HWND tips = toolbar.ToolTips().window;
  ASSERT_TRUE(tips);
  ASSERT_EQ(4, static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)));
  for (int t = 0; t < 4; ++t) {
    wchar_t text[80] = L"";
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpszText = text;
    ASSERT_TRUE(SendMessageW(tips, TTM_ENUMTOOLSW, t, reinterpret_cast<LPARAM>(&info)));
    bool found = false;
    for (int i = 0; i < 5; ++i) {
      if (!expected[i].label || static_cast<UINT_PTR>(expected[i].command) != info.uId) continue;
      found = true;
      EXPECT_EQ(std::wstring(expected[i].label), text);
      RECT button = {};
      SendMessageW(window, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&button));
      EXPECT_TRUE(EqualRect(&button, &info.rect)) << i;
      EXPECT_EQ(window, info.hwnd);
    }
    EXPECT_TRUE(found) << "tool " << info.uId;
  }

  // The toolbar covers its buttons, which are at least an image high.
  const RECT covered = toolbar.SizeToButtons();
  EXPECT_GE(covered.bottom - covered.top, 48);
  RECT last = {};
  SendMessageW(window, TB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(last.right, covered.right);
}

// The extent of text in the toolbar's font.
SIZE LabelExtent(HWND toolbar, const wchar_t* text) {
  HDC dc = GetDC(toolbar);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(toolbar, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
  SelectObject(dc, old);
  ReleaseDC(toolbar, dc);
  return extent;
}

// At 100, 150 and 200 %: the images of the drawing for that scale at their
// own size, and every button an image and its whole label high and at least
// its label wide, the toolbar covering them all.
TEST(ToolBar, EveryLabelShowsInFullBelowItsImageAtEveryScale) {
  const std::wstring strip = PictureFile(L"ToolBar.bmp");
  const struct {
    int dpi;
    int image;
  } scales[] = {{96, 48}, {144, 72}, {192, 96}};
  for (const auto& scale : scales) {
    ControlsTestWindow parent;
    ToolBar_CL toolbar;
    ImageList_CL images;
    UniqueFont font;
    const HWND window = BuildMainToolbar(toolbar, images, parent.Get(), strip, scale.dpi);
    ASSERT_TRUE(window);
    SetMainToolbarDpi(toolbar, images, font, strip, scale.dpi);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images.Handle(), &cx, &cy);
    EXPECT_EQ(scale.image, cx) << scale.dpi;
    EXPECT_EQ(scale.image, cy) << scale.dpi;
    const RECT covered = toolbar.SizeToButtons();
    for (int i : {0, 1, 3, 4}) {
      wchar_t label[64] = L"";
      TBBUTTON button = {};
      SendMessageW(window, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
      SendMessageW(window, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(label));
      const SIZE extent = LabelExtent(window, label);
      RECT rect = {};
      SendMessageW(window, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
      EXPECT_GE(rect.bottom - rect.top, scale.image + extent.cy) << scale.dpi << " button " << i;
      EXPECT_GE(rect.right - rect.left, extent.cx) << scale.dpi << " button " << i;
      EXPECT_GE(covered.bottom, rect.bottom) << scale.dpi;
    }
  }
}

}  // namespace
