#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "control_factory.h"
#include "high_dpi_helper.h"
#include "modal_driver_win.h"
#include "update_decision.h"
#include "update_dialog.h"
#include "update_server.h"
#include "version_file.h"

namespace {

RECT PlaceIn(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// What the notice looked like while it was up.
struct NoticeShape {
  RECT window = {0, 0, 0, 0};
  RECT client = {0, 0, 0, 0};
  RECT go = {0, 0, 0, 0};
  RECT later = {0, 0, 0, 0};
  RECT text = {0, 0, 0, 0};
  std::wstring title;
  std::wstring message;
  std::wstring goCaption;
  std::wstring laterCaption;
  LONG style = 0;
};

std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

class UpdateDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP, 150, 120, 700, 500, NULL, NULL,
                            GetModuleHandleW(NULL), NULL);
  }
  void TearDown() override { DestroyWindow(owner); }

  // Runs the notice, looks at it, then sends `finish` (a WM_COMMAND
  // identifier, or 0 for WM_CLOSE). Returns the dialog's result.
  INT_PTR Run(const HighDpiHelper_CL* dpi, WPARAM finish, NoticeShape* shape) {
    UpdateDialog_CL dialog(kUpdateNoticeTitle, L"1.0.2", L"1.0.3.0");
    if (dpi) dialog.SetDpiForTest(*dpi);
    HWND notice = NULL;
    dialog.SetPublishHwnd(&notice);
    ModalDriver driver({
        [&] {
          if (!notice || !IsWindowVisible(notice)) return false;
          GetWindowRect(notice, &shape->window);
          GetClientRect(notice, &shape->client);
          shape->go = PlaceIn(GetDlgItem(notice, kGoToSiteButtonId));
          shape->later = PlaceIn(GetDlgItem(notice, kRemindLaterButtonId));
          HWND text = GetDlgItem(notice, kFirstControlId + 2);
          shape->text = PlaceIn(text);
          shape->message = TextOf(text);
          shape->title = TextOf(notice);
          shape->goCaption = TextOf(GetDlgItem(notice, kGoToSiteButtonId));
          shape->laterCaption = TextOf(GetDlgItem(notice, kRemindLaterButtonId));
          shape->style = GetWindowLongW(notice, GWL_STYLE);
          // Enter and Esc do not answer the notice.
          PostMessageW(notice, WM_COMMAND, IDOK, 0);
          PostMessageW(notice, WM_COMMAND, IDCANCEL, 0);
          return true;
        },
        [&] {
          PostMessageW(notice, finish ? WM_COMMAND : WM_CLOSE, finish, 0);
          return true;
        },
    });
    const INT_PTR result = dialog.DoModal(0, 0, owner);
    EXPECT_TRUE(driver.Finished());
    EXPECT_FALSE(driver.TimedOut());
    return result;
  }

  void ExpectButtonsInTheCorner(const NoticeShape& shape) {
    // PlaceButtonPair: "later" touches the client corner less 4 pixels, "go"
    // stands 4 pixels left of it with the same top.
    EXPECT_EQ(shape.client.right - 4, shape.later.right);
    EXPECT_EQ(shape.client.bottom - 4, shape.later.bottom);
    EXPECT_EQ(shape.later.left - 4, shape.go.right);
    EXPECT_EQ(shape.later.top, shape.go.top);
    EXPECT_GT(shape.go.right - shape.go.left, 0);
  }

  HWND owner = NULL;
};

}  // namespace

TEST_F(UpdateDialogTest, At96DpiTheNoticeIs360By160WithItsButtonsInTheCorner) {
  const HighDpiHelper_CL dpi(false, 96, 96);
  NoticeShape shape;
  EXPECT_EQ(NOTICE_LATER, Run(&dpi, kRemindLaterButtonId, &shape));
  EXPECT_EQ(360, shape.window.right - shape.window.left);
  EXPECT_EQ(160, shape.window.bottom - shape.window.top);
  ExpectButtonsInTheCorner(shape);

  EXPECT_EQ(std::wstring(L"Snapvaneのアップデート。"), shape.title);
  EXPECT_EQ(MakeNoticeText(L"1.0.2", L"1.0.3.0"), shape.message);
  EXPECT_EQ(8, shape.text.left);
  EXPECT_EQ(8, shape.text.top);
  EXPECT_EQ(std::wstring(L"\x3000サイトへ移動する\x3000"), shape.goCaption);
  EXPECT_EQ(std::wstring(L"後日通知する\x3000"), shape.laterCaption);
  EXPECT_EQ(0, shape.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  // Centred over the owner by its client size.
  const int w = shape.client.right;
  const int h = shape.client.bottom;
  EXPECT_EQ(150 + (850 - w - 150) / 2, shape.window.left);
  EXPECT_EQ(120 + (620 - h - 120) / 2, shape.window.top);
}

TEST_F(UpdateDialogTest, TheNoticeGrowsWithTheDpiWhetherTheProcessIsAwareOrNot) {
  const HighDpiHelper_CL dpi(false, 120, 120);
  NoticeShape shape;
  EXPECT_EQ(NOTICE_GO_TO_SITE, Run(&dpi, kGoToSiteButtonId, &shape));
  EXPECT_EQ(450, shape.window.right - shape.window.left);
  EXPECT_EQ(200, shape.window.bottom - shape.window.top);
  ExpectButtonsInTheCorner(shape);

  // An aware process is drawn unscaled: at 144 DPI it grows the notice
  // itself, half as large again.
  const HighDpiHelper_CL aware(true, 144, 144);
  EXPECT_EQ(NOTICE_CLOSED, Run(&aware, 0, &shape));
  EXPECT_EQ(540, shape.window.right - shape.window.left);
  EXPECT_EQ(240, shape.window.bottom - shape.window.top);
}
