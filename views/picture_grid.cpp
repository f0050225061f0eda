#include "picture_grid.h"

HRESULT PictureGrid_CL::SetCount(unsigned count) {
  hover = -1;
  if (!selection.Reset(count)) return E_FAIL;
  return S_OK;
}

void PictureGrid_CL::SelectRange(int from, int to, int operation) {
  rangeEnd = to;
  selection.SelectRange(from, to, operation);
}

void PictureGrid_CL::Click(int index, GridModifiers keys) {
  if (!IsItem(index)) return;
  focus = index;
  if (keys.shift) {
    if (!IsItem(anchor)) {
      anchor = index;
      rangeEnd = index;
    }
    selection.SelectAll(kSelectClear);
    SelectRange(anchor, index, kSelectSet);
    return;
  }
  if (keys.ctrl) {
    selection.SetSelected(index, kSelectToggle);
  } else {
    selection.SelectAll(kSelectClear);
    selection.SetSelected(index, kSelectSet);
  }
  anchor = index;
  rangeEnd = index;
}

void PictureGrid_CL::RightClick(int index) {
  if (!IsItem(index)) return;
  focus = index;
  if (selection.IsSelected(index)) return;
  selection.SelectAll(kSelectClear);
  selection.SetSelected(index, kSelectSet);
  anchor = index;
  rangeEnd = index;
}

void PictureGrid_CL::SelectFirst(GridModifiers keys) {
  if (Count() == 0) return;
  Click(0, keys);
  focus = anchor;
}

PictureGrid_CL::MouseMoveResult PictureGrid_CL::MouseMove(int x, int y) {
  MouseMoveResult result;
  lastMouseX = x;
  lastMouseY = y;
  const int index = layout.HitTest(x, y);
  if (index != hover) {
    hover = index;
    result.hoverChanged = true;
  }
  // Past the last item the range keeps the end it had.
  const int end = IsItem(index) ? index : rangeEnd;
  if (dragging && IsItem(anchor) && IsItem(end) && anchor != end) {
    selection.SelectAll(kSelectClear);
    SelectRange(anchor, end, kSelectSet);
    result.scrolled = layout.AutoScrollTo(x, y);
  }
  return result;
}

void PictureGrid_CL::BringIndicesIntoRange() {
  if (Count() == 0) return;
  if (!IsItem(focus)) focus = IsItem(anchor) ? anchor : 0;
  if (!IsItem(anchor)) anchor = focus;
}

bool PictureGrid_CL::KeyDown(int key, GridModifiers keys) {
  if (Count() == 0) return false;
  BringIndicesIntoRange();
  const int last = static_cast<int>(Count() - 1);
  const int columns = layout.Columns();
  const int client = layout.Client().bottom;
  const int page = (client > 0 ? client / layout.CellHeight() : 0) * columns;
  auto back = [this](int step) { focus = focus - step < 0 ? 0 : focus - step; };
  auto forward = [this, last](int step) { focus = focus > last - step ? last : focus + step; };
  switch (key) {
    case kKeyReturn:
      return AfterFocusMove(keys);
    case kKeySpace:
      if (keys.ctrl) selection.SetSelected(focus, kSelectToggle);
      return false;
    case kKeyPageUp:
      back(page);
      return AfterFocusMove(keys);
    case kKeyPageDown:
      forward(page);
      return AfterFocusMove(keys);
    case kKeyHome:
      focus = 0;
      return AfterFocusMove(keys);
    case kKeyEnd:
      focus = last;
      return AfterFocusMove(keys);
    case kKeyLeft:
      back(1);
      return AfterFocusMove(keys);
    case kKeyUp:
      back(columns);
      return AfterFocusMove(keys);
    case kKeyRight:
      forward(1);
      return AfterFocusMove(keys);
    case kKeyDown:
      forward(columns);
      return AfterFocusMove(keys);
    case kKeyA:
      if (!keys.ctrl) return false;
      // The focus item is toggled twice: every other item changes state.
      selection.SetSelected(focus, kSelectToggle);
      selection.SelectRange(0, last, kSelectToggle);
      return layout.EnsureVisible(focus);
    default:
      return false;
  }
}

bool PictureGrid_CL::AfterFocusMove(GridModifiers keys) {
  if (keys.shift) {
    selection.SelectAll(kSelectClear);
    SelectRange(anchor, focus, kSelectSet);
  } else if (!keys.ctrl) {
    anchor = focus;
    selection.SelectAll(kSelectClear);
    selection.SetSelected(focus, kSelectSet);
  }
  return layout.EnsureVisible(focus);
}
