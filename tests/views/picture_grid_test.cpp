#include <gtest/gtest.h>

#include <vector>

#include "picture_grid.h"

namespace {

const GridModifiers kNone;
const GridModifiers kShift{true, false};
const GridModifiers kCtrl{false, true};
const GridModifiers kShiftCtrl{true, true};

struct Grid : ::testing::Test {
  ScrollState h;
  ScrollState v;
  PictureGrid_CL grid{h, v};

  void Layout(unsigned count, int mode = kLayoutOneRow, int width = 600, int height = 166) {
    grid.layout.SetLayoutMode(mode);
    grid.layout.SetCellSize(196, 164);
    ASSERT_EQ(S_OK, grid.SetCount(count));
    GridRect client;
    client.right = width;
    client.bottom = height;
    grid.layout.UpdateLayout(client, count, 17);
  }

  std::vector<int> Selected() const {
    std::vector<int> out;
    for (unsigned i = 0; i < grid.Count(); ++i) {
      if (grid.selection.IsSelected(static_cast<int>(i))) out.push_back(static_cast<int>(i));
    }
    return out;
  }
};

TEST_F(Grid, PlainClickSelectsOnlyTheItem) {
  Layout(8);
  grid.Click(2, kNone);
  grid.Click(5, kNone);
  EXPECT_EQ(std::vector<int>({5}), Selected());
  EXPECT_EQ(5, grid.anchor);
  EXPECT_EQ(5, grid.rangeEnd);
  EXPECT_EQ(1, grid.selection.SelectedCount());
  // The keys go on from the item last clicked, wherever the mouse went since.
  EXPECT_EQ(5, grid.focus);
  grid.MouseMove(20, 50);
  EXPECT_EQ(5, grid.focus);
  grid.KeyDown(kKeyRight, kNone);
  EXPECT_EQ(6, grid.focus);
  EXPECT_EQ(std::vector<int>({6}), Selected());
}

TEST_F(Grid, RightClickSelectsAnItemOutsideTheSelectionAndKeepsOneInside) {
  Layout(8);
  grid.Click(1, kNone);
  grid.RightClick(3);
  EXPECT_EQ(std::vector<int>({3}), Selected());
  EXPECT_EQ(3, grid.anchor);
  EXPECT_EQ(3, grid.focus);
  grid.Click(5, kShift);  // 3 to 5
  grid.RightClick(4);
  EXPECT_EQ(std::vector<int>({3, 4, 5}), Selected());
  EXPECT_EQ(3, grid.anchor);
  EXPECT_EQ(4, grid.focus);
  grid.RightClick(8);  // no such item
  EXPECT_EQ(std::vector<int>({3, 4, 5}), Selected());
  EXPECT_EQ(4, grid.focus);
}

TEST_F(Grid, HomeAndEndGoToTheFirstAndTheLastItem) {
  Layout(30);
  grid.Click(4, kNone);
  grid.KeyDown(kKeyEnd, kNone);
  EXPECT_EQ(29, grid.focus);
  EXPECT_EQ(std::vector<int>({29}), Selected());
  EXPECT_EQ(29 * 196 + 196 - 600, h.position);  // the last cell in view
  grid.KeyDown(kKeyHome, kShift);
  EXPECT_EQ(0, grid.focus);
  EXPECT_EQ(30u, Selected().size());
  EXPECT_EQ(0, h.position);
}

TEST_F(Grid, ShiftClickWithoutAnchorThenAgain) {
  Layout(8);
  grid.Click(3, kShift);
  EXPECT_EQ(std::vector<int>({3}), Selected());
  EXPECT_EQ(3, grid.anchor);
  grid.Click(6, kShift);
  EXPECT_EQ(std::vector<int>({3, 4, 5, 6}), Selected());
  EXPECT_EQ(3, grid.anchor);
  EXPECT_EQ(6, grid.rangeEnd);
  // Backwards from the same anchor replaces the range.
  grid.Click(1, kShift);
  EXPECT_EQ(std::vector<int>({1, 2, 3}), Selected());
  EXPECT_EQ(3, grid.selection.SelectedCount());
}

TEST_F(Grid, CtrlClickTogglesOneAndLeavesTheOthers) {
  Layout(8);
  grid.Click(1, kNone);
  grid.Click(4, kCtrl);
  EXPECT_EQ(std::vector<int>({1, 4}), Selected());
  grid.Click(1, kCtrl);
  EXPECT_EQ(std::vector<int>({4}), Selected());
  EXPECT_EQ(1, grid.anchor);
  EXPECT_EQ(1, grid.selection.SelectedCount());
}

TEST_F(Grid, CtrlAWithFocusThreeOfFive) {
  Layout(5);
  grid.focus = 3;
  grid.anchor = 3;
  grid.KeyDown(kKeyA, kCtrl);
  EXPECT_EQ(std::vector<int>({0, 1, 2, 4}), Selected());
  EXPECT_EQ(4, grid.selection.SelectedCount());
  // Without Ctrl, A does nothing.
  grid.KeyDown(kKeyA, kNone);
  EXPECT_EQ(4, grid.selection.SelectedCount());
}

TEST_F(Grid, SetCountClearsTheSelectionAndKeepsAnchorAndFocus) {
  Layout(8);
  grid.Click(2, kNone);
  grid.Click(5, kShift);
  grid.focus = 5;
  grid.hover = 5;
  ASSERT_EQ(S_OK, grid.SetCount(12));
  EXPECT_EQ(12u, grid.Count());
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(0, grid.selection.SelectedCount());
  EXPECT_EQ(2, grid.anchor);
  EXPECT_EQ(5, grid.rangeEnd);
  EXPECT_EQ(5, grid.focus);
  EXPECT_EQ(-1, grid.hover);
}

TEST_F(Grid, ArrowKeysMoveTheFocusAndTheSelection) {
  Layout(10, kLayoutGrid, 1000, 400);  // 5 columns
  grid.focus = 0;
  grid.anchor = 0;
  grid.KeyDown(kKeyRight, kNone);
  EXPECT_EQ(1, grid.focus);
  EXPECT_EQ(1, grid.anchor);
  EXPECT_EQ(std::vector<int>({1}), Selected());
  grid.KeyDown(kKeyDown, kShift);
  EXPECT_EQ(6, grid.focus);
  EXPECT_EQ(1, grid.anchor);
  EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6}), Selected());
  // Ctrl moves the focus only.
  grid.KeyDown(kKeyLeft, kCtrl);
  EXPECT_EQ(5, grid.focus);
  EXPECT_EQ(6u, Selected().size());
  // Ctrl+Space toggles the focus item.
  grid.KeyDown(kKeySpace, kCtrl);
  EXPECT_FALSE(grid.selection.IsSelected(5));
  grid.KeyDown(kKeySpace, kNone);
  EXPECT_FALSE(grid.selection.IsSelected(5));
  // Up stops at 0, Down at the last item.
  grid.KeyDown(kKeyUp, kNone);
  EXPECT_EQ(0, grid.focus);
  grid.KeyDown(kKeyUp, kNone);
  EXPECT_EQ(0, grid.focus);
  grid.KeyDown(kKeyDown, kNone);
  grid.KeyDown(kKeyDown, kNone);
  EXPECT_EQ(9, grid.focus);
  EXPECT_EQ(std::vector<int>({9}), Selected());
}

