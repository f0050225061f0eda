#include "grid_layout.h"

#include <climits>
#include <cstdint>

namespace {

int AtLeastOne(int value) { return value < 1 ? 1 : value; }

// A product that would not fit in an int: a scroll range cannot hold it.
int ClampedProduct(std::int64_t a, std::int64_t b) {
  const std::int64_t p = a * b;
  return p > INT_MAX ? INT_MAX : static_cast<int>(p);
}

}  // namespace

void GridLayout_CL::SetCellSize(int width, int height) {
  cellWidth_ = AtLeastOne(width);
  cellHeight_ = AtLeastOne(height);
}

void GridLayout_CL::SetThumbnailSize(int width, int height) {
  thumbnailWidth_ = AtLeastOne(width);
  thumbnailHeight_ = AtLeastOne(height);
}

void GridLayout_CL::SetThumbnailOffset(int x, int y) {
  offsetX_ = x;
  offsetY_ = y;
}

void GridLayout_CL::UpdateLayout(const GridRect& client, unsigned count, int scrollBarWidth) {
  const int items = count > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(count);
  switch (mode_) {
    case kLayoutOneRow:
      columns_ = AtLeastOne(items);
      contentWidth_ = ClampedProduct(cellWidth_, items);
      contentHeight_ = cellHeight_;
      break;
    case kLayoutOneColumn:
      columns_ = 1;
      contentWidth_ = cellWidth_;
      contentHeight_ = ClampedProduct(cellHeight_, items);
      break;
    default: {
      // A column counts once more than half a cell of it fits.
      const int columns =
          (cellWidth_ / 2 - offsetX_ + client.right - scrollBarWidth - 1) / cellWidth_;
      columns_ = AtLeastOne(columns);
      contentWidth_ = ClampedProduct(cellWidth_, columns_);
      const int rows = static_cast<int>((static_cast<std::int64_t>(items) + columns_ - 1) / columns_);
      contentHeight_ = ClampedProduct(rows, cellHeight_);
      break;
    }
  }
  if (items == 0) {
    contentWidth_ = 0;
    contentHeight_ = 0;
  }
  SetRange(horizontal_, contentWidth_, offsetX_, client.right - client.left, cellWidth_);
  SetRange(vertical_, contentHeight_, offsetY_, client.bottom - client.top, cellHeight_);
  client_ = client;
  RebuildVisibleCells();
}

void GridLayout_CL::SetRange(ScrollState& bar, int content, int offset, int clientSize, int cell) {
  bar.wheelStep = cellHeight_;
  // An arrow of the bar moves the view by one cell.
  bar.lineStep = cell;
  // The position stays where the user left it; only a range that shrank
  // pulls it back.
  if (bar.position < 0) bar.position = 0;
  bar.minimum = 0;
  bar.maximum = content + offset - 1;
  bar.page = clientSize < 0 ? 0 : clientSize;
  if (bar.position > bar.maximum - bar.page) bar.position = bar.maximum - bar.page;
  if (bar.position < 0) bar.position = 0;
}

void GridLayout_CL::RebuildVisibleCells() {
  cells_.clear();
  const int hPos = horizontal_.PositionOrZero();
  const int vPos = vertical_.PositionOrZero();
  const int left = client_.left + hPos;
  const int top = client_.top + vPos;
  switch (mode_) {
    case kLayoutOneRow:
      for (int i = left / cellWidth_; i <= (client_.right + left - 1) / cellWidth_; ++i) {
        cells_.push_back(VisibleCell{i, i * cellWidth_ - hPos, -vPos});
      }
      break;
    case kLayoutOneColumn:
      for (int i = top / cellHeight_; i <= (client_.bottom + top - 1) / cellHeight_; ++i) {
        cells_.push_back(VisibleCell{i, -hPos, i * cellHeight_ - vPos});
      }
      break;
    default: {
      const int end = columns_ * ((cellHeight_ + client_.bottom + top - 1) / cellHeight_);
      for (int i = columns_ * (top / cellHeight_) + left / cellWidth_; i < end; ++i) {
        cells_.push_back(VisibleCell{i, (i % columns_) * cellWidth_ - hPos,
                                     (i / columns_) * cellHeight_ - vPos});
      }
      break;
    }
  }
}

int GridLayout_CL::HitTest(int x, int y) const {
  const int cx = x + horizontal_.PositionOrZero();
  const int cy = y + vertical_.PositionOrZero();
  switch (mode_) {
    case kLayoutOneRow:
      return cx < 0 ? -1 : cx / cellWidth_;
    case kLayoutOneColumn:
      return cy < 0 ? -1 : cy / cellHeight_;
    default: {
      if (cx < 0 || cy < 0) return -1;
      const int column = cx / cellWidth_;
      if (column >= columns_) return -1;
      return (cy / cellHeight_) * columns_ + column;
    }
  }
}

bool GridLayout_CL::EnsureVisible(int index) {
  if (index < 0) return false;
  const int hPos = horizontal_.PositionOrZero();
  const int vPos = vertical_.PositionOrZero();
  // One formula for every mode: a row has columns = count, a column 1.
  const int x = (index % columns_) * cellWidth_ - hPos;
  const int y = (index / columns_) * cellHeight_ - vPos;
  int dx = 0;
  if (x + cellWidth_ > client_.right) dx = client_.right - (x + cellWidth_);
  if (x + dx < client_.left) dx = client_.left - x;
  int dy = 0;
  if (y + cellHeight_ > client_.bottom) dy = client_.bottom - (y + cellHeight_);
  if (y + dy < client_.top) dy = client_.top - y;
  bool moved = false;
  if (dx != 0) {
    const int pos = horizontal_.Clamp(hPos - dx);
    moved = moved || pos != horizontal_.position;
    horizontal_.position = pos;
  }
  if (dy != 0) {
    const int pos = vertical_.Clamp(vPos - dy);
    moved = moved || pos != vertical_.position;
    vertical_.position = pos;
  }
  if (moved) RebuildVisibleCells();
  return moved;
}

bool GridLayout_CL::AutoScrollTo(int x, int y) {
  bool moved = false;
  auto step = [&moved](ScrollState& bar, int direction) {
    const int pos = bar.Clamp(bar.PositionOrZero() + direction * bar.WheelStepSize());
    if (pos != bar.position) {
      bar.position = pos;
      moved = true;
    }
  };
  if (x < client_.left) step(horizontal_, -1);
  if (x >= client_.right) step(horizontal_, 1);
  if (y < client_.top) step(vertical_, -1);
  if (y >= client_.bottom) step(vertical_, 1);
  if (moved) RebuildVisibleCells();
  return moved;
}
