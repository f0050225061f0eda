// A folder walker: visits the files matching a name pattern, optionally in all
// subfolders, depth first, in name order: a folder's files, then its
// subfolders.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
typedef WIN32_FIND_DATAW FindData_T;
#else
#include <cstdint>
// The fields of the Win32 find record that the hooks use.
struct FindData_T {
  std::uint32_t dwFileAttributes;
  wchar_t cFileName[260];
};
#ifndef FILE_ATTRIBUTE_DIRECTORY
#define FILE_ATTRIBUTE_DIRECTORY 0x10u
#endif
#ifndef FILE_ATTRIBUTE_NORMAL
#define FILE_ATTRIBUTE_NORMAL 0x80u
#endif
#endif

#ifdef _WIN32
const wchar_t kPathSeparator = L'\\';
#else
const wchar_t kPathSeparator = L'/';
#endif

// Longest path pattern, terminator included, that Search accepts. The same
// bound applies to every folder search of the walk (folder + separator +
// mask): longer ones are not searched, as Win32 itself refuses them, and it
// also bounds the depth of a walk through looping links.
const unsigned kMaxPatternLength = 260;

// folder + separator + name. No separator is added when folder is empty (a
// name relative to the current folder) or already ends in one (a drive or
// file-system root), so "C:\" and "/" stay usable as folders.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Name order as a person reads it: ASCII letters without regard to case,
// runs of digits by their value ("p2" before "p10"); negative, 0 or
// positive.
int CompareNames(const std::wstring& a, const std::wstring& b);

class FindFile_CL {
 public:
  // pattern: a path whose last component is a file-name pattern ("*" and
  // "?" as wildcards) or a plain name. A pattern of kMaxPatternLength
  // characters or more is refused: nothing is visited. Returns 0.
  int Search(const std::wstring& pattern, int recursive);

  std::wstring mask;
  std::wstring root;
  int recursive = 0;

 protected:
  virtual void OnFolder(const std::wstring& folder, const std::wstring& name);
  virtual void OnFile(const std::wstring& folder, const FindData_T& data);
  virtual void OnFolderEnd();
  // No virtual destructor: objects are locals of their user.
  ~FindFile_CL() {}

 private:
  // outer: the search of the folder that holds this one, null at the root.
  void Walk(const std::wstring& folder, const class FolderSearch_CL* outer);
};
