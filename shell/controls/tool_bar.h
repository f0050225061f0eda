// The main window's toolbar: a subclassed system toolbar whose buttons carry
// labels that are also their tooltips.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "subclass_window_base.h"
#include "tool_tips.h"

// One button: the toolbar's own description, its label and its position in
// the toolbar (-1 while the record is not in use).
struct ToolButton {
  ToolButton();
  TBBUTTON button;
  std::wstring text;
  int index = -1;
};

class ToolBar_CL : public SubClassWindowBase_CL {
 public:
  static constexpr int kControlId = 10310;
  static constexpr int kInlineButtons = 32;

  ToolBar_CL();
  ~ToolBar_CL() override;

  // Creates the toolbar as a child of parent, with its tooltip window, and
  // subclasses it. Returns the toolbar window.
  HWND CreateToolbar(HWND parent);
  // Appends record's button with text as its label (null: the record's own
  // text, if any); a labelled button gets the label as its tooltip. The
  // record keeps the label, so it must outlive the toolbar.
  void AddToolButton(const wchar_t* text, ToolButton& record);
  // Sizes every button for its image and its label below it, in full.
  void FitButtons();
  // One tooltip tool per labelled button, over the button.
  void RebuildTooltips();
  // Moves the toolbar onto the rectangle its buttons cover and returns it.
  RECT SizeToButtons();
  // Gives the toolbar its images, at their own size; the caller keeps
  // owning the list.
  void SetImageList(HIMAGELIST images);
  // The labels' font; the caller keeps owning it.
  void SetFont(HFONT font);

  // The record at position i (0 to capacity - 1).
  ToolButton& Button(int i) { return buttons[i]; }
  const ToolTips_CL& ToolTips() const { return tooltips; }

 private:
  ToolButton inlineButtons[kInlineButtons];
  ToolButton* buttons;
  int capacity = kInlineButtons;
  ToolTips_CL tooltips;
  DWORD tooltipStyle = TTS_ALWAYSTIP | TTS_NOPREFIX;
};
