// Folder trees for the walker's tests, and the order the file system itself
// lists them in.
#pragma once

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

// The photos under folder as the file system lists them, depth first, each
// subfolder's photos where its name falls: what registering the folder must
// give, worked out with the standard library's own directory walk.
inline void ListPhotosInFileSystemOrder(const std::wstring& folder, std::vector<std::wstring>* out) {
  for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder))) {
    const std::wstring name = WidePath(entry.path().filename());
    if (entry.is_directory()) {
      ListPhotosInFileSystemOrder(Join(folder, name), out);
    } else if (IsPhotoFileName(name)) {
      out->push_back(Join(folder, name));
    }
  }
}

}  // namespace photos_test
