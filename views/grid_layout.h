// The geometry of the picture grid: how many cells a row holds, how large the
// content is, which cells the client area shows, which cell lies under a
// point, and the scrolling that brings a cell or the mouse's side into view.
// Portable: the control feeds it the client rectangle and pushes the scroll
// states it changes back to the system.
#pragma once

#include <vector>

#include "scroll_state.h"

enum GridLayoutMode_EN {
  kLayoutOneRow = 0,
  kLayoutOneColumn = 1,
  kLayoutGrid = 2,
};

struct GridRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// One cell the client area shows: its item index (possibly past the last
// item) and its top-left corner in client coordinates.
struct VisibleCell {
  int index;
  int x;
  int y;
};

class GridLayout_CL {
 public:
  // The two states belong to the control's scroll bars; the layout reads and
  // moves their positions.
  GridLayout_CL(ScrollState& horizontal, ScrollState& vertical)
      : horizontal_(horizontal), vertical_(vertical) {}
  virtual ~GridLayout_CL() {}
  GridLayout_CL(const GridLayout_CL&) = delete;
  GridLayout_CL& operator=(const GridLayout_CL&) = delete;

  // Sizes below 1 pixel are taken as 1: every rule divides by them.
  void SetCellSize(int width, int height);
  void SetThumbnailSize(int width, int height);
  void SetThumbnailOffset(int x, int y);
  void SetLayoutMode(int mode) { mode_ = mode; }

  // Columns, content size and both scroll ranges for count items in the
  // client rectangle (scrollBarWidth: the system's vertical bar width, which
  // a grid leaves free), then RebuildVisibleCells. The scroll positions are
  // kept, only limited to the new ranges.
  void UpdateLayout(const GridRect& client, unsigned count, int scrollBarWidth);
  // The cells under the client rectangle at the current scroll positions.
  void RebuildVisibleCells();
  // The index of the cell under a client point, or -1 for a point before
  // the first cell or, in a grid, right of the last column. May be past the
  // last item: callers compare with the count.
  int HitTest(int x, int y) const;
  // Scrolls so that the cell of index is inside the client area. True when a
  // position moved (the visible cells are then rebuilt).
  bool EnsureVisible(int index);
  // While dragging: one wheel step towards each side the point lies beyond.
  // True when a position moved (the visible cells are then rebuilt).
  bool AutoScrollTo(int x, int y);

  int LayoutMode() const { return mode_; }
  int Columns() const { return columns_; }
  int ContentWidth() const { return contentWidth_; }
  int ContentHeight() const { return contentHeight_; }
  int CellWidth() const { return cellWidth_; }
  int CellHeight() const { return cellHeight_; }
  int ThumbnailWidth() const { return thumbnailWidth_; }
  int ThumbnailHeight() const { return thumbnailHeight_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  const GridRect& Client() const { return client_; }
  // The client rectangle without touching the scroll ranges (the control
  // knows it before the first layout).
  void SetClient(const GridRect& client) { client_ = client; }
  const std::vector<VisibleCell>& VisibleCells() const { return cells_; }
  const ScrollState& Horizontal() const { return horizontal_; }
  const ScrollState& Vertical() const { return vertical_; }

 private:
  // cell: the cell's extent along the bar, the step of its arrows.
  void SetRange(ScrollState& bar, int content, int offset, int clientSize, int cell);

  ScrollState& horizontal_;
  ScrollState& vertical_;
  int mode_ = kLayoutGrid;
  int thumbnailWidth_ = 160;
  int thumbnailHeight_ = 120;
  int cellWidth_ = 200;
  int cellHeight_ = 140;
  int offsetX_ = 2;
  int offsetY_ = 2;
  int columns_ = 1;
  int contentWidth_ = 0;
  int contentHeight_ = 0;
  GridRect client_;
  std::vector<VisibleCell> cells_;
};
