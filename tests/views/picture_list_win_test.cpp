// The picture grid as a real window: what its clicks, keys and mouse moves
// send to the parent, its tooltip registry, its cache and its captions.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caption_text.h"
#include "picture_list_view.h"
#include "strip_layout.h"
#include "views_win_support.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

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

TEST_F(ListWindow, ClickNotifiesBeforeSelectingAndRightClickSelectsNothing) {
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

  host.notifications.clear();
  SendMessageW(list.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, At(2 * kCellWidth + 5, 20));
  ASSERT_EQ(1u, host.notifications.size());
  EXPECT_EQ(NM_RCLICK, host.notifications[0].code);
  EXPECT_EQ(2, host.notifications[0].item);
  EXPECT_EQ(std::vector<int>({0}), Selected());
  EXPECT_EQ(0, list.GetAnchor());

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
  EXPECT_EQ(3, list.GetFocusIndex());
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

}  // namespace
