#include <algorithm>

#include "find_file.h"
#include "find_file_platform.h"

namespace {

bool IsSeparator(wchar_t c) {
#ifdef _WIN32
  return c == L'\\' || c == L'/';
#else
  return c == L'/';
#endif
}

std::wstring NameOf(const FindData_T& data) {
  const wchar_t* begin = data.cFileName;
  const wchar_t* end = begin + sizeof(data.cFileName) / sizeof(data.cFileName[0]);
  return std::wstring(begin, std::find(begin, end, L'\0'));
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return name;
  std::wstring path = folder;
  if (!IsSeparator(path.back())) path += kPathSeparator;
  path += name;
  return path;
}

int FindFile_CL::Search(const std::wstring& pattern, int recurse) {
  recursive = recurse;
  mask.clear();
  root.clear();
  // The splits work on fixed buffers of the platform's path size; a longer
  // pattern would not fit, so it is refused before any copy is made.
  if (pattern.size() >= kMaxPatternLength) return 0;

  wchar_t buffer[kMaxPatternLength];
  std::copy(pattern.begin(), pattern.end(), buffer);
  buffer[pattern.size()] = L'\0';
  StripPathInPlace(buffer);
  mask = buffer;

  std::copy(pattern.begin(), pattern.end(), buffer);
  buffer[pattern.size()] = L'\0';
  RemoveFileSpecInPlace(buffer);
  root = buffer;

  OnFolder(root, root);
  Walk(root, nullptr);
  OnFolderEnd();
  return 0;
}

void FindFile_CL::Walk(const std::wstring& folder, const FolderSearch_CL* outer) {
  if (mask.empty() || JoinPath(folder, mask).size() >= kMaxPatternLength) return;
  FolderSearch_CL search(outer);
  FindData_T data;
  if (!search.First(folder, mask, &data)) return;
  do {
    const std::wstring name = NameOf(data);
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!recursive) continue;
      // Depth first and in place: the subfolder is finished before the next
      // entry of this folder is looked at.
      OnFolder(folder, name);
      Walk(JoinPath(folder, name), &search);
      OnFolderEnd();
    } else {
      OnFile(folder, data);
    }
  } while (search.Next(&data));
}

bool FolderSearch_CL::IsSearchedFurtherUp() const {
  if (!known_) return false;
  for (const FolderSearch_CL* outer = outer_; outer; outer = outer->outer_) {
    if (outer->known_ && outer->device_ == device_ && outer->inode_ == inode_) return true;
  }
  return false;
}

void FindFile_CL::OnFolder(const std::wstring&, const std::wstring&) {}
void FindFile_CL::OnFile(const std::wstring&, const FindData_T&) {}
void FindFile_CL::OnFolderEnd() {}
