#include <algorithm>
#include <vector>

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

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

wchar_t FoldCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

struct Entry {
  std::wstring name;
  FindData_T data;
};

bool EntryBefore(const Entry& a, const Entry& b) { return CompareNames(a.name, b.name) < 0; }

}  // namespace

int CompareNames(const std::wstring& a, const std::wstring& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      // A run of digits is a number: the longer one without its leading
      // zeros is larger, and of two as long the first differing digit tells.
      while (i < a.size() && a[i] == L'0') ++i;
      while (j < b.size() && b[j] == L'0') ++j;
      const std::size_t startA = i, startB = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      if (i - startA != j - startB) return i - startA < j - startB ? -1 : 1;
      const int digits = a.compare(startA, i - startA, b, startB, j - startB);
      if (digits != 0) return digits < 0 ? -1 : 1;
      continue;
    }
    const wchar_t ca = FoldCase(a[i]), cb = FoldCase(b[j]);
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i, ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  // Names that read alike ("a01", "A1") still keep one order.
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

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
  // The file system's own order is no order a person knows (FAT keeps the
  // order of creation, ext4 a hash's): each folder is listed by name, its
  // own files first, then its subfolders.
  std::vector<Entry> files, folders;
  do {
    Entry entry{NameOf(data), data};
    if (entry.name == L"." || entry.name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (recursive) folders.push_back(entry);
    } else {
      files.push_back(entry);
    }
  } while (search.Next(&data));
  std::sort(files.begin(), files.end(), EntryBefore);
  std::sort(folders.begin(), folders.end(), EntryBefore);
  for (const Entry& file : files) OnFile(folder, file.data);
  for (const Entry& sub : folders) {
    // Depth first: the subfolder is finished before the next one is entered.
    // The search stays open meanwhile, so that a link back up is known.
    OnFolder(folder, sub.name);
    Walk(JoinPath(folder, sub.name), &search);
    OnFolderEnd();
  }
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
