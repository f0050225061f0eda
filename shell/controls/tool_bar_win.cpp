#include "tool_bar.h"

#include <new>

namespace {

// Not in every SDK's headers.
const DWORD kNoHiliteStyle = 0x10;  // CCS_NOHILITE

}  // namespace

ToolButton::ToolButton() : button() {
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = TBSTYLE_BUTTON;
}

ToolBar_CL::ToolBar_CL() : buttons(inlineButtons) {}

ToolBar_CL::~ToolBar_CL() {
  if (buttons != inlineButtons) delete[] buttons;
  tooltips.tools.clear();
}

HWND ToolBar_CL::CreateToolbar(HWND parent) {
  if (capacity > kInlineButtons && buttons == inlineButtons) {
    ToolButton* more = new (std::nothrow) ToolButton[static_cast<std::size_t>(capacity)];
    if (more) {
      buttons = more;
    } else {
      capacity = kInlineButtons;
    }
  }
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_TRANSPARENT |
                      CCS_NODIVIDER | kNoHiliteStyle | CCS_NOMOVEY;
  const HWND toolbar = CreateToolbarEx(parent, style, kControlId, 0, GetModuleHandleW(NULL), 0, NULL, 0,
                                       0, 0, 0, 0, sizeof(TBBUTTON));
  if (!toolbar) return NULL;
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  tooltips.Create(toolbar, tooltipStyle);
  // The same binding as Create: the object in the user data, its procedure
  // in front of the toolbar's.
  hwnd = toolbar;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<SubClassWindowBase_CL*>(this)));
  savedProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
  return toolbar;
}

void ToolBar_CL::AddToolButton(const wchar_t* text, ToolButton& record) {
  if (!hwnd) return;
  if (text) record.text = text;
  // The label goes in with the button: the toolbar sizes its buttons for
  // the labels it holds when they are inserted, and a label given later
  // would be drawn into a button an image high, cut to a dot.
  if (!record.text.empty()) record.button.iString = reinterpret_cast<INT_PTR>(record.text.c_str());
  const int position = static_cast<int>(SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0));
  SendMessageW(hwnd, TB_INSERTBUTTONW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&record.button));
  if (!record.text.empty()) {
    record.index = static_cast<int>(SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0)) - 1;
  }
  FitButtons();
}

void ToolBar_CL::FitButtons() {
  if (!hwnd) return;
  // Setting the rows again makes the toolbar measure its images and labels
  // anew (after a new font or image size as well).
  SendMessageW(hwnd, TB_SETMAXTEXTROWS, 1, 0);
  SendMessageW(hwnd, TB_AUTOSIZE, 0, 0);
  RebuildTooltips();
}

void ToolBar_CL::RebuildTooltips() {
  tooltips.RemoveAllTools();
  if (!hwnd) return;
  for (int i = 0; i < capacity && buttons[i].index != -1; ++i) {
    const ToolButton& record = buttons[i];
    if (record.text.empty()) continue;
    RECT rect = {};
    SendMessageW(hwnd, TB_GETITEMRECT, static_cast<WPARAM>(record.index), reinterpret_cast<LPARAM>(&rect));
    tooltips.AddTool(rect, hwnd, static_cast<UINT_PTR>(record.button.idCommand), record.text);
  }
}

RECT ToolBar_CL::SizeToButtons() {
  RECT rect = {};
  if (!hwnd) return rect;
  SendMessageW(hwnd, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
  const int count = static_cast<int>(SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0));
  if (count > 0) {
    RECT last = {};
    SendMessageW(hwnd, TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
    rect.right = last.right;
    rect.bottom = last.bottom;
  }
  MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  return rect;
}

void ToolBar_CL::SetImageList(HIMAGELIST images) {
  if (!hwnd) return;
  // The toolbar is made without images of its own; a list given earlier
  // belongs to whoever loaded it (an ImageList_CL), which destroys it.
  SendMessageW(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  int width = 0;
  int height = 0;
  if (images && ImageList_GetIconSize(images, &width, &height)) {
    SendMessageW(hwnd, TB_SETBITMAPSIZE, 0, MAKELONG(width, height));
  }
  FitButtons();
}

void ToolBar_CL::SetFont(HFONT font) {
  if (!hwnd || !font) return;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  FitButtons();
}
