// A small wrapper that runs a modal property sheet from page objects (dialogs
// of the framework) and centres the sheet over its owner when it shows.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "subclass_dialog_base.h"

// <prsht.h> maps the name to PropertySheetW; here it names the wrapper, and
// the platform call is spelled PropertySheetW.
#ifdef PropertySheet
#undef PropertySheet
#endif

// Size every page of the program's sheets gives itself.
constexpr int kPageWidth = 560;
constexpr int kPageHeight = 360;

// A page and its tab title; the page's title pointer is set to `title` just
// before the page is created, once the records no longer move.
struct PageRecord {
  PROPSHEETPAGEW page;
  std::wstring title;
};

struct PropertySheet {
  PropertySheet();

  // The page object must outlive Show. Its publishHwnd becomes publishSlot.
  void AddPage(SubClassDialogBase_CL* pageObject, const std::wstring& title);
  // Runs the sheet (OK, Cancel and Apply, first page first) and returns what
  // PropertySheetW returns, or E_FAIL when there are no pages or they could
  // not be made.
  INT_PTR Show(HWND owner, const std::wstring& caption);

  static int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam);
  static LRESULT CALLBACK SheetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  PROPSHEETHEADERW header;
  std::vector<PageRecord> pages;
  HWND* publishSlot = NULL;
};

// Top-left corner that centres a window rectangle over its parent's, halves
// truncated toward zero.
POINT CenterSheetOver(const RECT& sheet, const RECT& parent);
