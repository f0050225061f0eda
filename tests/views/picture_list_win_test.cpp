// The picture grid as a real window: what its clicks, keys and mouse moves
// send to the parent, its tooltip registry, its cache and its captions.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "caption_text.h"
#include "picture_list_view.h"
#include "strip_layout.h"
#include "system_input_win.h"
#include "views_win_support.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// The horizontal bar's parts on the screen.
struct BarParts {
  RECT bar;
  int arrow;       // width of each arrow button
  int thumbLeft;   // screen x of the thumb's edges
  int thumbRight;
  int y;           // the bar's middle row
};

BarParts HorizontalBar(HWND window) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(window, OBJID_HSCROLL, &info);
  BarParts parts;
  parts.bar = info.rcScrollBar;
  // The arrow's width as the system draws it (Wine's dxyLineButton holds
  // the thumb's).
  parts.arrow = GetSystemMetrics(SM_CXHSCROLL);
  parts.thumbLeft = info.rcScrollBar.left + info.xyThumbTop;
  parts.thumbRight = info.rcScrollBar.left + info.xyThumbBottom;
  parts.y = (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2;
  return parts;
}

struct ListWindow : ::testing::Test {
  TestHost host{800, 200};
  PictureListView_CL list;

  void SetUp() override {
    ASSERT_TRUE(list.Create(host.Window()));
    host.list = &list;
    for (const wchar_t* name : {L"exr_orientation_f1t.jpg", L"exr_orientation_f2t.jpg", L"exr_orientation_f3t.jpg",
                                L"exr_orientation_f4t.jpg", L"exr_orientation_f5t.jpg"}) {
      list.paths.push_back(CorpusPhoto(name));
    }
    SetUpStrip(list, 0, 0, 800, 5);
    host.notifications.clear();
  }

  std::vector<int> Selected() {
    std::vector<int> out;
    for (int i = 0; i < 5; ++i) {
      if (list.IsSelected(i)) out.push_back(i);
    }
    return out;
  }
};

TEST_F(ListWindow, ClickNotifiesBeforeSelectingAndRightClickSelectsWhatItPoints) {
  SendMessageW(list.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 20));
  SendMessageW(list.hwnd, WM_LBUTTONUP, 0, At(10, 20));
  // The press takes the keyboard focus first, then reports the click.
  ASSERT_EQ(2u, host.notifications.size());
  EXPECT_EQ(NM_SETFOCUS, host.notifications[0].code);
  EXPECT_EQ(list.hwnd, GetFocus());
  const Notification& click = host.notifications[1];
  EXPECT_EQ(NM_CLICK, click.code);
  EXPECT_EQ(0, click.item);
  EXPECT_EQ(10, click.point.x);
  EXPECT_EQ(20, click.point.y);
  EXPECT_EQ(0, click.selectedAtSend);  // sent before the selection changed
  EXPECT_EQ(std::vector<int>({0}), Selected());
  EXPECT_EQ(0, list.GetAnchor());

  // A right click outside the selection shows its photo and selects it
  // alone before the menu opens, so that the menu acts on it.
  host.notifications.clear();
  SendMessageW(list.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, At(2 * kCellWidth + 5, 20));
  ASSERT_EQ(2u, host.notifications.size());
  EXPECT_EQ(NM_CLICK, host.notifications[0].code);
  EXPECT_EQ(2, host.notifications[0].item);
  EXPECT_EQ(NM_RCLICK, host.notifications[1].code);
  EXPECT_EQ(2, host.notifications[1].item);
  EXPECT_EQ(std::vector<int>({2}), Selected());
  EXPECT_EQ(2, list.GetAnchor());
  EXPECT_EQ(2, list.GetFocusIndex());

  // Inside the selection it keeps the selection and shows the photo.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(list.hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(4 * kCellWidth - 5, 20));
  SendMessageW(list.hwnd, WM_LBUTTONUP, 0, At(4 * kCellWidth - 5, 20));
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(std::vector<int>({2, 3}), Selected());
  host.notifications.clear();
  SendMessageW(list.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, At(2 * kCellWidth + 5, 20));
  ASSERT_EQ(2u, host.notifications.size());
  EXPECT_EQ(NM_CLICK, host.notifications[0].code);
  EXPECT_EQ(2, host.notifications[0].item);
  EXPECT_EQ(std::vector<int>({2, 3}), Selected());
}

