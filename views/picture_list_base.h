// A custom-drawn, scrolling grid of equally sized cells, one per item, with
// a multiple selection, a focus that follows the clicks and the keys,
// drag selection and flicker-free painting through a back buffer. It knows
// nothing about photos: subclasses paint the cells. Clicks, keys and focus
// changes go to the parent as list-view style WM_NOTIFY messages.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "back_buffer.h"
#include "control_base.h"
#include "gdiplus_types.h"
#include "pixel_formats.h"
#include "picture_grid.h"
#include "resource_ids.h"
#include "scroll_bar.h"
#include "tool_tips.h"

class PictureListBase_CL : public ControlBase_CL {
 public:
  static constexpr int kControlId = IDC_PHOTO_STRIP;
  // Tooltip tools are numbered from here by cell index.
  static constexpr int kToolIdBase = 4096;

  PictureListBase_CL();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~PictureListBase_CL() override;

  virtual void DrawFocusFrame(Gdiplus::Graphics& graphics, const RECT& cell);
  virtual void DrawSelection(Gdiplus::Graphics& graphics, const RECT& cell);
  // The cell's picture; nothing in this class.
  virtual void DrawCell(Gdiplus::Graphics& graphics, const RECT& cell, int index);
  // The whole client area: background, then every visible item's cell,
  // focus frame and selection, in that order.
  virtual void PaintAll(Gdiplus::Graphics& graphics);
  virtual void SelectRange(int from, int to, int operation);
  virtual void SetUserValue(int value) = 0;
  // A new number of items: no selection, no tooltip tools; anchor, range
  // end and focus stay. E_FAIL, leaving no items, without memory for it.
  virtual HRESULT SetCount(unsigned count);
  virtual unsigned GetCount();
  virtual void SelectAll(int operation);
  virtual int SetSelected(int index, int operation);
  virtual bool IsSelected(int index);
  // The item the turn commands act on.
  virtual int GetAnchor();
  virtual void EmptyHook(int value);
  virtual void SetThumbnailOffset(int x, int y);
  // The tip of a cell: always empty in this program.
  virtual std::wstring GetToolTipText(int index);
  // Columns, content size and scroll ranges for the current client area
  // and count; call after changing the count or the geometry.
  virtual void UpdateLayout();

  // Creates the list as a child of parent (control identifier IDC_PHOTO_STRIP), with
  // both scroll bars and its tooltip window. Returns the window.
  HWND Create(HWND parent);
  // Acts as if item 0 had been clicked (after new photos were registered).
  void SelectFirst();
  int HitTest(int x, int y) const { return grid.layout.HitTest(x, y); }
  void EnsureVisible(int index);

  // Geometry and colours; UpdateLayout applies them.
  void SetLayoutMode(int mode) { grid.layout.SetLayoutMode(mode); }
  void SetThumbnailSize(int width, int height) { grid.layout.SetThumbnailSize(width, height); }
  void SetCellSize(int width, int height) { grid.layout.SetCellSize(width, height); }
  void SetBackgroundColor(Gdiplus::ARGB color) { backgroundColor = color; }
  void SetFocusFrameColor(Gdiplus::ARGB color) { focusFrameColor = color; }

  int GetFocusIndex() const { return grid.focus; }
  int GetSelectedCount() const { return grid.selection.SelectedCount(); }
  const PictureGrid_CL& Grid() const { return grid; }
  HWND ToolTipWindow() const { return tooltips.window; }
  const ToolTips_CL& ToolTips() const { return tooltips; }

 protected:
  // Sends WM_NOTIFY with an NMITEMACTIVATE to the parent, with the Shift and
  // Ctrl keys as they are now.
  void Notify(int code, int index, int x, int y);
  void Invalidate();
  // Only the cells that show item index are painted again: a turn of one
  // photo need not wait for every caption of the strip to be drawn.
  void InvalidateItem(int index);
  // The scroll positions the grid moved, to the system.
  void ApplyScrollPositions();

  int userValue = 0;
  ScrollBar_CL horizontalBar{SB_HORZ};
  ScrollBar_CL verticalBar{SB_VERT};
  BackBuffer_CL backBuffer{kListBackBufferPixelFormat};
  PictureGrid_CL grid{horizontalBar.state, verticalBar.state};
  Gdiplus::ARGB backgroundColor = 0xFFFFFFFF;
  Gdiplus::ARGB focusFrameColor = 0xFFFFFF00;
  ToolTips_CL tooltips;
  DWORD tooltipStyle = TTS_ALWAYSTIP | TTS_NOPREFIX;

 private:
  void OnPaint(HWND window);
  // What a cell's drawing may touch: its focus frame and selection reach
  // past the cell by the grid's offsets.
  RECT CellExtent(const VisibleCell& cell) const;
  // The part of the client the paint under way redraws; cells outside it
  // are skipped.
  RECT painted = {0, 0, 0, 0};
  void OnKeyDown(WPARAM key);
  void OnMouseMove(int x, int y);
  void OnLeftButtonDown(int x, int y);
  void OnRightButtonDown(int x, int y);
  // The answer to WM_GETDLGCODE for the message the dialog manager holds.
  static UINT DialogCode(const MSG* message);
};

// Unbinds a custom control's window from its object and destroys it, for
// the destructors of objects that outlive or are deleted before their
// parent window.
void DetachAndDestroy(ControlBase_CL& control);
