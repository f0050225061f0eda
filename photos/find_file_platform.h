// The platform half of the folder walker: the two path-pattern splits and one
// folder search. Only the walker itself includes this.
#pragma once

#include <string>

#include "find_file.h"

#ifdef _WIN32
#include "owned_handle_win.h"
#else
#include <dirent.h>
#endif

// Keeps only the last component of a NUL-terminated path in place (the mask).
void StripPathInPlace(wchar_t* path);
// Drops the last component of a NUL-terminated path in place (the root).
void RemoveFileSpecInPlace(wchar_t* path);

// One search of one folder for the names matching a mask, in the order the
// file system returns them. Owns the platform's search handle.
//
// Links (symbolic links, junctions) may lead a walk back into a folder it is
// already inside; without a check such a loop would be walked again and
// again, branching at every other link to the same place, until the path
// limit stops it. So each search knows the searches still open further up
// its walk, and a folder that one of them already searches is not searched
// again.
class FolderSearch_CL {
 public:
  explicit FolderSearch_CL(const FolderSearch_CL* outer) : outer_(outer) {}
  ~FolderSearch_CL();
  FolderSearch_CL(const FolderSearch_CL&) = delete;
  FolderSearch_CL& operator=(const FolderSearch_CL&) = delete;

  // False when nothing matches, the folder cannot be searched, or a search
  // further up the walk already searches it.
  bool First(const std::wstring& folder, const std::wstring& mask, FindData_T* data);
  bool Next(FindData_T* data);

 private:
  // Reads the folder's identity into the fields below; false when the
  // folder is one the walk is already inside (platform part).
  bool EnterFolder(const std::wstring& folder);
  // Whether a search further up has the identity just read (common part).
  bool IsSearchedFurtherUp() const;

  // The folder's identity on this machine: device and inode, or volume serial
  // number and file index. `known` is false when the system would not say.
  bool known_ = false;
  unsigned long long device_ = 0;
  unsigned long long inode_ = 0;
  const FolderSearch_CL* outer_;
#ifdef _WIN32
  UniqueFindHandle handle_;
#else
  bool Fill(const char* name, unsigned char type, FindData_T* data);
  DIR* dir_ = nullptr;
  std::string folder_;  // as the file system spells it; "." for the current one
  std::wstring mask_;
#endif
};
