// Lays out the panes of a window as a split tree and lets the user drag the
// bars between them: while the left button is held an inverted line shows
// where the bar would go, and the window lays itself out again when the
// button is released.
#pragma once

#include <windows.h>

#include "split_tree.h"

// Posted by the main window's split manager when a bar drag ends.
enum : UINT { WM_RELAYOUT = 3072 };

class SplitManager_CL : public SplitTree_CL {
 public:
  // thickness: the bar width given to new nodes; relayoutMessage: posted
  // (0, 0) to the managed window when a drag ends.
  SplitManager_CL(int thickness, UINT relayoutMessage);
  ~SplitManager_CL() override;

  int AddPane(HWND window, const std::wstring& name, bool stacked, bool anchorFirst) {
    return SplitTree_CL::AddPane(window, name, stacked, anchorFirst);
  }

  // Moves every window of the collected placements in one deferred batch.
  void ApplyPlacements();
  // Clears the placements, lays the tree out from the root over area and
  // applies the result.
  void LayoutAll(const RECT& area);

  // To be called by the managed window for every message it receives; acts
  // on the left button and mouse moves over the bars. Always 0.
  LRESULT HandleMouse(UINT message, LPARAM lParam, HWND window);
  bool IsDragging() const { return dragNode >= 0; }

  // The nodes through the settings file.
  void SaveSplits(const wchar_t* section, const wchar_t* key) const;
  void LoadSplits(const wchar_t* section, const wchar_t* key);

 private:
  void BeginDrag(HWND window, int node, int x, int y);
  void MoveDrag(HWND window, int x, int y);
  void EndDrag(HWND window);
  // XOR-draws the line, so drawing it twice leaves the screen as it was.
  void DrawLine(HWND window, const SplitRect& line) const;

  int dragNode = -1;
  SplitRect dragLine = {0, 0, 0, 0};
  UINT relayoutMessage;
  // The clipping bits the window had before the drag took them away.
  LONG_PTR clipStyle = 0;
};
