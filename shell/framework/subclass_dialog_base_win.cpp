#include "subclass_dialog_base.h"

#include <prsht.h>

#include "exception_guard.h"

SubClassDialogBase_CL::SubClassDialogBase_CL() {}

SubClassDialogBase_CL::~SubClassDialogBase_CL() {}

void SubClassDialogBase_CL::BuildDialogTemplate() {
  if (!templateBuffer) templateBuffer.reset(new unsigned char[kDialogTemplateBufferSize]);
  ::BuildDialogTemplate(templateBuffer.get(), kDialogTemplateBufferSize, style);
}

INT_PTR SubClassDialogBase_CL::DoModal(LPARAM, LPARAM, HWND parent) {
  parentHwnd = parent;
  BuildDialogTemplate();
  return DialogBoxIndirectParamW(GetModuleHandleW(NULL),
                                 reinterpret_cast<LPCDLGTEMPLATEW>(templateBuffer.get()), parent,
                                 &DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR SubClassDialogBase_CL::HandleMessage(HWND window, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_CLOSE:
      EndDialog(window, 0);
      return 0;
    case WM_INITDIALOG:
      ShowWindow(window, SW_SHOW);
      return 1;
    default:
      return 0;
  }
}

void SubClassDialogBase_CL::Bind(HWND window, HWND published) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  hwnd = window;
  if (publishHwnd) *publishHwnd = published;
  hdc = WindowDc_CL(window);
  font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

INT_PTR CALLBACK SubClassDialogBase_CL::DialogProc(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  SubClassDialogBase_CL* self =
      reinterpret_cast<SubClassDialogBase_CL*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) {
    // Messages before WM_INITDIALOG (WM_SETFONT during creation) have no
    // object to go to yet.
    if (message != WM_INITDIALOG || !lParam) return 0;
    self = reinterpret_cast<SubClassDialogBase_CL*>(lParam);
    self->Bind(window, window);
  }
  // A message whose handling failed counts as not handled.
  const INT_PTR result = CallGuarded<INT_PTR>(
      0, [&] { return self->HandleMessage(window, message, wParam, lParam); });
  if (message == WM_DESTROY) {
    self->font = NULL;
    self->hdc.Reset();
  }
  return result;
}

INT_PTR CALLBACK SubClassDialogBase_CL::PropertyPageProc(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
  SubClassDialogBase_CL* self =
      reinterpret_cast<SubClassDialogBase_CL*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) {
    if (message != WM_INITDIALOG || !lParam) return 0;
    const PROPSHEETPAGEW* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    self = reinterpret_cast<SubClassDialogBase_CL*>(page->lParam);
    if (!self) return 0;
    self->Bind(window, GetParent(window));
  }
  const INT_PTR result = CallGuarded<INT_PTR>(
      0, [&] { return self->HandleMessage(window, message, wParam, lParam); });
  if (message == WM_DESTROY) self->hdc.Reset();
  return result;
}
