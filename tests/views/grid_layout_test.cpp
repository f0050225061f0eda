#include <gtest/gtest.h>

#include "grid_layout.h"

namespace {

GridRect Client(int width, int height) {
  GridRect r;
  r.right = width;
  r.bottom = height;
  return r;
}

// The application's strip: one row of 196 x 164 cells.
struct StripLayout : ::testing::Test {
  ScrollState h;
  ScrollState v;
  GridLayout_CL layout{h, v};
  StripLayout() {
    layout.SetLayoutMode(kLayoutOneRow);
    layout.SetCellSize(196, 164);
    layout.SetThumbnailSize(192, 144);
  }
};

TEST_F(StripLayout, ContentAndRangesOfTenItems) {
  layout.UpdateLayout(Client(600, 166), 10, 17);
  EXPECT_EQ(1960, layout.ContentWidth());
  EXPECT_EQ(164, layout.ContentHeight());
  EXPECT_EQ(10, layout.Columns());
  EXPECT_EQ(0, h.minimum);
  EXPECT_EQ(1961, h.maximum);
  EXPECT_EQ(600, h.page);
  EXPECT_EQ(165, v.maximum);
  EXPECT_EQ(166, v.page);
  // Both wheel steps move by one cell height.
  EXPECT_EQ(164, h.wheelStep);
  EXPECT_EQ(164, v.wheelStep);
}

TEST_F(StripLayout, RelayoutKeepsThePositionButLimitsIt) {
  layout.UpdateLayout(Client(600, 166), 10, 17);
  h.position = 700;
  layout.UpdateLayout(Client(600, 166), 10, 17);
  EXPECT_EQ(700, h.position);  // resizing alone never scrolls
  layout.UpdateLayout(Client(1500, 166), 10, 17);
  EXPECT_EQ(1961 - 1500, h.position);
  layout.UpdateLayout(Client(3000, 166), 10, 17);
  EXPECT_EQ(0, h.position);
}

TEST_F(StripLayout, VisibleCellsFollowTheHorizontalPosition) {
  layout.UpdateLayout(Client(600, 166), 10, 17);
  ASSERT_EQ(4u, layout.VisibleCells().size());  // 0..3: 600 px show 3 and a bit
  EXPECT_EQ(3, layout.VisibleCells().back().index);
  EXPECT_EQ(588, layout.VisibleCells().back().x);

  h.position = 300;
  layout.RebuildVisibleCells();
  const std::vector<VisibleCell>& cells = layout.VisibleCells();
  ASSERT_EQ(4u, cells.size());  // 1..4
  EXPECT_EQ(1, cells.front().index);
  EXPECT_EQ(196 - 300, cells.front().x);
  EXPECT_EQ(0, cells.front().y);
  EXPECT_EQ(4, cells.back().index);
}

TEST_F(StripLayout, HitTestCountsCellsFromTheScrolledStart) {
  layout.UpdateLayout(Client(600, 166), 10, 17);
  EXPECT_EQ(0, layout.HitTest(0, 10));
  EXPECT_EQ(0, layout.HitTest(195, 10));
  EXPECT_EQ(1, layout.HitTest(196, 10));
  h.position = 400;
  EXPECT_EQ(3, layout.HitTest(200, 10));
  EXPECT_EQ(-1, layout.HitTest(-401, 10));
  // A negative position counts as 0.
  h.position = -50;
  EXPECT_EQ(0, layout.HitTest(10, 10));
}

TEST_F(StripLayout, EnsureVisibleScrollsJustEnough) {
  layout.UpdateLayout(Client(600, 166), 10, 17);
  EXPECT_FALSE(layout.EnsureVisible(1));
  EXPECT_EQ(0, h.position);
  // Cell 5 ends at 1176: its right edge is brought to the client's.
  EXPECT_TRUE(layout.EnsureVisible(5));
  EXPECT_EQ(1176 - 600, h.position);
  EXPECT_EQ(2, layout.VisibleCells().front().index);
  // Back to cell 1: its left edge is brought to the client's.
  EXPECT_TRUE(layout.EnsureVisible(1));
  EXPECT_EQ(196, h.position);
}

TEST_F(StripLayout, AutoScrollStepsTowardsTheMouseAndStopsAtTheEnds) {
  layout.UpdateLayout(Client(600, 166), 10, 17);
  EXPECT_FALSE(layout.AutoScrollTo(300, 50));  // inside: nothing
  EXPECT_FALSE(layout.AutoScrollTo(-5, 50));   // already at the start
  EXPECT_TRUE(layout.AutoScrollTo(650, 50));
  EXPECT_EQ(164, h.position);
  for (int i = 0; i < 20; ++i) layout.AutoScrollTo(650, 50);
  EXPECT_EQ(1961 - 600, h.position);
  EXPECT_TRUE(layout.AutoScrollTo(-5, 50));
  EXPECT_EQ(1961 - 600 - 164, h.position);
  // The vertical range fits the client: nothing to scroll.
  EXPECT_FALSE(layout.AutoScrollTo(300, 500));
}

struct GridOfCells : ::testing::Test {
  ScrollState h;
  ScrollState v;
  GridLayout_CL layout{h, v};
  GridOfCells() {
    layout.SetLayoutMode(kLayoutGrid);
    layout.SetCellSize(196, 164);
  }
};

TEST_F(GridOfCells, ColumnsCountAPartlyVisibleCellOnceMoreThanHalfFits) {
  layout.UpdateLayout(Client(1000, 700), 23, 17);
  EXPECT_EQ(5, layout.Columns());
  EXPECT_EQ(980, layout.ContentWidth());
  EXPECT_EQ(5 * 164, layout.ContentHeight());  // 23 items: 5 rows
  // (98 - 2 + 1097 - 17 - 1) / 196 = 5.99: still 5; 1 pixel more makes 6.
  layout.UpdateLayout(Client(1097, 700), 23, 17);
  EXPECT_EQ(5, layout.Columns());
  layout.UpdateLayout(Client(1098, 700), 23, 17);
  EXPECT_EQ(6, layout.Columns());
  // Never fewer than one.
  layout.UpdateLayout(Client(10, 700), 23, 17);
  EXPECT_EQ(1, layout.Columns());
}

TEST_F(GridOfCells, HitTestAndVisibleCells) {
  layout.UpdateLayout(Client(1000, 400), 23, 17);
  EXPECT_EQ(0, layout.HitTest(5, 5));
  EXPECT_EQ(6, layout.HitTest(200, 170));
  // Right of the last column there is no cell.
  EXPECT_EQ(-1, layout.HitTest(985, 5));
  v.position = 164;
  EXPECT_EQ(11, layout.HitTest(200, 170));
  layout.RebuildVisibleCells();
  // Rows 1 to 3 are (partly) visible in 400 pixels from 164 on.
  ASSERT_FALSE(layout.VisibleCells().empty());
  EXPECT_EQ(5, layout.VisibleCells().front().index);
  EXPECT_EQ(0, layout.VisibleCells().front().y);
  EXPECT_EQ(19, layout.VisibleCells().back().index);
}

TEST(ScrollState, RequestsMoveAndStayInRange) {
  ScrollState s;
  s.maximum = 1000;
  s.page = 200;
  s.position = 100;
  EXPECT_EQ(99, s.PositionAfterRequest(kScrollLineBack));
  EXPECT_EQ(101, s.PositionAfterRequest(kScrollLineForward));
  EXPECT_EQ(0, s.PositionAfterRequest(kScrollPageBack));
  EXPECT_EQ(300, s.PositionAfterRequest(kScrollPageForward));
  s.trackPosition = 950;
  EXPECT_EQ(800, s.PositionAfterRequest(kScrollThumbTrack));
  EXPECT_EQ(100, s.PositionAfterRequest(8));  // SB_ENDSCROLL
  // Wheel: a quarter page per notch, whatever the delta's size.
  EXPECT_EQ(50, s.PositionAfterWheel(120));
  EXPECT_EQ(50, s.PositionAfterWheel(1200));
  EXPECT_EQ(150, s.PositionAfterWheel(-120));
  s.wheelStep = 164;
  EXPECT_EQ(0, s.PositionAfterWheel(120));
  // A page larger than the content keeps the view at the start.
  s.page = 2000;
  EXPECT_EQ(0, s.PositionAfterRequest(kScrollPageForward));
}

}  // namespace
