#include <shlwapi.h>

#include "find_file.h"
#include "find_file_platform.h"
#include "find_picture.h"

namespace {

// PathRemoveFileSpecW knows only backslashes, while PathStripPathW takes
// forward slashes too: on "C:\photos/a.jpg" they would disagree and the walk
// would look for a.jpg in C:\, a different file. Windows accepts both
// separators, so the pattern is given the one both functions understand.
void UseBackslashes(wchar_t* path) {
  for (; *path; ++path) {
    if (*path == L'/') *path = L'\\';
  }
}

}  // namespace

void StripPathInPlace(wchar_t* path) {
  UseBackslashes(path);
  PathStripPathW(path);
}

void RemoveFileSpecInPlace(wchar_t* path) {
  UseBackslashes(path);
  PathRemoveFileSpecW(path);
}

FolderSearch_CL::~FolderSearch_CL() {
  if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
}

bool FolderSearch_CL::First(const std::wstring& folder, const std::wstring& mask,
                            FindData_T* data) {
  if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  handle_ = FindFirstFileW(JoinPath(folder, mask).c_str(), data);
  return handle_ != INVALID_HANDLE_VALUE;
}

bool FolderSearch_CL::Next(FindData_T* data) {
  return handle_ != INVALID_HANDLE_VALUE && FindNextFileW(handle_, data) != FALSE;
}

bool PathIsFolder(const std::wstring& path) { return PathIsDirectoryW(path.c_str()) != FALSE; }
