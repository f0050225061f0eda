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

FolderSearch_CL::~FolderSearch_CL() {}

bool FolderSearch_CL::EnterFolder(const std::wstring& folder) {
  // A folder opens only with backup semantics; reading its attributes needs
  // no other right, and sharing everything disturbs nobody.
  UniqueFileHandle opened(CreateFileW(folder.empty() ? L"." : folder.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL));
  BY_HANDLE_FILE_INFORMATION info;
  if (!opened || !GetFileInformationByHandle(opened.Get(), &info)) {
    // Nothing to compare by: the folder is searched, and the path limit
    // still bounds the walk.
    known_ = false;
    return true;
  }
  device_ = info.dwVolumeSerialNumber;
  inode_ = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  known_ = true;
  return !IsSearchedFurtherUp();
}

bool FolderSearch_CL::First(const std::wstring& folder, const std::wstring& mask,
                            FindData_T* data) {
  handle_.Reset();
  if (!EnterFolder(folder)) return false;
  handle_.Reset(FindFirstFileW(JoinPath(folder, mask).c_str(), data));
  return handle_.IsValid();
}

bool FolderSearch_CL::Next(FindData_T* data) {
  return handle_.IsValid() && FindNextFileW(handle_.Get(), data) != FALSE;
}

bool PathIsFolder(const std::wstring& path) { return PathIsDirectoryW(path.c_str()) != FALSE; }
