#include "property_sheet.h"

#include <cstring>
#include <memory>
#include <new>

PropertySheet::PropertySheet() { std::memset(&header, 0, sizeof header); }

void PropertySheet::AddPage(SubClassDialogBase_CL* pageObject, const std::wstring& title) {
  PageRecord record;
  std::memset(&record.page, 0, sizeof record.page);
  record.page.dwSize = sizeof record.page;
  record.page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
  record.page.hInstance = GetModuleHandleW(NULL);
  if (pageObject) {
    pageObject->BuildDialogTemplate();
    record.page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(pageObject->TemplateBuffer());
    pageObject->SetPublishHwnd(publishSlot);
  }
  record.page.pfnDlgProc = &SubClassDialogBase_CL::PropertyPageProc;
  record.page.lParam = reinterpret_cast<LPARAM>(pageObject);
  record.title = title;
  pages.push_back(record);
}

INT_PTR PropertySheet::Show(HWND owner, const std::wstring& caption) {
  const std::size_t count = pages.size();
  // A sheet without pages has nothing to show (and hangs some systems).
  if (count == 0) return E_FAIL;
  std::unique_ptr<HPROPSHEETPAGE[]> handles(new (std::nothrow) HPROPSHEETPAGE[count]);
  if (!handles) return E_FAIL;
  for (std::size_t i = 0; i < count; ++i) {
    pages[i].page.pszTitle = pages[i].title.c_str();
    handles[i] = CreatePropertySheetPageW(&pages[i].page);
    if (!handles[i]) {
      // A sheet with a hole in its pages cannot run; give back the others.
      for (std::size_t j = 0; j < i; ++j) DestroyPropertySheetPage(handles[j]);
      return E_FAIL;
    }
  }

  header.dwSize = sizeof header;
  header.dwFlags |= PSH_USECALLBACK;
  header.hwndParent = owner;
  header.hInstance = GetModuleHandleW(NULL);
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(count);
  header.phpage = handles.get();
  header.pfnCallback = &SheetCallback;
  const INT_PTR result = PropertySheetW(&header);
  header.phpage = NULL;
  header.pszCaption = NULL;
  return result;
}

int CALLBACK PropertySheet::SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && sheet) {
    SetWindowLongPtrW(sheet, GWLP_USERDATA, GetWindowLongPtrW(sheet, GWLP_WNDPROC));
    SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SheetWindowProc));
  }
  return 0;
}

POINT CenterSheetOver(const RECT& sheet, const RECT& parent) {
  POINT at;
  at.x = (sheet.left + parent.left + parent.right - sheet.right) / 2;
  at.y = (sheet.top + parent.top + parent.bottom - sheet.bottom) / 2;
  return at;
}

LRESULT CALLBACK PropertySheet::SheetWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_SHOWWINDOW) {
    RECT sheet;
    RECT parent;
    HWND parentWindow = GetParent(window);
    if (parentWindow && GetWindowRect(window, &sheet) && GetWindowRect(parentWindow, &parent)) {
      const POINT at = CenterSheetOver(sheet, parent);
      SetWindowPos(window, NULL, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
  }
  WNDPROC saved = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!saved) return 0;
  return CallWindowProcW(saved, window, message, wParam, lParam);
}
