#include <sys/stat.h>

#include <cstring>

#include "find_file.h"
#include "find_file_platform.h"
#include "find_picture.h"
#include "native_path.h"

namespace {

bool HasWildcard(const std::wstring& mask) {
  return mask.find_first_of(L"*?") != std::wstring::npos;
}

// The Win32 pattern rule, without its DOS-era quirks: "*" is any run of
// characters, "?" any one; everything else, brackets and backslashes
// included, stands for itself. "*.*" matches every name, dotless ones too.
bool MatchesMask(const std::wstring& mask, const std::wstring& name) {
  if (mask == L"*.*") return true;
  std::size_t m = 0, n = 0;
  std::size_t star = std::wstring::npos, resume = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == L'?' || mask[m] == name[n])) {
      ++m, ++n;
    } else if (m < mask.size() && mask[m] == L'*') {
      star = m++;
      resume = n;
    } else if (star != std::wstring::npos) {
      m = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == L'*') ++m;
  return m == mask.size();
}

std::string ChildPath(const std::string& folder, const char* name) {
  if (folder == ".") return name;
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

// A link to a folder counts as a folder, as a junction does on Windows; a
// broken link is a file.
bool IsFolderEntry(const std::string& path, unsigned char type) {
  if (type == DT_DIR) return true;
  if (type != DT_LNK && type != DT_UNKNOWN) return false;
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

void StripPathInPlace(wchar_t* path) {
  const wchar_t* last = std::wcsrchr(path, L'/');
  if (!last) return;
  const std::size_t length = std::wcslen(last + 1);
  std::memmove(path, last + 1, (length + 1) * sizeof(wchar_t));
}

void RemoveFileSpecInPlace(wchar_t* path) {
  wchar_t* last = std::wcsrchr(path, L'/');
  if (!last) {
    path[0] = L'\0';
  } else if (last == path) {
    path[1] = L'\0';  // the root keeps its separator
  } else {
    *last = L'\0';
  }
}

FolderSearch_CL::~FolderSearch_CL() {
  if (dir_) closedir(dir_);
}

bool FolderSearch_CL::EnterFolder(const std::wstring&) {
  struct stat info;
  if (stat(folder_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  device_ = static_cast<unsigned long long>(info.st_dev);
  inode_ = static_cast<unsigned long long>(info.st_ino);
  known_ = true;
  return !IsSearchedFurtherUp();
}

bool FolderSearch_CL::Fill(const char* name, unsigned char type, FindData_T* data) {
  const std::wstring wide = WideFromNativePath(name, std::strlen(name));
  const std::size_t capacity = sizeof(data->cFileName) / sizeof(data->cFileName[0]);
  if (wide.size() >= capacity) return false;
  wide.copy(data->cFileName, wide.size());
  data->cFileName[wide.size()] = L'\0';
  data->dwFileAttributes = IsFolderEntry(ChildPath(folder_, name), type)
                               ? FILE_ATTRIBUTE_DIRECTORY
                               : FILE_ATTRIBUTE_NORMAL;
  return true;
}

bool FolderSearch_CL::First(const std::wstring& folder, const std::wstring& mask,
                            FindData_T* data) {
  if (dir_) closedir(dir_);
  dir_ = nullptr;
  folder_ = folder.empty() ? std::string(".") : NativePathFromWide(folder);
  mask_ = mask;
  if (mask.empty() || !EnterFolder(folder)) return false;
  if (!HasWildcard(mask)) {
    // A plain name is looked up directly rather than by reading the whole
    // folder: listing many photos one by one stays linear.
    const std::string name = NativePathFromWide(mask);
    struct stat info;
    if (lstat(ChildPath(folder_, name.c_str()).c_str(), &info) != 0) return false;
    return Fill(name.c_str(), S_ISLNK(info.st_mode) ? DT_LNK : (S_ISDIR(info.st_mode) ? DT_DIR : DT_REG),
                data);
  }
  dir_ = opendir(folder_.c_str());
  if (!dir_) return false;
  return Next(data);
}

bool FolderSearch_CL::Next(FindData_T* data) {
  if (!dir_) return false;
  while (const dirent* entry = readdir(dir_)) {
    if (!MatchesMask(mask_, WideFromNativePath(entry->d_name, std::strlen(entry->d_name))))
      continue;
    if (Fill(entry->d_name, entry->d_type, data)) return true;
  }
  return false;
}

bool PathIsFolder(const std::wstring& path) {
  if (path.empty()) return false;
  struct stat info;
  return stat(NativePathFromWide(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
