// The split layout's arithmetic and its saved text.
#include "split_tree.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

PaneWindow FakeWindow(int n) { return reinterpret_cast<PaneWindow>(static_cast<std::size_t>(n)); }

// The main window's tree: a root without a window, the preview above and the
// strip below, the strip's height fixed by the root's position.
struct MainTree {
  MainTree() : tree(4) {
    root = tree.AddPane(nullptr, L"Root(V)", true, false);
    preview = tree.AddPane(FakeWindow(1), L"SplitB", false, false);
    strip = tree.AddPane(FakeWindow(2), L"SplitA", false, false);
    tree.Link(root, preview, strip);
  }
  SplitTree_CL tree;
  int root, preview, strip;
};

void ExpectRect(const SplitNode& node, int left, int top, int right, int bottom) {
  EXPECT_EQ(left, node.left) << "left of " << testing::PrintToString(node.name);
  EXPECT_EQ(top, node.top) << "top of " << testing::PrintToString(node.name);
  EXPECT_EQ(right, node.right) << "right of " << testing::PrintToString(node.name);
  EXPECT_EQ(bottom, node.bottom) << "bottom of " << testing::PrintToString(node.name);
}

}  // namespace

TEST(SplitTree, StackedRootKeepsTheSecondPaneAtItsExtent) {
  MainTree t;
  t.tree.Node(t.root).position = 183;
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 771});
  ExpectRect(t.tree.Node(t.preview), 0, 52, 656, 584);
  ExpectRect(t.tree.Node(t.strip), 0, 588, 656, 771);
  EXPECT_EQ(183, t.tree.Node(t.strip).bottom - t.tree.Node(t.strip).top);

  // Only panes with a window are placed, in layout order.
  ASSERT_EQ(2u, t.tree.placements.size());
  EXPECT_EQ(FakeWindow(1), t.tree.placements[0].window);
  EXPECT_EQ(L"SplitB", t.tree.placements[0].name);
  EXPECT_EQ(584, t.tree.placements[0].bottom);
  EXPECT_EQ(FakeWindow(2), t.tree.placements[1].window);
  EXPECT_EQ(588, t.tree.placements[1].top);
  EXPECT_EQ(0x44u, t.tree.placements[1].placementFlags);

  // A taller window grows only the first pane.
  t.tree.placements.clear();
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 971});
  ExpectRect(t.tree.Node(t.preview), 0, 52, 656, 784);
  ExpectRect(t.tree.Node(t.strip), 0, 788, 656, 971);
  EXPECT_EQ(183, t.tree.Node(t.root).position);
}

TEST(SplitTree, AreaTooSmallForTheSecondPaneClampsTheBar) {
  MainTree t;
  t.tree.Node(t.root).position = 183;
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 300, 152});
  ExpectRect(t.tree.Node(t.preview), 0, 52, 300, 52);
  ExpectRect(t.tree.Node(t.strip), 0, 56, 300, 152);
  EXPECT_EQ(183, t.tree.Node(t.root).position) << "clamping leaves the position";

  // Anchored at the first child, a position past the far edge keeps the bar
  // inside: the second pane becomes empty.
  SplitTree_CL tree(4);
  const int r = tree.AddPane(nullptr, L"r", true, true);
  const int a = tree.AddPane(nullptr, L"a", false, false);
  const int b = tree.AddPane(nullptr, L"b", false, false);
  tree.Link(r, a, b);
  tree.Node(r).position = 500;
  tree.LayoutNode(r, SplitRect{0, 0, 100, 100});
  ExpectRect(tree.Node(1), 0, 0, 100, 96);
  ExpectRect(tree.Node(2), 0, 100, 100, 100);
}

