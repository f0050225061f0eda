#include "find_picture.h"

#include <algorithm>

#include "photo_rule.h"

void FindPicture_CL::OnFile(const std::wstring& folder, const FindData_T& data) {
  const wchar_t* begin = data.cFileName;
  const wchar_t* end = begin + sizeof(data.cFileName) / sizeof(data.cFileName[0]);
  const std::wstring name(begin, std::find(begin, end, L'\0'));
  if (!owner || !accepts(name)) return;
  PhotoItem item;
  item.path = JoinPath(folder, name);
  owner->push_back(item);
}

void AddPath(PhotoList& photos, std::wstring path, FindPicture_CL::NameRule accepts) {
  // No check for a trailing separator: "C:\" becomes "C:\\*.*", which the
  // pattern split and the walk's joins handle.
  if (PathIsFolder(path)) {
    path += kPathSeparator;
    path += L"*.*";
  }
  FindPicture_CL finder(&photos, accepts);
  finder.Search(path, 1);
}
