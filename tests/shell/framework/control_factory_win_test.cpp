// The control factory on real windows: identifiers, classes, styles, sizes
// and the placement helpers.
#include "control_factory.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "dialog_metrics.h"
#include "test_window_win.h"
#include "text_extent.h"
#include "window_layout.h"

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

int WidthOf(HWND window) {
  const RECT r = PlaceOf(window);
  return r.right - r.left;
}

int HeightOf(HWND window) {
  const RECT r = PlaceOf(window);
  return r.bottom - r.top;
}

class ControlFactoryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
  }

  TestWindow parent{300, 100};
  ControlFactory_CL factory;
};

}  // namespace

TEST_F(ControlFactoryTest, IdentifiersRunFrom4352InCreationOrderWhateverTheKind) {
  ASSERT_TRUE(parent.Get());
  const int text = factory.AddStaticText(parent.Get(), L"ラベル", 3, 5);
  const int button = factory.AddButton(parent.Get(), L"OK", 7);
  const int check = factory.AddCheckBox(parent.Get(), L"常に手前に表示", 9);
  const int group = factory.AddGroupBox(parent.Get(), L"グループ", 200, 60, 11);
  const int progress = factory.AddProgressBar(parent.Get(), 150, 20);

  const int indices[] = {text, button, check, group, progress};
  const int kinds[] = {1, 2, 3, 18, 19};
  const wchar_t* classes[] = {L"Static", L"Button", L"Button", L"Button", L"msctls_progress32"};
  const DWORD styles[] = {0x56000000, 0x56010000, 0x56010003, 0x56000007, 0x56000000};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(i, indices[i]);
    ControlBase_CL* control = factory.Control(indices[i]);
    ASSERT_TRUE(control);
    ASSERT_TRUE(control->hwnd);
    EXPECT_EQ(4352 + i, control->controlId);
    EXPECT_EQ(4352 + i, GetDlgCtrlID(control->hwnd));
    EXPECT_EQ(kinds[i], control->kind);
    EXPECT_EQ(parent.Get(), GetParent(control->hwnd));
    EXPECT_EQ(std::wstring(classes[i]), ClassOf(control->hwnd));
    EXPECT_EQ(styles[i], static_cast<DWORD>(GetWindowLongW(control->hwnd, GWL_STYLE)) & 0xFFFF000Fu);
  }
  EXPECT_EQ(4357, factory.NextId());
  EXPECT_EQ(5, factory.Count());

  // Every control but the progress bar is given the dialog font.
  HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(reinterpret_cast<LRESULT>(guiFont),
            SendMessageW(factory.Window(button), WM_GETFONT, 0, 0));
  EXPECT_EQ(std::wstring(L"常に手前に表示"), TextOf(factory.Window(check)));
}

TEST_F(ControlFactoryTest, ControlsAreSizedToTheirTextAndPlacedAsAsked) {
  HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const SIZE label = MeasureText(guiFont, L"ラベル");
  ASSERT_GT(label.cx, 0);
  ASSERT_GT(label.cy, 0);

  HWND text = factory.Window(factory.AddStaticText(parent.Get(), L"ラベル", 3, 5));
  HWND button = factory.Window(factory.AddButton(parent.Get(), L"ラベル", 7));
  HWND group = factory.Window(factory.AddGroupBox(parent.Get(), L"枠", 200, 60, 11));
  HWND progress = factory.Window(factory.AddProgressBar(parent.Get(), 150, 20));

  EXPECT_EQ(3, PlaceOf(text).left);
  EXPECT_EQ(5, PlaceOf(text).top);
  EXPECT_EQ(label.cx, WidthOf(text));
  EXPECT_EQ(label.cy, HeightOf(text));

  EXPECT_EQ(7, PlaceOf(button).left);
  EXPECT_EQ(0, PlaceOf(button).top);
  EXPECT_EQ(label.cx + 8, WidthOf(button));
  EXPECT_EQ(label.cy + 8, HeightOf(button));

  EXPECT_EQ(0, PlaceOf(group).left);
  EXPECT_EQ(11, PlaceOf(group).top);
  EXPECT_EQ(200, WidthOf(group));
  EXPECT_EQ(60, HeightOf(group));

  EXPECT_EQ(0, PlaceOf(progress).left);
  EXPECT_EQ(0, PlaceOf(progress).top);
  EXPECT_EQ(150, WidthOf(progress));
  EXPECT_EQ(20, HeightOf(progress));
}