TEST_F(Grid, EveryKeyWithoutFocusOrAnchorStaysInRange) {
  const int keys[] = {kKeyReturn, kKeySpace, kKeyPageUp, kKeyPageDown, kKeyLeft,
                      kKeyUp,     kKeyRight, kKeyDown,   kKeyA,        90};
  const GridModifiers mods[] = {kNone, kShift, kCtrl, kShiftCtrl};
  const int starts[] = {-1, 7, 100};  // none, past the end after a shrink
  for (int key : keys) {
    for (const GridModifiers& m : mods) {
      for (int focus : starts) {
        for (int anchor : starts) {
          Layout(5, kLayoutGrid, 1000, 400);
          grid.focus = focus;
          grid.anchor = anchor;
          grid.KeyDown(key, m);
          SCOPED_TRACE(::testing::Message() << "key " << key << " focus " << focus << " anchor "
                                            << anchor << " shift " << m.shift << " ctrl " << m.ctrl);
          EXPECT_GE(grid.focus, 0);
          EXPECT_LT(grid.focus, 5);
          EXPECT_GE(grid.anchor, 0);
          EXPECT_LT(grid.anchor, 5);
          int set = 0;
          for (int i = 0; i < 5; ++i) set += grid.selection.IsSelected(i) ? 1 : 0;
          EXPECT_EQ(set, grid.selection.SelectedCount());
        }
      }
    }
  }
}

