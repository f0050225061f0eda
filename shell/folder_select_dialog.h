// The system's folder browser: one file-system folder, optionally with a
// folder selected when it opens.
#pragma once

#include <windows.h>

#include <string>

class FolderSelectDialog_CL {
 public:
  FolderSelectDialog_CL() {}
  virtual ~FolderSelectDialog_CL() {}

  // Shows the browser owned by owner. True, with the folder's full path in
  // result, if the user chose a file-system folder; false, leaving result
  // alone, on Cancel or for an item that is not one (a printer, the control
  // panel). COM must be initialised on the calling thread.
  bool Run(HWND owner, const wchar_t* title, std::wstring& result);

  std::wstring initialFolder;  // selected when the browser opens; empty: none
};
