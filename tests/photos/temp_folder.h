// Folder trees for the walker's tests, and the order the photos in them are
// registered in.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "find_file.h"
#include "photo_rule.h"
#include "test_files.h"

#ifndef _WIN32
#include "native_path.h"
#endif

namespace photos_test {

inline std::filesystem::path FsPath(const std::wstring& path) {
#ifdef _WIN32
  return std::filesystem::path(path);
#else
  return std::filesystem::path(NativePathFromWide(path));
#endif
}

inline std::wstring WidePath(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.wstring();
#else
  return WideFromNativePath(path.string());
#endif
}

inline std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder + kPathSeparator + name;
}

// A TempDir that makes nested files and folders by paths relative to it.
class TempFolder {
 public:
  const std::wstring& path() const { return dir_.Path(); }

  // relative uses kPathSeparator; each returns the full path.
  std::wstring Folder(const std::wstring& relative) const {
    std::filesystem::create_directories(FsPath(Join(path(), relative)));
    return Join(path(), relative);
  }
  // The empty string when the file cannot be made.
  std::wstring File(const std::wstring& relative) const {
    const std::wstring full = Join(path(), relative);
    return WriteBytes(full, Bytes{'x'}) ? full : std::wstring();
  }

 private:
  TempDir dir_;
};

// The photos under folder in name order, worked out with the standard
// library's own directory walk: a folder's photos first, then each
// subfolder's, names compared without regard to ASCII case. (Numbers in
// names are compared by value; the trees given to this have none that
// would sort otherwise.)
inline void ListPhotosInNameOrder(const std::wstring& folder, std::vector<std::wstring>* out) {
  std::vector<std::wstring> files, folders;
  for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder))) {
    const std::wstring name = WidePath(entry.path().filename());
    if (entry.is_directory()) {
      folders.push_back(name);
    } else if (IsPhotoFileName(name)) {
      files.push_back(name);
    }
  }
  auto lower = [](std::wstring s) {
    for (wchar_t& c : s) {
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return s;
  };
  auto before = [&](const std::wstring& a, const std::wstring& b) { return lower(a) < lower(b); };
  std::sort(files.begin(), files.end(), before);
  std::sort(folders.begin(), folders.end(), before);
  for (const std::wstring& name : files) out->push_back(Join(folder, name));
  for (const std::wstring& name : folders) ListPhotosInNameOrder(Join(folder, name), out);
}

}  // namespace photos_test
