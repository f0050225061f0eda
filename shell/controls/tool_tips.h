// The tools registered with one tooltip window, so that they can all be
// removed again.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

class ToolTips_CL {
 public:
  ToolTips_CL() {}
  virtual ~ToolTips_CL() {}
  ToolTips_CL(const ToolTips_CL&) = delete;
  ToolTips_CL& operator=(const ToolTips_CL&) = delete;

  // Creates the tooltip window (style TTS_...), owned by owner. The window
  // goes with its owner.
  HWND Create(HWND owner, DWORD style);

  // Registers a tool over rect of owner, which the tooltip subclasses to see
  // the mouse, with margins of 5 and tips up to 640 pixels wide.
  void AddTool(const RECT& rect, HWND owner, UINT_PTR id, const std::wstring& text);
  // Removes every tool this object registered.
  void RemoveAllTools();

  HWND window = NULL;
  std::vector<TOOLINFOW> tools;  // texts are not kept: the window copies them
};
