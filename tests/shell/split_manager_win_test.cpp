// The split manager on real windows: placement in one batch, the bar drag
// with its inverted line, and the saved value in the settings file.
#include "split_manager.h"

#include <gtest/gtest.h>

#include "framework/test_window_win.h"
#include "inifile.h"
#include "test_files.h"

namespace {

const UINT kRelayout = WM_RELAYOUT;

// A parent 600 x 500 with a preview above and a strip below, 100 pixels
// high, and a 4-pixel bar between them.
class SplitWindows : public ::testing::Test {
 protected:
  SplitWindows() : parent(600, 500, 40, 40, WS_CLIPCHILDREN), manager(4, kRelayout) {}

  void SetUp() override {
    ASSERT_TRUE(parent.Get());
    top = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.Get(), NULL,
                          GetModuleHandleW(NULL), NULL);
    bottom = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.Get(), NULL,
                             GetModuleHandleW(NULL), NULL);
    root = manager.AddPane(NULL, L"Root(V)", true, false);
    const int b = manager.AddPane(top, L"SplitB", false, false);
    const int a = manager.AddPane(bottom, L"SplitA", false, false);
    manager.Link(root, b, a);
    manager.Node(root).position = 100;
    ShowWindow(parent.Get(), SW_SHOWNOACTIVATE);
    const RECT area = {0, 20, 600, 500};
    manager.LayoutAll(area);
  }

  void TearDown() override {
    if (GetCapture() == parent.Get()) ReleaseCapture();
  }

  int TakeRelayouts() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, parent.Get(), kRelayout, kRelayout, PM_REMOVE)) ++count;
    return count;
  }

  void Mouse(UINT message, int x, int y) {
    EXPECT_EQ(0, manager.HandleMouse(message, MAKELPARAM(x, y), parent.Get()));
  }

  TestWindow parent;
  SplitManager_CL manager;
  HWND top = NULL;
  HWND bottom = NULL;
  int root = -1;
};

}  // namespace

TEST_F(SplitWindows, PlacesEveryPaneAndShowsIt) {
  RECT place = PlaceOf(top);
  EXPECT_EQ(0, place.left);
  EXPECT_EQ(20, place.top);
  EXPECT_EQ(600, place.right);
  EXPECT_EQ(396, place.bottom);
  place = PlaceOf(bottom);
  EXPECT_EQ(400, place.top);
  EXPECT_EQ(500, place.bottom);
  EXPECT_TRUE(IsWindowVisible(top));
  EXPECT_TRUE(IsWindowVisible(bottom));
  EXPECT_EQ(2u, manager.placements.size());

  // Each layout starts from an empty list of placements.
  const RECT area = {0, 0, 300, 300};
  manager.LayoutAll(area);
  EXPECT_EQ(2u, manager.placements.size());
  EXPECT_EQ(196, PlaceOf(top).bottom);
}

