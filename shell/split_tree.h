// The arithmetic of the split layout: a binary tree of named nodes that share
// a window's client area between panes, with a splitter bar of fixed
// thickness between two children; where a dragged bar goes; and the text in
// which the nodes are saved. No window is touched here: SplitManager_CL puts
// the windows where this tree says.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A pane's window, kept opaque so that the arithmetic builds without the
// platform's headers.
typedef void* PaneWindow;

struct SplitRect {
  int left;
  int top;
  int right;
  int bottom;
};

// SWP_SHOWWINDOW | SWP_NOZORDER.
constexpr unsigned kPanePlacementFlags = 0x44;
// A node without a split position yet.
constexpr int kSplitPositionUnset = -1;

struct SplitNode {
  PaneWindow window = nullptr;  // placed in the node's rectangle; may be null
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  std::wstring name;
  unsigned placementFlags = kPanePlacementFlags;
  // Nonzero: children one above the other, horizontal bar; zero: side by
  // side, vertical bar.
  int stacked = 0;
  // Nonzero: position is the first child's far edge; zero: position is the
  // second child's extent, measured back from the node's far edge.
  int anchorFirst = 0;
  int thickness = 0;
  int position = kSplitPositionUnset;
  // Indices into the tree's nodes, -1 for none: indices stay valid when the
  // node array grows, where pointers would not.
  int firstChild = -1;
  int secondChild = -1;

  bool Divides() const { return firstChild >= 0 && secondChild >= 0; }
  SplitRect Rect() const { return SplitRect{left, top, right, bottom}; }
};

// A window and where the last layout put it.
struct PaneRect {
  PaneWindow window = nullptr;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  std::wstring name;
  unsigned placementFlags = kPanePlacementFlags;
};

class SplitTree_CL {
 public:
  explicit SplitTree_CL(int thickness) : thickness(thickness) {}
  virtual ~SplitTree_CL() {}

  // Appends a node without children and with no position yet; returns its
  // index. The first node added is the root.
  int AddPane(PaneWindow window, const std::wstring& name, bool stacked, bool anchorFirst);
  // The index of the first node of exactly this name, or -1.
  int FindNode(const std::wstring& name) const;
  // Makes first and second the children of parent. False, changing nothing,
  // for an index that names no node. (A layout or hit test never descends
  // deeper than there are nodes, so even a careless link cannot loop.)
  bool Link(int parent, int first, int second);

  // Gives node and its subtree their rectangles inside rect and appends a
  // placement for every node that has a window.
  void LayoutNode(int node, const SplitRect& rect);
  // The deepest node under (x, y), searching from node: on a bar, the node
  // the bar divides. -1 when the point lies outside node.
  int HitTest(int node, int x, int y) const;
  // The line that shows where node's bar would go for the mouse at (x, y),
  // from (left, top) to (right, bottom); stores the matching position at
  // once, unclamped (the next layout clamps it).
  SplitRect DragTo(int node, int x, int y);

  // "name, left, top, right, bottom, position" for every node in order,
  // joined with ", ".
  std::wstring SaveText() const;
  // Reads such a text back: a known name gets its rectangle and position, an
  // unknown one is skipped with its numbers, and a group short of a number
  // ends the reading there.
  void LoadText(const std::wstring& text);

  int Thickness() const { return thickness; }
  std::size_t NodeCount() const { return nodes.size(); }
  SplitNode& Node(int index) { return nodes[static_cast<std::size_t>(index)]; }
  const SplitNode& Node(int index) const { return nodes[static_cast<std::size_t>(index)]; }
  bool IsNode(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < nodes.size();
  }

  std::vector<PaneRect> placements;  // collected by the layouts since the last clear

 protected:
  int thickness;  // given to every node added from now on
  std::vector<SplitNode> nodes;

 private:
  void LayoutNode(int node, const SplitRect& rect, std::size_t depth);
  int HitTest(int node, int x, int y, std::size_t depth) const;
};

// A number of the saved text: an optional "-" and decimal digits, read up to
// the first other character; values beyond 32 bits stop at the limit.
int ParseSplitNumber(const std::wstring& token);
