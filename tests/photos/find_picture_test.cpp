#include "find_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

using photos_test::Join;
using photos_test::TempFolder;

namespace {

std::vector<std::wstring> Paths(const PhotoList& photos) {
  std::vector<std::wstring> paths;
  for (const PhotoItem& item : photos) paths.push_back(item.path);
  return paths;
}

std::vector<std::wstring> Registered(const std::wstring& path) {
  PhotoList photos;
  AddPath(photos, path);
  return Paths(photos);
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// Records the walker's hooks as text.
class RecordingFind_CL : public FindFile_CL {
 public:
  std::vector<std::wstring> events;

 protected:
  void OnFolder(const std::wstring& folder, const std::wstring& name) override {
    events.push_back(L"folder " + folder + L" | " + name);
  }
  void OnFile(const std::wstring& folder, const FindData_T& data) override {
    events.push_back(L"file " + Join(folder, data.cFileName));
  }
  void OnFolderEnd() override { events.push_back(L"end"); }
};

}  // namespace

class AddPathTest : public ::testing::Test {
 protected:
  TempFolder temp;
};

TEST_F(AddPathTest, FolderRegistersItsPhotosAndThoseOfItsSubfolders) {
  const std::wstring a = temp.File(L"a.JPG");
  const std::wstring b = temp.File(L"b.jpeg");
  temp.File(L"c.gif");
  temp.Folder(L"sub");
  const std::wstring d = temp.File(Join(L"sub", L"d.jpg"));
  const std::wstring e = temp.File(Join(L"sub", L"e.Cr2"));

  const std::vector<std::wstring> paths = Registered(temp.path());
  EXPECT_EQ(Sorted(paths), Sorted({a, b, d, e}));

  // Registered again, the same folder doubles its items, in the same order.
  PhotoList photos;
  AddPath(photos, temp.path());
  AddPath(photos, temp.path());
  ASSERT_EQ(photos.size(), 8u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(photos[i].path, photos[i + 4].path);
}

TEST_F(AddPathTest, SingleFileRegistersExactlyThatFileWhenItIsAPhoto) {
  const std::wstring x = temp.File(L"x.jpeg");
  const std::wstring gif = temp.File(L"x.gif");
  temp.File(L"y.jpeg");
  EXPECT_EQ(Registered(x), std::vector<std::wstring>{x});
  EXPECT_TRUE(Registered(gif).empty());

  // A file named like the photo rule wants, but in another case than asked.
  const std::wstring upper = temp.File(L"PHOTO.JPG");
  EXPECT_EQ(Registered(upper), std::vector<std::wstring>{upper});
}

TEST_F(AddPathTest, OnlyNamesEndingInJpgOrJpegAreTaken) {
  temp.File(L"jpg");
  const std::wstring tar = temp.File(L"a.tar.jpg");
  const std::wstring dotted = temp.File(L"a.b.Jpeg");
  temp.File(L"photo.jpe");
  temp.File(L"photo.jfif");
  temp.File(L"photo.jpg.bak");
  temp.File(L"\xFF50\xFF48\xFF4F\xFF54\xFF4F.\xFF2A\xFF30\xFF27");  // ｐｈｏｔｏ.ＪＰＧ
  const std::wstring japanese = temp.File(L"\x5199\x771F.jpg");      // 写真.jpg
  ASSERT_FALSE(japanese.empty());
  EXPECT_EQ(Sorted(Registered(temp.path())), Sorted({tar, dotted, japanese}));
}

TEST_F(AddPathTest, EmptyOrMissingPathsAddNothing) {
  temp.Folder(L"empty");
  EXPECT_TRUE(Registered(Join(temp.path(), L"empty")).empty());
  EXPECT_TRUE(Registered(Join(temp.path(), L"missing")).empty());
  EXPECT_TRUE(Registered(Join(temp.path(), L"missing.jpg")).empty());
  EXPECT_TRUE(Registered(Join(Join(temp.path(), L"missing"), L"a.jpg")).empty());
  EXPECT_TRUE(Registered(L"").empty());
}

TEST_F(AddPathTest, PhotosComeInNameOrderEachFoldersOwnBeforeItsSubfolders) {
  // Created out of order, enough of them that the directory's own order is
  // not the alphabet's; numbers in names count by value, as the person reads
  // them, and case does not count.
  for (int i : {11, 2, 0, 10, 1}) temp.File(L"p" + std::to_wstring(i) + L".jpg");
  temp.File(L"B.jpg");
  temp.File(L"a.jpg");
  temp.File(L"notes.txt");
  for (const wchar_t* folder : {L"s2", L"S1", L"s10"}) {
    temp.Folder(Join(folder, L"inner"));
    temp.File(Join(Join(folder, L"inner"), L"r.jpg"));
    temp.File(Join(folder, L"q.JPEG"));
  }
  const std::wstring& t = temp.path();
  std::vector<std::wstring> expected = {Join(t, L"a.jpg"),   Join(t, L"B.jpg"),  Join(t, L"p0.jpg"),
                                        Join(t, L"p1.jpg"),  Join(t, L"p2.jpg"), Join(t, L"p10.jpg"),
                                        Join(t, L"p11.jpg")};
  for (const wchar_t* folder : {L"S1", L"s2", L"s10"}) {
    expected.push_back(Join(Join(t, folder), L"q.JPEG"));
    expected.push_back(Join(Join(Join(t, folder), L"inner"), L"r.jpg"));
  }
  EXPECT_EQ(Registered(temp.path()), expected);
}

TEST_F(AddPathTest, FolderWithTrailingSeparatorGivesCleanPaths) {
  const std::wstring a = temp.File(L"a.jpg");
  EXPECT_EQ(Registered(temp.path() + kPathSeparator), std::vector<std::wstring>{a});
}

TEST_F(AddPathTest, RelativePathsAreTakenFromTheCurrentFolder) {
  temp.Folder(L"sub");
  temp.File(L"x.jpg");
  temp.File(Join(L"sub", L"y.jpg"));
  const std::filesystem::path saved = std::filesystem::current_path();
  std::filesystem::current_path(photos_test::FsPath(temp.path()));
  const std::vector<std::wstring> file = Registered(L"x.jpg");
  const std::vector<std::wstring> folder = Registered(L"sub");
  std::filesystem::current_path(saved);
  EXPECT_EQ(file, std::vector<std::wstring>{L"x.jpg"});
  EXPECT_EQ(folder, std::vector<std::wstring>{Join(L"sub", L"y.jpg")});
}

TEST_F(AddPathTest, OverlongPathsAreRefusedWithoutHarm) {
  // 300 characters: longer than any buffer the pattern split uses.
  std::wstring longPath = temp.path();
  while (longPath.size() < 296) longPath += kPathSeparator + std::wstring(40, L'a');
  longPath.resize(296);
  longPath += L".jpg";
  ASSERT_EQ(longPath.size(), 300u);
  EXPECT_TRUE(Registered(longPath).empty());
  EXPECT_TRUE(Registered(std::wstring(300, L'x')).empty());
  EXPECT_TRUE(Registered(std::wstring(259, L'x') + L".jpg").empty());

  RecordingFind_CL find;
  find.Search(longPath, 1);
  EXPECT_TRUE(find.events.empty()) << "a refused pattern visits nothing";
}

TEST_F(AddPathTest, PatternsUpTo259CharactersAreSearched) {
  const std::size_t prefix = temp.path().size() + 1;
  ASSERT_LT(prefix + 10, 259u);
  const std::wstring fits = std::wstring(259 - prefix - 4, L'f') + L".jpg";
  const std::wstring tooLong = std::wstring(260 - prefix - 4, L'g') + L".jpg";
  const std::wstring fitsPath = temp.File(fits);
  const std::wstring longPath = temp.File(tooLong);
  if (fitsPath.empty() || longPath.empty()) {
    GTEST_SKIP() << "this file system refuses names of " << tooLong.size() << " characters";
  }
  ASSERT_EQ(fitsPath.size(), 259u);
  EXPECT_EQ(Registered(fitsPath), std::vector<std::wstring>{fitsPath});
  EXPECT_TRUE(Registered(longPath).empty());
}

TEST_F(AddPathTest, WalkerHooksNestAndTheMaskAppliesToFolderNames) {
  temp.Folder(L"album.jpg");
  temp.Folder(L"sub");
  temp.File(Join(L"album.jpg", L"in.jpg"));
  temp.File(Join(L"album.jpg", L"in.gif"));
  temp.File(Join(L"sub", L"hidden.jpg"));
  temp.File(L"top.jpg");

  RecordingFind_CL find;
  find.Search(Join(temp.path(), L"*.jpg"), 1);
  EXPECT_EQ(find.mask, L"*.jpg");
  EXPECT_EQ(find.root, temp.path());
  // The folder's own files first, then its subfolders.
  const std::vector<std::wstring> expectedEvents = {
      L"folder " + temp.path() + L" | " + temp.path(),
      L"file " + Join(temp.path(), L"top.jpg"),
      L"folder " + temp.path() + L" | album.jpg",
      L"file " + Join(Join(temp.path(), L"album.jpg"), L"in.jpg"),
      L"end",
      L"end",
  };
  EXPECT_EQ(expectedEvents, find.events);

  RecordingFind_CL flat;
  flat.Search(Join(temp.path(), L"*.jpg"), 0);
  EXPECT_EQ(flat.events, (std::vector<std::wstring>{
                             L"folder " + temp.path() + L" | " + temp.path(),
                             L"file " + Join(temp.path(), L"top.jpg"), L"end"}));
}

TEST_F(AddPathTest, WildcardsAreOnlyStarAndQuestionMark) {
  const std::wstring bracketed = temp.File(L"a[1]b.jpg");
  temp.File(L"a1b.jpg");
  const std::wstring question = temp.File(L"aXb.jpg");
  EXPECT_EQ(Registered(bracketed), std::vector<std::wstring>{bracketed});
  EXPECT_EQ(Registered(Join(temp.path(), L"a[1]*.jpg")), std::vector<std::wstring>{bracketed});
  EXPECT_EQ(Registered(Join(temp.path(), L"a?b.jpg")).size(), 2u);
}