TEST_F(SplitWindows, DraggingTheBarPostsOneRelayoutAndMovesThePosition) {
  TakeRelayouts();
  Mouse(WM_LBUTTONDOWN, 50, 397);
  EXPECT_TRUE(manager.IsDragging());
  EXPECT_EQ(parent.Get(), GetCapture());
  EXPECT_EQ(0, GetWindowLongW(parent.Get(), GWL_STYLE) & WS_CLIPCHILDREN)
      << "the line is drawn over the panes";
  Mouse(WM_MOUSEMOVE, 50, 350);
  Mouse(WM_MOUSEMOVE, 60, 300);
  EXPECT_EQ(0, TakeRelayouts()) << "the layout waits for the button";
  EXPECT_EQ(396, PlaceOf(top).bottom);
  Mouse(WM_LBUTTONUP, 60, 300);

  EXPECT_FALSE(manager.IsDragging());
  EXPECT_NE(parent.Get(), GetCapture());
  EXPECT_NE(0, GetWindowLongW(parent.Get(), GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_EQ(1, TakeRelayouts());
  EXPECT_EQ(500 - 2 - 300, manager.Node(root).position);
  const RECT area = {0, 20, 600, 500};
  manager.LayoutAll(area);
  EXPECT_EQ(300 + 2 - 4, PlaceOf(top).bottom);
  EXPECT_EQ(302, PlaceOf(bottom).top);

  // A second release without a drag posts nothing.
  Mouse(WM_LBUTTONUP, 60, 300);
  EXPECT_EQ(0, TakeRelayouts());
}

TEST_F(SplitWindows, TheDragLineLeavesNoTraceOnTheScreen) {
  // The line lies on the bar's top edge (mouse at 397: edge 395), over the
  // pane above the bar; read it back through the parent, unclipped as the
  // drag leaves it.
  UpdateWindow(parent.Get());
  UpdateWindow(top);
  auto pixel = [this] {
    GdiFlush();
    const LONG style = GetWindowLongW(parent.Get(), GWL_STYLE);
    SetWindowLongW(parent.Get(), GWL_STYLE, style & ~WS_CLIPCHILDREN);
    HDC dc = GetDC(parent.Get());
    const COLORREF colour = GetPixel(dc, 300, 395);
    ReleaseDC(parent.Get(), dc);
    SetWindowLongW(parent.Get(), GWL_STYLE, style);
    return colour;
  };
  const COLORREF before = pixel();
  Mouse(WM_LBUTTONDOWN, 300, 397);
  const COLORREF during = pixel();
  Mouse(WM_MOUSEMOVE, 300, 250);
  const COLORREF moved = pixel();
  Mouse(WM_LBUTTONUP, 300, 250);
  if (before == CLR_INVALID) GTEST_SKIP() << "no pixels to read on this display";
  EXPECT_NE(before, during) << "the line shows at the bar";
  EXPECT_EQ(before, moved) << "drawn twice, the line is gone";
}

TEST_F(SplitWindows, PressingOnAPaneStartsNoDrag) {
  Mouse(WM_LBUTTONDOWN, 50, 100);
  EXPECT_FALSE(manager.IsDragging());
  EXPECT_NE(parent.Get(), GetCapture());
  Mouse(WM_LBUTTONUP, 50, 100);
  EXPECT_EQ(0, TakeRelayouts());
}

TEST_F(SplitWindows, MovingOverTheBarOnlyChangesTheCursor) {
  SetCursor(LoadCursorW(NULL, IDC_ARROW));
  Mouse(WM_MOUSEMOVE, 50, 100);
  EXPECT_EQ(LoadCursorW(NULL, IDC_ARROW), GetCursor()) << "over a pane nothing changes";
  Mouse(WM_MOUSEMOVE, 50, 398);
  EXPECT_EQ(LoadCursorW(NULL, IDC_SIZENS), GetCursor());
  EXPECT_FALSE(manager.IsDragging());
  EXPECT_EQ(0, TakeRelayouts());
  EXPECT_EQ(100, manager.Node(root).position);
}

TEST_F(SplitWindows, LosingTheMouseEndsTheDrag) {
  Mouse(WM_LBUTTONDOWN, 50, 397);
  ASSERT_TRUE(manager.IsDragging());
  TestWindow other(50, 50);
  SetCapture(other.Get());
  EXPECT_EQ(0, manager.HandleMouse(WM_CAPTURECHANGED, reinterpret_cast<LPARAM>(other.Get()),
                                   parent.Get()));
  EXPECT_FALSE(manager.IsDragging());
  EXPECT_NE(0, GetWindowLongW(parent.Get(), GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_EQ(1, TakeRelayouts());
  EXPECT_EQ(other.Get(), GetCapture()) << "the new owner keeps the mouse";
  ReleaseCapture();
}

TEST(SplitManager, WithoutNodesEveryMessageIsIgnored) {
  TestWindow parent(100, 100);
  SplitManager_CL manager(4, kRelayout);
  EXPECT_EQ(0, manager.HandleMouse(WM_LBUTTONDOWN, MAKELPARAM(5, 5), parent.Get()));
  EXPECT_FALSE(manager.IsDragging());
  manager.ApplyPlacements();
  const RECT area = {0, 0, 100, 100};
  manager.LayoutAll(area);
  EXPECT_TRUE(manager.placements.empty());
}

TEST(SplitManager, SavesAndLoadsThroughTheSettingsFile) {
  TempDir dir;
  g_inifile.SetPath(dir.Join(L"Snapvane.ini"));
  SplitManager_CL saved(4, kRelayout);
  saved.AddPane(NULL, L"Root(V)", true, false);
  saved.AddPane(NULL, L"SplitB", false, false);
  saved.Link(0, 1, 1);
  saved.Node(0).position = 183;
  saved.LayoutNode(0, SplitRect{0, 52, 656, 771});
  saved.SaveSplits(L"Window", L"SpliterRect");
  EXPECT_EQ(saved.SaveText(), g_inifile.ReadString(L"Window", L"SpliterRect", L"none"));

  SplitManager_CL loaded(4, kRelayout);
  loaded.AddPane(NULL, L"Root(V)", true, false);
  loaded.AddPane(NULL, L"SplitB", false, false);
  loaded.LoadSplits(L"Window", L"SpliterRect");
  EXPECT_EQ(saved.SaveText(), loaded.SaveText());

  SplitManager_CL empty(4, kRelayout);
  empty.SaveSplits(L"Window", L"SpliterRect");
  EXPECT_EQ(L"", g_inifile.ReadString(L"Window", L"SpliterRect", L"none"));
  g_inifile.SetPath(L"");
}
