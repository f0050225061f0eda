#include "file_open_dialog.h"

#include <new>

#include "dialog_file_names.h"

// Pairs of a name and its patterns, ended by an empty name.
const wchar_t kFileFilter[] =
    L"JPEG 写真 (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0"
    L"すべてのファイル (*.*)\0*.*\0";

bool FileOpenDialog_CL::Run(bool multiSelect, HWND ownerWindow, const wchar_t* title) {
  owner = ownerWindow;
  parameters = OPENFILENAMEW();
  parameters.lStructSize = sizeof(OPENFILENAMEW);
  parameters.hwndOwner = owner;
  parameters.hInstance = GetModuleHandleW(NULL);

  fileBuffer.reset();
  fileBuffer.reset(new (std::nothrow) wchar_t[kBufferChars + 1]);
  if (!fileBuffer) return false;
  fileBuffer[0] = L'\0';
  parameters.lpstrFile = fileBuffer.get();
  parameters.nMaxFile = static_cast<DWORD>(kBufferChars);
  parameters.lpstrFilter = kFileFilter;
  parameters.nFilterIndex = 1;
  if (!initialFolder.empty()) parameters.lpstrInitialDir = initialFolder.c_str();
  parameters.lpstrTitle = title;
  parameters.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (multiSelect) parameters.Flags |= OFN_ALLOWMULTISELECT;
  return GetOpenFileNameW(&parameters) != FALSE;
}

std::vector<std::wstring> FileOpenDialog_CL::GetFileNames() const {
  if (!fileBuffer) return std::vector<std::wstring>();
  return SplitDialogFileNames(fileBuffer.get(), kBufferChars + 1);
}
