#include "folder_select_dialog.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

int CALLBACK SelectInitialFolder(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

bool FolderSelectDialog_CL::Run(HWND owner, const wchar_t* title, std::wstring& result) {
  wchar_t displayName[MAX_PATH] = L"";
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pidlRoot = NULL;
  info.pszDisplayName = displayName;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  if (!initialFolder.empty()) {
    info.lpfn = &SelectInitialFolder;
    info.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
  }
  LPITEMIDLIST item = SHBrowseForFolderW(&info);
  if (!item) return false;
  wchar_t path[MAX_PATH] = L"";
  const bool isFolder = SHGetPathFromIDListW(item, path) != FALSE;
  // The item list is the caller's whatever it names.
  CoTaskMemFree(item);
  if (!isFolder) return false;
  result = path;
  return true;
}