TEST_F(ControlFactoryTest, CheckBoxStartsUncheckedAtY16) {
  HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const SIZE extent = MeasureText(guiFont, L"通知しない");
  HWND check = factory.Window(factory.AddCheckBox(parent.Get(), L"通知しない", 12));
  ASSERT_TRUE(check);
  EXPECT_EQ(12, PlaceOf(check).left);
  EXPECT_EQ(16, PlaceOf(check).top);
  EXPECT_EQ(extent.cx + 32, WidthOf(check));
  EXPECT_EQ(extent.cy, HeightOf(check));
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(check, BM_GETCHECK, 0, 0));
  // An automatic check box: a click checks it.
  SendMessageW(check, BM_CLICK, 0, 0);
  EXPECT_EQ(BST_CHECKED, SendMessageW(check, BM_GETCHECK, 0, 0));
}

TEST_F(ControlFactoryTest, FailedCreationKeepsItsPlaceAndIdentifier) {
  HWND noSuchParent = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234));
  const int first = factory.AddButton(noSuchParent, L"x", 0);
  const int second = factory.AddButton(parent.Get(), L"y", 0);
  EXPECT_EQ(0, first);
  EXPECT_EQ(1, second);
  ASSERT_TRUE(factory.Control(first));
  EXPECT_FALSE(factory.Control(first)->hwnd);
  EXPECT_EQ(4352, factory.Control(first)->controlId);
  EXPECT_EQ(4353, GetDlgCtrlID(factory.Window(second)));
  // Helpers skip the missing window instead of failing.
  factory.MoveTo(first, 10, 10);
  factory.PlaceButtonPair(first, parent.Get());
  EXPECT_EQ(0, PlaceOf(factory.Window(second)).left);
  EXPECT_FALSE(factory.Control(2));
  EXPECT_FALSE(factory.Control(-1));
}

TEST_F(ControlFactoryTest, PlaceButtonPairPutsThePairInTheBottomRightCorner) {
  RECT client;
  GetClientRect(parent.Get(), &client);
  ASSERT_EQ(300, client.right);
  ASSERT_EQ(100, client.bottom);
  const int first = factory.AddButton(parent.Get(), L"はい", 0);
  const int second = factory.AddButton(parent.Get(), L"いいえ", 0);
  factory.Control(first)->Resize(80, 24, TRUE);
  factory.Control(second)->Resize(80, 24, TRUE);

  factory.PlaceButtonPair(first, parent.Get());

  EXPECT_EQ(216, PlaceOf(factory.Window(second)).left);
  EXPECT_EQ(72, PlaceOf(factory.Window(second)).top);
  EXPECT_EQ(132, PlaceOf(factory.Window(first)).left);
  EXPECT_EQ(72, PlaceOf(factory.Window(first)).top);
  EXPECT_EQ(80, WidthOf(factory.Window(first)));
  EXPECT_EQ(24, HeightOf(factory.Window(second)));
}

TEST_F(ControlFactoryTest, UpdateButtonsAnswerWithTheirOwnIdentifiers) {
  factory.AddStaticText(parent.Get(), L"新しいバージョンがあります", 0, 0);
  const int first = factory.AddUpdateButtons(parent.Get());
  EXPECT_EQ(1, first);
  HWND site = factory.Window(first);
  HWND later = factory.Window(first + 1);
  EXPECT_EQ(std::wstring(L"\x3000サイトへ移動する\x3000"), TextOf(site));
  EXPECT_EQ(std::wstring(L"後日通知する\x3000"), TextOf(later));
  EXPECT_EQ(4096, factory.Control(first)->controlId);
  EXPECT_EQ(4096, GetDlgCtrlID(site));
  EXPECT_EQ(4098, factory.Control(first + 1)->controlId);
  EXPECT_EQ(4098, GetDlgCtrlID(later));
  EXPECT_EQ(4355, factory.NextId());  // the two buttons still used up 4353 and 4354

  const RECT laterPlace = PlaceOf(later);
  const RECT sitePlace = PlaceOf(site);
  EXPECT_EQ(296, laterPlace.right);
  EXPECT_EQ(96, laterPlace.bottom);
  EXPECT_EQ(laterPlace.left - 4, sitePlace.right);
  EXPECT_EQ(laterPlace.top, sitePlace.top);
}

