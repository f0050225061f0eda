// The photo filter of the folder walker, and AddPath, through which every way
// of bringing photos in registers them.
#pragma once

#include <string>

#include "find_file.h"
#include "photo_item.h"
#include "photo_rule.h"

class FindPicture_CL : public FindFile_CL {
 public:
  typedef bool (*NameRule)(const std::wstring& name);
  FindPicture_CL(PhotoList* owner, NameRule accepts) : owner(owner), accepts(accepts) {}
  PhotoList* owner;  // not owned: receives the matches
  NameRule accepts;  // which file names count as photos

 protected:
  void OnFile(const std::wstring& folder, const FindData_T& data) override;
};

// True when the path names an existing folder.
bool PathIsFolder(const std::wstring& path);

// Appends every photo that path names: the file itself, or every photo in the
// folder and all its subfolders. A photo is a name `accepts` takes.
void AddPath(PhotoList& photos, std::wstring path,
             FindPicture_CL::NameRule accepts = IsPhotoFileName);