TEST(SplitTree, UnsetPositionHalvesTheFarEdge) {
  for (bool anchorFirst : {false, true}) {
    SplitTree_CL tree(4);
    const int r = tree.AddPane(nullptr, L"r", false, anchorFirst);
    const int a = tree.AddPane(nullptr, L"a", false, false);
    const int b = tree.AddPane(nullptr, L"b", false, false);
    tree.Link(r, a, b);
    tree.LayoutNode(r, SplitRect{0, 0, 300, 50});
    EXPECT_EQ(148, tree.Node(r).position);
    ExpectRect(tree.Node(1), 0, 0, 148, 50);
    ExpectRect(tree.Node(2), 152, 0, 300, 50);
  }
  // From the far coordinate alone, not from the width.
  SplitTree_CL tree(4);
  const int r = tree.AddPane(nullptr, L"r", false, true);
  const int a = tree.AddPane(nullptr, L"a", false, false);
  const int b = tree.AddPane(nullptr, L"b", false, false);
  tree.Link(r, a, b);
  tree.LayoutNode(r, SplitRect{200, 0, 300, 50});
  EXPECT_EQ(148, tree.Node(r).position);
  EXPECT_EQ(200, tree.Node(1).right) << "clamped to the near edge";
}

TEST(SplitTree, ANodeWithOneChildDoesNotDivide) {
  SplitTree_CL tree(4);
  const int r = tree.AddPane(FakeWindow(7), L"r", true, false);
  const int a = tree.AddPane(FakeWindow(8), L"a", false, false);
  tree.Node(r).firstChild = a;
  tree.LayoutNode(r, SplitRect{0, 0, 80, 60});
  ExpectRect(tree.Node(a), 0, 0, 80, 60);
  EXPECT_EQ(kSplitPositionUnset, tree.Node(r).position);
  EXPECT_EQ(2u, tree.placements.size());
}

TEST(SplitTree, CarelessLinksNeitherLoopNorReachOutside) {
  SplitTree_CL tree(4);
  const int r = tree.AddPane(nullptr, L"r", true, false);
  const int a = tree.AddPane(FakeWindow(1), L"a", false, false);
  EXPECT_FALSE(tree.Link(r, a, 5));
  EXPECT_EQ(-1, tree.Node(r).firstChild);
  ASSERT_TRUE(tree.Link(r, r, a));  // the root as its own child
  tree.LayoutNode(r, SplitRect{0, 0, 100, 100});
  EXPECT_EQ(-1, tree.HitTest(r, 500, 500));
  tree.LayoutNode(9, SplitRect{0, 0, 1, 1});
  EXPECT_EQ(-1, tree.HitTest(9, 0, 0));
}

TEST(SplitTree, HitTestFindsPanesAndTheNodeABarDivides) {
  MainTree t;
  t.tree.Node(t.root).position = 183;
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 771});
  EXPECT_EQ(t.preview, t.tree.HitTest(t.root, 10, 52));
  EXPECT_EQ(t.preview, t.tree.HitTest(t.root, 655, 583));
  EXPECT_EQ(t.root, t.tree.HitTest(t.root, 10, 584));
  EXPECT_EQ(t.root, t.tree.HitTest(t.root, 10, 587));
  EXPECT_EQ(t.strip, t.tree.HitTest(t.root, 10, 588));
  EXPECT_EQ(-1, t.tree.HitTest(t.root, 10, 771));
  EXPECT_EQ(-1, t.tree.HitTest(t.root, 656, 600));
  EXPECT_EQ(-1, t.tree.HitTest(t.root, 10, 51)) << "the toolbar above the tree";
}

TEST(SplitTree, DragLineAndPositionFollowTheMouse) {
  MainTree t;
  t.tree.Node(t.root).position = 183;
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 771});
  SplitRect line = t.tree.DragTo(t.root, 30, 600);
  EXPECT_EQ(0, line.left);
  EXPECT_EQ(656, line.right);
  EXPECT_EQ(598, line.top);
  EXPECT_EQ(598, line.bottom);
  EXPECT_EQ(169, t.tree.Node(t.root).position);
  // The next layout puts the bar where the line was.
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 771});
  EXPECT_EQ(598, t.tree.Node(t.preview).bottom);
  EXPECT_EQ(602, t.tree.Node(t.strip).top);

  // Dragged past the edge: stored unclamped, clamped by the layout.
  t.tree.DragTo(t.root, 30, 900);
  EXPECT_EQ(-131, t.tree.Node(t.root).position);
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 771});
  EXPECT_EQ(767, t.tree.Node(t.preview).bottom);

  // The other three kinds of bar.
  SplitTree_CL tree(4);
  const int sideFirst = tree.AddPane(nullptr, L"sf", false, true);
  const int sideSecond = tree.AddPane(nullptr, L"ss", false, false);
  const int stackFirst = tree.AddPane(nullptr, L"tf", true, true);
  for (int n : {sideFirst, sideSecond, stackFirst}) {
    tree.Node(n).left = 10;
    tree.Node(n).top = 20;
    tree.Node(n).right = 410;
    tree.Node(n).bottom = 320;
  }
  line = tree.DragTo(sideFirst, 100, 50);
  EXPECT_EQ(98, line.left);
  EXPECT_EQ(98, line.right);
  EXPECT_EQ(20, line.top);
  EXPECT_EQ(320, line.bottom);
  EXPECT_EQ(98, tree.Node(sideFirst).position);
  line = tree.DragTo(sideSecond, 100, 50);
  EXPECT_EQ(98, line.left);
  EXPECT_EQ(308, tree.Node(sideSecond).position);
  line = tree.DragTo(stackFirst, 100, 50);
  EXPECT_EQ(48, line.top);
  EXPECT_EQ(48, line.bottom);
  EXPECT_EQ(10, line.left);
  EXPECT_EQ(48, tree.Node(stackFirst).position);
}