TEST_F(ControlFactoryTest, StackVerticallyMovesEachControlUnderThePrevious) {
  const int a = factory.AddButton(parent.Get(), L"一", 40);
  const int b = factory.AddCheckBox(parent.Get(), L"二", 60);
  const int c = factory.AddStaticText(parent.Get(), L"三", 80, 90);
  const int heightA = HeightOf(factory.Window(a));
  const int heightB = HeightOf(factory.Window(b));

  const int onlyEnd[] = {-1};
  factory.StackVertically(onlyEnd, 50, 3);
  EXPECT_EQ(0, PlaceOf(factory.Window(a)).top);
  EXPECT_EQ(16, PlaceOf(factory.Window(b)).top);
  EXPECT_EQ(90, PlaceOf(factory.Window(c)).top);

  const int list[] = {c, a, b, -1};
  factory.StackVertically(list, 10, 5);
  EXPECT_EQ(10, PlaceOf(factory.Window(c)).top);
  const int heightC = HeightOf(factory.Window(c));
  EXPECT_EQ(10 + heightC + 5, PlaceOf(factory.Window(a)).top);
  EXPECT_EQ(10 + heightC + 5 + heightA + 5, PlaceOf(factory.Window(b)).top);
  // x and sizes stay.
  EXPECT_EQ(40, PlaceOf(factory.Window(a)).left);
  EXPECT_EQ(60, PlaceOf(factory.Window(b)).left);
  EXPECT_EQ(heightB, HeightOf(factory.Window(b)));
}

TEST(CenterOverOwner, CentresTheWindowOverItsOwner) {
  TestWindow owner(400, 300, 100, 60);
  TestWindow window(200, 100, 0, 0);
  CenterOverOwner(owner.Get(), window.Get());
  RECT rect;
  GetWindowRect(window.Get(), &rect);
  EXPECT_EQ(100 + (500 - 200 - 100) / 2, rect.left);
  EXPECT_EQ(60 + (360 - 100 - 60) / 2, rect.top);
  EXPECT_EQ(200, rect.right - rect.left);
}

TEST(CenterOverOwner, UsesTheFullScreenAreaWhenTheOwnerIsMinimizedOrMissing) {
  const int cx = GetSystemMetrics(SM_CXFULLSCREEN);
  const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
  TestWindow owner(400, 300, 100, 60, WS_MINIMIZE);
  TestWindow window(200, 100, 0, 0);
  CenterOverOwner(owner.Get(), window.Get());
  RECT rect;
  GetWindowRect(window.Get(), &rect);
  EXPECT_EQ((cx - 200) / 2, rect.left);
  EXPECT_EQ((cy - 100) / 2, rect.top);

  TestWindow another(120, 80, 0, 0);
  CenterOverOwner(NULL, another.Get());
  GetWindowRect(another.Get(), &rect);
  EXPECT_EQ((cx - 120) / 2, rect.left);
  EXPECT_EQ((cy - 80) / 2, rect.top);
}

TEST(DialogMetrics, ReportsTheClientSizeAndTheFullWidthLetterCell) {
  TestWindow window(320, 240);
  const DialogMetrics m = GetDialogMetrics(window.Get());
  EXPECT_EQ(0, m.left);
  EXPECT_EQ(0, m.top);
  EXPECT_EQ(320, m.right);
  EXPECT_EQ(240, m.bottom);
  EXPECT_EQ(320, m.width);
  EXPECT_EQ(240, m.height);
  const SIZE cell = MeasureCharCell();
  EXPECT_GT(cell.cx, 0);
  EXPECT_GT(cell.cy, 0);
  EXPECT_EQ(cell.cx, m.charWidth);
  EXPECT_EQ(cell.cy, m.charHeight);
}
