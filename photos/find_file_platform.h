// The platform half of the folder walker: the two path-pattern splits and one
// folder search. Only the walker itself includes this.
#pragma once

#include <string>

#include "find_file.h"

#ifndef _WIN32
#include <dirent.h>
#endif

// Keeps only the last component of a NUL-terminated path in place (the mask).
void StripPathInPlace(wchar_t* path);
// Drops the last component of a NUL-terminated path in place (the root).
void RemoveFileSpecInPlace(wchar_t* path);

// One search of one folder for the names matching a mask, in the order the
// file system returns them. Owns the platform's search handle.
class FolderSearch_CL {
 public:
  FolderSearch_CL() {}
  ~FolderSearch_CL();
  FolderSearch_CL(const FolderSearch_CL&) = delete;
  FolderSearch_CL& operator=(const FolderSearch_CL&) = delete;

  // False when nothing matches or the folder cannot be searched.
  bool First(const std::wstring& folder, const std::wstring& mask, FindData_T* data);
  bool Next(FindData_T* data);

 private:
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  bool Fill(const char* name, unsigned char type, FindData_T* data);
  bool EnterFolder();
  DIR* dir_ = nullptr;
  // The searches still open further up this thread's walk form a chain, so a
  // link leading back into one of them is not walked again.
  unsigned long long device_ = 0;
  unsigned long long inode_ = 0;
  const FolderSearch_CL* outer_ = nullptr;
  bool entered_ = false;
  std::string folder_;  // as the file system spells it; "." for the current one
  std::wstring mask_;
#endif
};