TEST_F(Grid, SelectFirstActsLikeAClickOnItemZero) {
  Layout(4);
  grid.Click(2, kNone);
  grid.SelectFirst(kNone);
  EXPECT_EQ(std::vector<int>({0}), Selected());
  EXPECT_EQ(0, grid.anchor);
  EXPECT_EQ(0, grid.focus);
  grid.anchor = 3;
  grid.SelectFirst(kShift);
  EXPECT_EQ(std::vector<int>({0, 1, 2, 3}), Selected());
  EXPECT_EQ(3, grid.focus);  // the focus goes to the anchor
  Layout(0);
  grid.anchor = -1;
  grid.SelectFirst(kNone);
  EXPECT_EQ(-1, grid.anchor);
}

TEST_F(Grid, DragSelectsFromTheAnchorToTheMouseAndScrolls) {
  Layout(10);
  grid.Click(1, kNone);
  grid.dragging = 1;
  PictureGrid_CL::MouseMoveResult moved = grid.MouseMove(500, 50);  // over item 2
  EXPECT_EQ(1, grid.focus);  // the photo pressed stays the current one
  EXPECT_TRUE(moved.hoverChanged);
  EXPECT_FALSE(moved.scrolled);
  EXPECT_EQ(std::vector<int>({1, 2}), Selected());
  moved = grid.MouseMove(650, 50);  // past the right edge: item 3, one step on
  EXPECT_TRUE(moved.scrolled);
  EXPECT_EQ(164, h.position);
  EXPECT_EQ(std::vector<int>({1, 2, 3}), Selected());
  grid.MouseMove(651, 50);  // 651 + 164 lies over item 4
  EXPECT_EQ(4, grid.rangeEnd);
  // Without the button the mouse changes nothing.
  grid.dragging = 0;
  grid.MouseMove(100, 50);
  EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), Selected());
  EXPECT_EQ(1, grid.focus);
  // Past the last item the range keeps its end.
  Layout(2);
  grid.Click(0, kNone);
  grid.dragging = 1;
  grid.MouseMove(250, 50);
  grid.MouseMove(590, 50);
  EXPECT_EQ(std::vector<int>({0, 1}), Selected());
  EXPECT_EQ(0, grid.focus);
  EXPECT_EQ(3, grid.hover);
}

TEST(SelectionBits, CountsStayExact) {
  SelectionBits_CL bits;
  ASSERT_TRUE(bits.Reset(70));
  EXPECT_EQ(0, bits.SetSelected(69, kSelectSet));
  EXPECT_EQ(1, bits.SetSelected(69, kSelectSet));  // already set: no change
  EXPECT_EQ(1, bits.SelectedCount());
  EXPECT_EQ(1, bits.SetSelected(69, kSelectQuery));
  EXPECT_EQ(0, bits.SetSelected(70, kSelectSet));  // no such item
  EXPECT_EQ(0, bits.SetSelected(-1, kSelectSet));
  EXPECT_EQ(1, bits.SelectedCount());
  bits.SelectAll(kSelectToggle);
  EXPECT_EQ(69, bits.SelectedCount());
  EXPECT_FALSE(bits.IsSelected(69));
  EXPECT_FALSE(bits.IsSelected(70));
  bits.SelectAll(kSelectSet);
  EXPECT_EQ(70, bits.SelectedCount());
  bits.SelectAll(kSelectToggle);
  EXPECT_EQ(0, bits.SelectedCount());
  for (int i = 0; i < 70; ++i) EXPECT_FALSE(bits.IsSelected(i));
  bits.SelectRange(-5, 200, kSelectSet);
  EXPECT_EQ(70, bits.SelectedCount());
  bits.SelectRange(10, 5, kSelectClear);
  EXPECT_EQ(64, bits.SelectedCount());
  // Exactly 32 and 64 items: the spare word stays clear.
  for (unsigned n : {0u, 32u, 64u}) {
    ASSERT_TRUE(bits.Reset(n));
    bits.SelectAll(kSelectSet);
    EXPECT_EQ(static_cast<int>(n), bits.SelectedCount());
    bits.SelectAll(kSelectToggle);
    EXPECT_EQ(0, bits.SelectedCount());
  }
}

}  // namespace
