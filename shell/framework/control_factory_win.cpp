#include "control_factory.h"

#include <commctrl.h>

#include "button.h"
#include "check_box.h"
#include "group_box.h"
#include "placement_math.h"
#include "progress_bar.h"
#include "static_text.h"
#include "text_extent.h"
#include "window_layout.h"

namespace {

const DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

}  // namespace

ControlFactory_CL::~ControlFactory_CL() {}

int ControlFactory_CL::Add(std::unique_ptr<ControlBase_CL> control, const wchar_t* windowClass,
                           const wchar_t* text, DWORD style, int x, int y, int width,
                           int height, HWND parent, bool setFont) {
  ControlBase_CL* c = control.get();
  c->controlId = nextId++;
  c->hwnd = CreateWindowExW(0, windowClass, text, style, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->controlId)),
                            GetModuleHandleW(NULL), c);
  if (c->hwnd && setFont) {
    SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c->font), TRUE);
  }
  controls.push_back(std::move(control));
  return static_cast<int>(controls.size()) - 1;
}

int ControlFactory_CL::AddStaticText(HWND parent, const wchar_t* text, int x, int y) {
  std::unique_ptr<ControlBase_CL> control(new StaticText_CL);
  const SIZE extent = MeasureText(control->font, text);
  return Add(std::move(control), L"Static", text, kChildStyle, x, y, extent.cx, extent.cy,
             parent, true);
}

int ControlFactory_CL::AddButton(HWND parent, const wchar_t* text, int x) {
  std::unique_ptr<ControlBase_CL> control(new Button_CL);
  const SIZE extent = MeasureText(control->font, text);
  return Add(std::move(control), L"Button", text, kChildStyle | WS_TABSTOP | BS_PUSHBUTTON, x,
             0, extent.cx + 8, extent.cy + 8, parent, true);
}

int ControlFactory_CL::AddCheckBox(HWND parent, const wchar_t* text, int x) {
  std::unique_ptr<ControlBase_CL> control(new CheckBox_CL);
  const SIZE extent = MeasureText(control->font, text);
  const int index = Add(std::move(control), L"Button", text,
                        kChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX, x, 16, extent.cx + 32,
                        extent.cy, parent, true);
  HWND window = Window(index);
  if (window) SendMessageW(window, BM_SETCHECK, BST_UNCHECKED, 0);
  return index;
}

int ControlFactory_CL::AddGroupBox(HWND parent, const wchar_t* text, int width, int height,
                                   int y) {
  return Add(std::unique_ptr<ControlBase_CL>(new GroupBox_CL), L"Button", text,
             kChildStyle | BS_GROUPBOX, 0, y, width, height, parent, true);
}

int ControlFactory_CL::AddProgressBar(HWND parent, int width, int height) {
  return Add(std::unique_ptr<ControlBase_CL>(new ProgressBar_CL), PROGRESS_CLASSW, L"",
             kChildStyle, 0, 0, width, height, parent, false);
}

int ControlFactory_CL::AddUpdateButtons(HWND parent) {
  const int first = AddButton(parent, L"\x3000サイトへ移動する\x3000", 0);
  AddButton(parent, L"後日通知する\x3000", 0);
  const int ids[2] = {kGoToSiteButtonId, kRemindLaterButtonId};
  for (int i = 0; i < 2; ++i) {
    ControlBase_CL* control = Control(first + i);
    control->controlId = ids[i];
    if (control->hwnd) SetWindowLongPtrW(control->hwnd, GWLP_ID, ids[i]);
  }
  PlaceButtonPair(first, parent);
  return first;
}

ControlBase_CL* ControlFactory_CL::Control(int index) const {
  if (index < 0 || index >= Count()) return NULL;
  return controls[static_cast<size_t>(index)].get();
}

HWND ControlFactory_CL::Window(int index) const {
  ControlBase_CL* control = Control(index);
  return control ? control->hwnd : NULL;
}

void ControlFactory_CL::MoveX(int index, int x) {
  HWND window = Window(index);
  if (!window) return;
  MoveWindowTo(window, x, WindowRectInParent(window).top);
}

void ControlFactory_CL::MoveTo(int index, int x, int y) { MoveWindowTo(Window(index), x, y); }

void ControlFactory_CL::StackVertically(const int* indices, int y, int gap) {
  if (!indices) return;
  for (const int* index = indices; *index != -1; ++index) {
    HWND window = Window(*index);
    if (!window) {
      y += gap;  // a control without a window has no height
      continue;
    }
    const RECT rect = WindowRectInParent(window);
    MoveWindowTo(window, rect.left, y);
    y += (rect.bottom - rect.top) + gap;
  }
}

void ControlFactory_CL::PlaceButtonPair(int index, HWND parent) {
  HWND first = Window(index);
  HWND second = Window(index + 1);
  if (!first || !second) return;
  RECT client;
  if (!GetClientRect(parent, &client)) return;
  const RECT firstRect = WindowRectInParent(first);
  const RECT secondRect = WindowRectInParent(second);
  const PlacementRect area = {client.left, client.top, client.right, client.bottom};
  const ButtonPairPlacement placement =
      PlaceButtonPairIn(area, firstRect.right - firstRect.left, secondRect.right - secondRect.left,
                        secondRect.bottom - secondRect.top);
  MoveWindowTo(second, placement.second.x, placement.second.y);
  MoveWindowTo(first, placement.first.x, placement.first.y);
}
