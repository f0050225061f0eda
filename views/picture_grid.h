// What the picture grid does with clicks, drags and keys: the selection with
// its anchor, range end and focus, on top of the grid's geometry. Portable;
// the control reads the key states, sends the notifications and repaints.
#pragma once

#include "grid_layout.h"
#include "hresult.h"
#include "selection_bits.h"

// Virtual-key codes the grid answers.
enum GridKey_EN {
  kKeyReturn = 13,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyA = 65,
};

// The modifier keys as the control read them for one event.
struct GridModifiers {
  bool shift = false;
  bool ctrl = false;
};

class PictureGrid_CL {
 public:
  PictureGrid_CL(ScrollState& horizontal, ScrollState& vertical) : layout(horizontal, vertical) {}
  virtual ~PictureGrid_CL() {}
  PictureGrid_CL(const PictureGrid_CL&) = delete;
  PictureGrid_CL& operator=(const PictureGrid_CL&) = delete;

  // A new number of items: nothing selected; anchor, range end and focus
  // stay as they were. E_FAIL, with no items, when the selection cannot be
  // allocated.
  HRESULT SetCount(unsigned count);
  unsigned Count() const { return selection.Count(); }
  bool IsItem(int index) const { return selection.IsItem(index); }

  // range end := to, then every item between from and to.
  void SelectRange(int from, int to, int operation);

  // A left press on item index (the control has notified the click):
  // Shift extends from the anchor (the item becomes the anchor when there
  // is none), Ctrl toggles the item, otherwise the item alone is selected.
  // The item becomes the focus.
  void Click(int index, GridModifiers keys);
  // A right press on item index: an item outside the selection becomes the
  // only one selected, one inside keeps the selection as it is, so that the
  // menu that follows acts on what was pointed at. The item becomes the
  // focus either way.
  void RightClick(int index);
  // The rules of a click on item 0, then the focus goes to the anchor.
  // Nothing for an empty list.
  void SelectFirst(GridModifiers keys);

  struct MouseMoveResult {
    bool hoverChanged = false;  // hover now names another cell
    bool scrolled = false;      // a drag scrolled the view
  };
  // The mouse names the cell of its tooltip and, while dragging, the moving
  // end of the range selected from the anchor; the view then scrolls towards
  // it. The focus stays where the click or the keys put it.
  MouseMoveResult MouseMove(int x, int y);

  // Brings a focus or an anchor that names no item (none yet, or past the
  // end after the list shrank) onto an item, so that every key acts inside
  // the list: the focus goes to the anchor, or else to item 0; the anchor
  // then to the focus. Nothing for an empty list.
  void BringIndicesIntoRange();
  // One key press on a list with items, after BringIndicesIntoRange (which
  // it runs itself). True when a scroll position moved. The control
  // notifies Enter before calling this and the click after it.
  bool KeyDown(int key, GridModifiers keys);

  GridLayout_CL layout;
  SelectionBits_CL selection;
  int anchor = -1;    // the fixed end of a Shift range
  int rangeEnd = -1;  // the moving end of the last range or click
  int focus = -1;     // the item last clicked or moved to with the keys
  int hover = -1;     // the cell whose tooltip is registered
  int dragging = 0;   // 1 between a left press and its release
  int lastMouseX = 0;
  int lastMouseY = 0;

 private:
  // Shift: the range from the anchor to the focus; no modifier: the focus
  // item alone, which becomes the anchor; Ctrl: the selection stays. Then
  // the focus is brought into view.
  bool AfterFocusMove(GridModifiers keys);
};
