// The photo filter of the folder walker, and AddPath, through which every way
// of bringing photos in registers them.
#pragma once

#include <string>

#include "find_file.h"
#include "photo_item.h"

class FindPicture_CL : public FindFile_CL {
 public:
  explicit FindPicture_CL(PhotoList* owner) : owner(owner) {}
  PhotoList* owner;  // not owned: receives the matches

 protected:
  void OnFile(const std::wstring& folder, const FindData_T& data) override;
};

// True when the path names an existing folder.
bool PathIsFolder(const std::wstring& path);

// Appends every photo that path names: the file itself, or every photo in the
// folder and all its subfolders.
void AddPath(PhotoList& photos, std::wstring path);
