#include "split_tree.h"

#include <climits>
#include <cstdint>

#include "next_token.h"

int SplitTree_CL::AddPane(PaneWindow window, const std::wstring& name, bool stacked,
                          bool anchorFirst) {
  SplitNode node;
  node.window = window;
  node.name = name;
  node.stacked = stacked ? 1 : 0;
  node.anchorFirst = anchorFirst ? 1 : 0;
  node.thickness = thickness;
  nodes.push_back(node);
  return static_cast<int>(nodes.size()) - 1;
}

int SplitTree_CL::FindNode(const std::wstring& name) const {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

bool SplitTree_CL::Link(int parent, int first, int second) {
  if (!IsNode(parent) || !IsNode(first) || !IsNode(second)) return false;
  Node(parent).firstChild = first;
  Node(parent).secondChild = second;
  return true;
}

void SplitTree_CL::LayoutNode(int node, const SplitRect& rect) { LayoutNode(node, rect, 0); }

void SplitTree_CL::LayoutNode(int index, const SplitRect& rect, std::size_t depth) {
  if (!IsNode(index) || depth > nodes.size()) return;
  SplitNode& node = Node(index);
  node.left = rect.left;
  node.top = rect.top;
  node.right = rect.right;
  node.bottom = rect.bottom;
  if (node.window) {
    PaneRect placement;
    placement.window = node.window;
    placement.left = rect.left;
    placement.top = rect.top;
    placement.right = rect.right;
    placement.bottom = rect.bottom;
    placement.name = node.name;
    placement.placementFlags = node.placementFlags;
    placements.push_back(placement);
  }

  SplitRect first = rect;
  SplitRect second = rect;
  if (node.Divides()) {
    const int t = node.thickness;
    // Along the axis that the bar cuts: near edge, far edge.
    const int nearEdge = node.stacked ? rect.top : rect.left;
    const int farEdge = node.stacked ? rect.bottom : rect.right;
    // The default halves the far coordinate, not the extent: the layout has
    // always done it this way and the saved positions assume it.
    if (node.position == kSplitPositionUnset) node.position = (farEdge - t) / 2;
    int edge = node.anchorFirst ? node.position : farEdge - t - node.position;
    if (edge < nearEdge) edge = nearEdge;
    if (edge + t > farEdge) edge = farEdge - t;
    if (node.stacked) {
      first.bottom = edge;
      second.top = edge + t;
    } else {
      first.right = edge;
      second.left = edge + t;
    }
  }
  if (node.firstChild >= 0) LayoutNode(node.firstChild, first, depth + 1);
  if (node.secondChild >= 0) LayoutNode(node.secondChild, second, depth + 1);
}

int SplitTree_CL::HitTest(int node, int x, int y) const { return HitTest(node, x, y, 0); }

int SplitTree_CL::HitTest(int index, int x, int y, std::size_t depth) const {
  if (!IsNode(index) || depth > nodes.size()) return -1;
  const SplitNode& node = Node(index);
  if (node.firstChild >= 0) {
    const int found = HitTest(node.firstChild, x, y, depth + 1);
    if (found >= 0) return found;
  }
  if (node.secondChild >= 0) {
    const int found = HitTest(node.secondChild, x, y, depth + 1);
    if (found >= 0) return found;
  }
  if (node.left <= x && x < node.right && node.top <= y && y < node.bottom) return index;
  return -1;
}

SplitRect SplitTree_CL::DragTo(int index, int x, int y) {
  SplitRect line = {0, 0, 0, 0};
  if (!IsNode(index)) return line;
  SplitNode& node = Node(index);
  line = node.Rect();
  const int t = node.thickness;
  const int h = t / 2;
  if (node.stacked) {
    const int edge = node.anchorFirst ? y - h : y + h - t;
    node.position = node.anchorFirst ? y - h : node.bottom - h - y;
    line.top = edge;
    line.bottom = edge;
  } else {
    const int edge = node.anchorFirst ? x - h : x + h - t;
    node.position = node.anchorFirst ? x - h : node.right - h - x;
    line.left = edge;
    line.right = edge;
  }
  return line;
}

std::wstring SplitTree_CL::SaveText() const {
  std::wstring text;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const SplitNode& node = nodes[i];
    if (i > 0) text += L", ";
    text += node.name;
    const int numbers[5] = {node.left, node.top, node.right, node.bottom, node.position};
    for (int number : numbers) {
      text += L", ";
      text += std::to_wstring(number);
    }
  }
  return text;
}

void SplitTree_CL::LoadText(const std::wstring& text) {
  std::wstring source = text;
  std::wstring name;
  std::wstring token;
  for (;;) {
    if (!NextToken(source, name)) return;
    int numbers[5];
    for (int& number : numbers) {
      if (!NextToken(source, token)) return;
      number = ParseSplitNumber(token);
    }
    const int index = FindNode(name);
    if (index < 0) continue;
    SplitNode& node = Node(index);
    node.left = numbers[0];
    node.top = numbers[1];
    node.right = numbers[2];
    node.bottom = numbers[3];
    node.position = numbers[4];
  }
}

int ParseSplitNumber(const std::wstring& token) {
  std::size_t i = 0;
  const bool negative = i < token.size() && token[i] == L'-';
  if (negative) ++i;
  std::int64_t value = 0;
  for (; i < token.size() && token[i] >= L'0' && token[i] <= L'9'; ++i) {
    value = value * 10 + (token[i] - L'0');
    if (value > static_cast<std::int64_t>(INT_MAX) + 1) value = static_cast<std::int64_t>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}
