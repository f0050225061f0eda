// The Win32 folder walker on real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find_picture.h"
#include "temp_folder.h"

using photos_test::Join;
using photos_test::TempFolder;

namespace {

std::vector<std::wstring> Registered(const std::wstring& path) {
  PhotoList photos;
  AddPath(photos, path);
  std::vector<std::wstring> paths;
  for (const PhotoItem& item : photos) paths.push_back(item.path);
  return paths;
}

}  // namespace

TEST(Win32Walk, NestedFoldersWithJapaneseNamesAreWalkedInPlace) {
  TempFolder temp;
  const std::wstring photos = L"\x5199\x771F";             // 写真
  const std::wstring trip = Join(photos, L"\x65C5\x884C");  // 写真\旅行
  temp.Folder(Join(trip, L"2023"));
  temp.File(Join(photos, L"b.jpeg"));
  temp.File(Join(photos, L"\x732B.JPG"));  // 猫.JPG
  temp.File(Join(trip, L"c.jpg"));
  temp.File(Join(trip, L"notes.txt"));
  temp.File(Join(Join(trip, L"2023"), L"d.Jpg"));
  temp.File(Join(Join(trip, L"2023"), L"e.jpeg"));
  temp.File(L"top.jpg");

  std::vector<std::wstring> expected;
  photos_test::ListPhotosInNameOrder(temp.path(), &expected);
  ASSERT_EQ(expected.size(), 6u);
  EXPECT_EQ(Registered(temp.path()), expected);
  // A subfolder on its own.
  std::vector<std::wstring> inTrip;
  photos_test::ListPhotosInNameOrder(Join(temp.path(), trip), &inTrip);
  EXPECT_EQ(Registered(Join(temp.path(), trip)), inTrip);
}

TEST(Win32Walk, HiddenAndSystemFilesAndFoldersAreNotExcluded) {
  TempFolder temp;
  const std::wstring hidden = temp.File(L"hidden.jpg");
  const std::wstring folder = temp.Folder(L"system");
  const std::wstring inside = temp.File(Join(L"system", L"inside.jpg"));
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(folder.c_str(),
                                 FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
  std::vector<std::wstring> got = Registered(temp.path());
  std::sort(got.begin(), got.end());
  std::vector<std::wstring> want = {hidden, inside};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);
  SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32Walk, ForwardSlashesFindTheNamedPhotoAndNoOther) {
  // Paths typed by people or passed by other programs may use "/"; the photo
  // must be looked for in the folder named, not in one further up.
  TempFolder temp;
  temp.Folder(L"sub");
  temp.File(L"a.jpg");
  const std::wstring inSub = temp.File(Join(L"sub", L"a.jpg"));
  EXPECT_EQ(Registered(temp.path() + L"/sub/a.jpg"), std::vector<std::wstring>{inSub});
  EXPECT_EQ(Registered(temp.path() + L"/sub"), std::vector<std::wstring>{inSub});
  EXPECT_EQ(Registered(temp.path() + L"/sub/"), std::vector<std::wstring>{inSub});
}

#ifdef SNAPVANE_LINK_LOOP_DIR
TEST(Win32Walk, LinksThatLeadBackUpAreNotWalkedAgain) {
  // top\real\a.jpg, top\link -> real, top\real\loop -> top (see CMakeLists).
  const std::wstring top = L"" SNAPVANE_LINK_LOOP_DIR;
  std::vector<std::wstring> got = Registered(top);
  std::sort(got.begin(), got.end());
  // The photo once through its folder and once through the link to it.
  EXPECT_EQ(got, (std::vector<std::wstring>{Join(Join(top, L"link"), L"a.jpg"),
                                            Join(Join(top, L"real"), L"a.jpg")}));
}
#endif
