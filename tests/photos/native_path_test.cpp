// File names on POSIX file systems: bytes, usually UTF-8, not always.
#ifndef _WIN32

#include "native_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "find_picture.h"
#include "temp_folder.h"

using photos_test::Join;
using photos_test::TempFolder;

TEST(NativePath, Utf8NamesConvertBothWays) {
  const std::wstring wide = L"/tmp/\x5199\x771F/\x65C5\x884C \U0001F4F7.jpg";  // 写真/旅行 📷
  const std::string bytes = NativePathFromWide(wide);
  EXPECT_EQ(bytes, "/tmp/\xE5\x86\x99\xE7\x9C\x9F/\xE6\x97\x85\xE8\xA1\x8C \xF0\x9F\x93\xB7.jpg");
  EXPECT_EQ(WideFromNativePath(bytes), wide);
}

TEST(NativePath, BytesThatAreNotUtf8RoundTrip) {
  const std::vector<std::string> names = {
      "\xFF.jpg", "caf\xE9.jpg",        // Latin-1
      "\x8E\xCA\x90\x5E.jpg",           // Shift_JIS 写真
      "\xE5\x86.jpg",                   // truncated sequence
      "\xC0\xAF.jpg",                   // overlong "/"
      "\xED\xA0\x80.jpg",               // an encoded surrogate
      "\xF4\x90\x80\x80.jpg",           // beyond U+10FFFF
  };
  for (const std::string& name : names) {
    const std::wstring wide = WideFromNativePath(name);
    EXPECT_EQ(NativePathFromWide(wide), name);
    EXPECT_TRUE(IsPhotoFileName(wide));
  }
}

TEST(NativePath, PhotosWithUndecodableNamesCanBeOpenedByTheirRegisteredPath) {
  TempFolder temp;
  const std::string folder = NativePathFromWide(temp.path());
  const std::string raw = folder + "/\x8E\xCA\x90\x5E.jpg";
  const int fd = ::open(raw.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ::close(fd);

  PhotoList photos;
  AddPath(photos, temp.path());
  ASSERT_EQ(photos.size(), 1u);
  EXPECT_EQ(NativePathFromWide(photos[0].path), raw);
}

TEST(NativeWalk, LinksToFoldersAreFollowedAndLoopsEnd) {
  TempFolder temp;
  temp.Folder(L"real");
  temp.File(Join(L"real", L"a.jpg"));
  const std::string root = NativePathFromWide(temp.path());
  ASSERT_EQ(::symlink((root + "/real").c_str(), (root + "/link").c_str()), 0);
  ASSERT_EQ(::symlink(root.c_str(), (root + "/real/loop").c_str()), 0);
  ASSERT_EQ(::symlink((root + "/nowhere").c_str(), (root + "/broken.jpg").c_str()), 0);

  PhotoList photos;
  AddPath(photos, temp.path());
  // The photo once through the folder and once through the link to it; the
  // link back to the top is not walked again.
  std::vector<std::wstring> paths;
  for (const PhotoItem& item : photos) paths.push_back(item.path);
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (std::vector<std::wstring>{Join(temp.path(), L"broken.jpg"),
                                              Join(Join(temp.path(), L"link"), L"a.jpg"),
                                              Join(Join(temp.path(), L"real"), L"a.jpg")}));
}

#endif