TEST_F(ListWindow, KeysGoOnFromThePhotoShownWhereverTheMouseWent) {
  SendMessageW(list.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(kCellWidth + 5, 20));
  SendMessageW(list.hwnd, WM_LBUTTONUP, 0, At(kCellWidth + 5, 20));
  for (int x = kCellWidth; x < 4 * kCellWidth; x += 40) SendMessageW(list.hwnd, WM_MOUSEMOVE, 0, At(x, 40));
  EXPECT_EQ(1, list.GetFocusIndex()) << "the pointer moved the focus";
  auto press = [&](WPARAM key) {
    host.notifications.clear();
    SendMessageW(list.hwnd, WM_KEYDOWN, key, 0);
    return host.notifications.empty() ? -1 : host.notifications.back().item;
  };
  EXPECT_EQ(2, press(VK_RIGHT));
  EXPECT_EQ(4, press(VK_END));
  EXPECT_EQ(std::vector<int>({4}), Selected());
  EXPECT_EQ(0, press(VK_HOME));
  EXPECT_EQ(std::vector<int>({0}), Selected());
  // Tab is left to the dialog manager, every other key is the list's.
  MSG tab = {list.hwnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  const LRESULT forTab = SendMessageW(list.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(0, forTab & (DLGC_WANTTAB | DLGC_WANTMESSAGE));
  MSG right = {list.hwnd, WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
  EXPECT_NE(0, SendMessageW(list.hwnd, WM_GETDLGCODE, VK_RIGHT, reinterpret_cast<LPARAM>(&right)) &
                   DLGC_WANTMESSAGE);
}

TEST_F(ListWindow, KeysBeforeTheMouseTouchedACellStayInRange) {
  // Nothing has focus yet: every key acts on an item of the list.
  for (WPARAM key : {VK_LEFT, VK_UP, VK_NEXT, VK_RETURN, VK_SPACE}) {
    host.notifications.clear();
    SendMessageW(list.hwnd, WM_KEYDOWN, key, 0);
    ASSERT_FALSE(host.notifications.empty());
    const Notification& last = host.notifications.back();
    EXPECT_EQ(NM_CLICK, last.code);
    EXPECT_GE(last.item, 0);
    EXPECT_LT(last.item, 5);
    EXPECT_GE(list.GetAnchor(), 0);
    EXPECT_LT(list.GetAnchor(), 5);
  }
  // Enter tells the parent first, then the click follows.
  host.notifications.clear();
  SendMessageW(list.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_EQ(2u, host.notifications.size());
  EXPECT_EQ(NM_RETURN, host.notifications[0].code);
  EXPECT_EQ(NM_CLICK, host.notifications[1].code);
  // After the list shrank below its focus.
  list.SetCount(2);
  host.notifications.clear();
  SendMessageW(list.hwnd, WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_FALSE(host.notifications.empty());
  EXPECT_LT(host.notifications.back().item, 2);
  EXPECT_LE(list.GetSelectedCount(), 2);
}

TEST_F(ListWindow, TheTooltipHoldsOneToolAfterTheMouseCrossedSeveralCells) {
  for (int cell = 0; cell < 4; ++cell) {
    SendMessageW(list.hwnd, WM_MOUSEMOVE, 0, At(cell * kCellWidth + 30, 40));
  }
  EXPECT_EQ(-1, list.GetFocusIndex()) << "hovering moves no focus";
  EXPECT_EQ(1, static_cast<int>(SendMessageW(list.ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0)));
  EXPECT_EQ(1u, list.ToolTips().tools.size());
  EXPECT_EQ(static_cast<UINT_PTR>(3 + PictureListBase_CL::kToolIdBase), list.ToolTips().tools[0].uId);
}

TEST_F(ListWindow, CaptionsShowTheFileNameAndShortenLongOnesInTheMiddle) {
  Gdiplus::Bitmap surface(10, 10, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(&surface);
  const float width = static_cast<float>(kCellWidth - 1);
  EXPECT_EQ(L"photo.jpg", list.CaptionShown(graphics, L"photo.jpg", width));
  EXPECT_EQ(L"IMG_0001.JPG", list.CaptionShown(graphics, L"C:\\photos\\IMG_0001.JPG", width));
  const std::wstring longName = L"a_very_long_photo_name_taken_on_the_summer_holiday_2024_0815.jpg";
  const std::wstring shown = list.CaptionShown(graphics, L"C:\\photos\\" + longName, width);
  const std::wstring::size_type dots = shown.find(kCaptionEllipsis);
  ASSERT_NE(std::wstring::npos, dots) << "not shortened";
  EXPECT_LT(shown.size(), longName.size());
  EXPECT_GT(dots, 3u);
  EXPECT_EQ(longName.substr(0, dots), shown.substr(0, dots));
  const std::wstring tail = shown.substr(dots + 1);
  EXPECT_GE(tail.size(), 4u);
  EXPECT_EQ(longName.substr(longName.size() - tail.size()), tail);  // ends in ".jpg"
}

TEST_F(ListWindow, TheScrollBarScrollsAsEveryScrollBarDoes) {
  for (int i = 5; i < 40; ++i) list.paths.push_back(list.paths[static_cast<std::size_t>(i % 5)]);
  SetUpStrip(list, 0, 0, 800, 40);
  const ScrollState& bar = list.Grid().layout.Horizontal();
  auto firstCell = [&] { return list.Grid().layout.VisibleCells().front(); };
  auto settle = [&] { PumpUntil([] { return false; }, 300); };
  settle();
  ASSERT_EQ(0, bar.position);

  // A click on the right arrow: one cell on.
  BarParts parts = HorizontalBar(list.hwnd);
  MoveMouseTo({parts.bar.right - parts.arrow / 2, parts.y});
  ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  settle();
  EXPECT_EQ(kCellWidth, bar.position);
  EXPECT_EQ(kCellWidth, GetScrollPos(list.hwnd, SB_HORZ));
  EXPECT_EQ(1, firstCell().index);
  EXPECT_EQ(0, firstCell().x);

  // A click in the trough right of the thumb: one page on.
  parts = HorizontalBar(list.hwnd);
  MoveMouseTo({(parts.thumbRight + parts.bar.right - parts.arrow) / 2, parts.y});
  ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  settle();
  EXPECT_EQ(kCellWidth + bar.page, bar.position);
  EXPECT_EQ((kCellWidth + bar.page) / kCellWidth, firstCell().index);

  // The left arrow held down repeats until it is let go.
  const int before = bar.position;
  parts = HorizontalBar(list.hwnd);
  MoveMouseTo({parts.bar.left + parts.arrow / 2, parts.y});
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  std::thread release([] {
    Sleep(1500);
    MouseButton(MOUSEEVENTF_LEFTUP);
  });
  settle();
  PumpUntil([] { return false; }, 2000);
  release.join();
  settle();
  EXPECT_LE(bar.position, before - 3 * kCellWidth) << "the held arrow did not repeat";

  // The thumb dragged: the view follows while the button is still down.
  parts = HorizontalBar(list.hwnd);
  const int start = bar.position;
  int whileDragging = -1;
  const POINT grip = {(parts.thumbLeft + parts.thumbRight) / 2, parts.y};
  MoveMouseTo(grip);
  settle();
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  std::thread drag([&] {
    for (int step = 1; step <= 10; ++step) {
      Sleep(60);
      MoveMouseTo({grip.x + step * 20, grip.y});
    }
    Sleep(300);
    whileDragging = GetScrollPos(list.hwnd, SB_HORZ);
    MouseButton(MOUSEEVENTF_LEFTUP);
  });
  PumpUntil([] { return false; }, 1500);
  drag.join();
  settle();
  // 200 pixels of the bar's track stand for this many pixels of content.
  const int track = parts.bar.right - parts.bar.left - 2 * parts.arrow - (parts.thumbRight - parts.thumbLeft);
  const int expected = start + MulDiv(200, bar.maximum + 1 - bar.page, track);
  EXPECT_NEAR(expected, whileDragging, kCellWidth / 2) << "the view did not follow the thumb";
  EXPECT_NEAR(expected, bar.position, kCellWidth / 2);
  EXPECT_EQ(bar.position / kCellWidth, firstCell().index);
  EXPECT_EQ(-(bar.position % kCellWidth), firstCell().x);
}

}  // namespace
