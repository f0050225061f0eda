// The system's file-open dialog, several files at a time, with room in its
// result for the names of a very large selection.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The dialog's file types: "JPEG 写真 (*.jpg;*.jpeg)" first, then
// "すべてのファイル (*.*)", as the dialog takes them.
extern const wchar_t kFileFilter[];

class FileOpenDialog_CL {
 public:
  // Characters the dialog may fill; the buffer holds one more.
  static const std::size_t kBufferChars = 0x1040000;

  FileOpenDialog_CL() {}
  virtual ~FileOpenDialog_CL() {}
  FileOpenDialog_CL(const FileOpenDialog_CL&) = delete;
  FileOpenDialog_CL& operator=(const FileOpenDialog_CL&) = delete;

  // Shows the dialog owned by owner, listing JPEG photos ("JPEG 写真") or,
  // by the person's choice, every file ("すべてのファイル"). True
  // if the user chose at least one file; false on Cancel, on an error, or
  // without memory for the result.
  bool Run(bool multiSelect, HWND owner, const wchar_t* title);
  // The full path of every chosen file, in the dialog's order. Only after
  // Run returned true.
  std::vector<std::wstring> GetFileNames() const;

  // The parameters of the last Run.
  const OPENFILENAMEW& Parameters() const { return parameters; }

  std::wstring initialFolder;  // where the dialog opens; empty: the system's choice

 private:
  HWND owner = NULL;
  std::unique_ptr<wchar_t[]> fileBuffer;
  OPENFILENAMEW parameters = {};
};
