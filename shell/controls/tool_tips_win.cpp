#include "tool_tips.h"

HWND ToolTips_CL::Create(HWND owner, DWORD style) {
  window = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, NULL, GetModuleHandleW(NULL), NULL);
  return window;
}

void ToolTips_CL::AddTool(const RECT& rect, HWND owner, UINT_PTR id, const std::wstring& text) {
  TOOLINFOW info = {};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = id;
  info.rect = rect;
  info.hinst = GetModuleHandleW(NULL);
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  if (window) {
    SendMessageW(window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    RECT margin = {5, 5, 5, 5};
    SendMessageW(window, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    SendMessageW(window, TTM_SETMAXTIPWIDTH, 0, 640);
  }
  info.lpszText = NULL;
  tools.push_back(info);
}

void ToolTips_CL::RemoveAllTools() {
  if (window) {
    // Newest first; a tool the window no longer knows is ignored by it.
    for (std::size_t i = tools.size(); i-- > 0;) {
      SendMessageW(window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tools[i]));
    }
  }
  tools.clear();
}
