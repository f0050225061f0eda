// Base of every dialog of the program. A dialog runs modally from an
// in-memory template without controls; the object is bound to its window at
// WM_INITDIALOG through the window's user-data slot, and every message then
// reaches the virtual HandleMessage.
#pragma once

#include <windows.h>

#include <memory>

#include "dialog_template.h"
#include "win_handles.h"

// WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME.
constexpr DWORD kDialogStyle = 0x80CA0080;

class SubClassDialogBase_CL {
 public:
  SubClassDialogBase_CL();
  virtual ~SubClassDialogBase_CL();
  SubClassDialogBase_CL(const SubClassDialogBase_CL&) = delete;
  SubClassDialogBase_CL& operator=(const SubClassDialogBase_CL&) = delete;

  // Runs the dialog modally over `parent` and returns what its handler gave
  // EndDialog (-1 if the dialog could not be created). The first two
  // arguments are not used.
  virtual INT_PTR DoModal(LPARAM unused1, LPARAM unused2, HWND parent);
  // The base closes on WM_CLOSE with result 0 and shows the window at
  // WM_INITDIALOG.
  virtual INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The same for the pages of a property sheet: the object arrives in the
  // PROPSHEETPAGE's lParam, and `publishHwnd` receives the sheet's window.
  static INT_PTR CALLBACK PropertyPageProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam);

  // Fills the template buffer (allocated on first use, then reused).
  void BuildDialogTemplate();
  const unsigned char* TemplateBuffer() const { return templateBuffer.get(); }

  HWND GetHwnd() const { return hwnd; }
  // Receives the window handle when the dialog (or page) initialises.
  void SetPublishHwnd(HWND* target) { publishHwnd = target; }

 protected:
  HWND hwnd = NULL;
  HWND parentHwnd = NULL;
  WindowDc_CL hdc;  // the dialog's DC, from WM_INITDIALOG to WM_DESTROY
  std::unique_ptr<unsigned char[]> templateBuffer;
  HFONT font = NULL;  // the stock DEFAULT_GUI_FONT: shared, never deleted
  HWND* publishHwnd = NULL;
  DWORD style = kDialogStyle;

 private:
  void Bind(HWND window, HWND published);
};