TEST(SplitTree, SavedTextListsEveryNodeInOrder) {
  MainTree t;
  EXPECT_EQ(L"Root(V), 0, 0, 0, 0, -1, SplitB, 0, 0, 0, 0, -1, SplitA, 0, 0, 0, 0, -1",
            t.tree.SaveText());
  t.tree.Node(t.root).position = 183;
  t.tree.LayoutNode(t.root, SplitRect{0, 52, 656, 771});
  EXPECT_EQ(L"Root(V), 0, 52, 656, 771, 183, SplitB, 0, 52, 656, 584, -1, "
            L"SplitA, 0, 588, 656, 771, -1",
            t.tree.SaveText());
  EXPECT_EQ(L"", SplitTree_CL(4).SaveText());
}

TEST(SplitTree, LoadingTakesKnownNamesAndStopsAtAShortGroup) {
  MainTree saved;
  saved.tree.Node(saved.root).position = 183;
  saved.tree.LayoutNode(saved.root, SplitRect{0, 52, 656, 771});

  MainTree loaded;
  loaded.tree.LoadText(saved.tree.SaveText());
  EXPECT_EQ(saved.tree.SaveText(), loaded.tree.SaveText());

  // Unknown names are skipped with their numbers; blanks before a token do
  // not matter; "SplitA" is matched exactly.
  MainTree t;
  t.tree.LoadText(L"Old, 1, 2, 3, 4, 5,SplitB,-7,8 ,9,10,11, splita, 1, 1, 1, 1, 1");
  ExpectRect(t.tree.Node(t.preview), -7, 8, 9, 10);
  EXPECT_EQ(11, t.tree.Node(t.preview).position);
  ExpectRect(t.tree.Node(t.strip), 0, 0, 0, 0);

  // A name followed by only three numbers changes nothing; what came before
  // it stays.
  MainTree shortGroup;
  shortGroup.tree.LoadText(L"SplitB, 1, 2, 3, 4, 5, SplitA, 6, 7, 8");
  ExpectRect(shortGroup.tree.Node(shortGroup.preview), 1, 2, 3, 4);
  ExpectRect(shortGroup.tree.Node(shortGroup.strip), 0, 0, 0, 0);
  EXPECT_EQ(kSplitPositionUnset, shortGroup.tree.Node(shortGroup.strip).position);

  MainTree empty;
  empty.tree.LoadText(L"");
  EXPECT_EQ(MainTree().tree.SaveText(), empty.tree.SaveText());
}

TEST(SplitTree, NumbersAreReadLeniently) {
  EXPECT_EQ(-12, ParseSplitNumber(L"-12"));
  EXPECT_EQ(12, ParseSplitNumber(L"12px"));
  EXPECT_EQ(0, ParseSplitNumber(L""));
  EXPECT_EQ(0, ParseSplitNumber(L"x1"));
  EXPECT_EQ(0, ParseSplitNumber(L"-"));
  EXPECT_EQ(INT_MAX, ParseSplitNumber(L"99999999999999999999"));
  EXPECT_EQ(INT_MIN, ParseSplitNumber(L"-2147483648"));
  EXPECT_EQ(INT_MIN, ParseSplitNumber(L"-99999999999999999999"));
}
