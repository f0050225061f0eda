// The resources compiled into the real Snapvane.exe: the Japanese texts of
// the main menu must survive the resource compiler.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win_handles.h"

namespace {

struct ExpectedItem {
  const wchar_t* text;  // null for a separator
  UINT id;
};

struct ExpectedMenu {
  const wchar_t* title;
  std::vector<ExpectedItem> items;
};

const std::vector<ExpectedMenu>& MainMenu() {
  static const std::vector<ExpectedMenu> menu = {
      {L"ファイル(&F)", {{L"ファイルを開く(&O)...", 182}, {L"フォルダを開く(&F)...", 183}}},
      {L"編集(&R)",
       {{L"元に戻す\tCtrl+Z", 193},
        {L"やり直し\tCtrl+Y", 194},
        {nullptr, 0},
        {L"左に９０度回転\tCtrl+L", 191},
        {L"右に９０度回転\tCtrl+R", 192}}},
      {L"設定(&S)", {{L"アプリ設定(&A)", 170}}},
      {L"ヘルプ(&H)",
       {{L"サポートサイト", 180}, {nullptr, 0}, {L"バージョン情報(&A)...", 181}}},
  };
  return menu;
}

struct ItemInfo {
  std::wstring text;
  UINT id;
  UINT type;
  HMENU subMenu;
};

ItemInfo ReadItem(HMENU menu, UINT position) {
  wchar_t text[128] = L"";
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 128;
  ItemInfo item = {L"", 0, 0, NULL};
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return item;
  item.text = text;
  item.id = info.wID;
  item.type = info.fType;
  item.subMenu = info.hSubMenu;
  return item;
}

class SnapvaneResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module.Reset(LoadLibraryExW(L"" SNAPVANE_EXE_PATH, NULL, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module) << "cannot load " << SNAPVANE_EXE_PATH;
  }
  UniqueModule module;
};

}  // namespace

TEST_F(SnapvaneResources, MainMenuHasEveryItemWithItsTextAndIdentifier) {
  UniqueMenu menu(LoadMenuW(module.Get(), MAKEINTRESOURCEW(110)));
  ASSERT_TRUE(menu);
  const std::vector<ExpectedMenu>& expected = MainMenu();
  ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu.Get()));
  for (size_t m = 0; m < expected.size(); ++m) {
    const ItemInfo popup = ReadItem(menu.Get(), static_cast<UINT>(m));
    EXPECT_EQ(std::wstring(expected[m].title), popup.text);
    ASSERT_TRUE(popup.subMenu) << m;
    const std::vector<ExpectedItem>& items = expected[m].items;
    ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(popup.subMenu)) << m;
    for (size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "menu " << m << " item " << i);
      const ItemInfo item = ReadItem(popup.subMenu, static_cast<UINT>(i));
      if (!items[i].text) {
        EXPECT_TRUE(item.type & MFT_SEPARATOR);
        continue;
      }
      EXPECT_FALSE(item.type & MFT_SEPARATOR);
      EXPECT_EQ(std::wstring(items[i].text), item.text);
      EXPECT_EQ(items[i].id, item.id);
      EXPECT_FALSE(item.subMenu);
    }
  }
}

TEST_F(SnapvaneResources, IconAndManifestArePresent) {
  UniqueIcon small(static_cast<HICON>(
      LoadImageW(module.Get(), MAKEINTRESOURCEW(107), IMAGE_ICON, 16, 16, 0)));
  EXPECT_TRUE(small);
  UniqueIcon large(static_cast<HICON>(
      LoadImageW(module.Get(), MAKEINTRESOURCEW(107), IMAGE_ICON, 32, 32, 0)));
  EXPECT_TRUE(large);

  HRSRC found = FindResourceW(module.Get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_TRUE(found);
  HGLOBAL loaded = LoadResource(module.Get(), found);
  ASSERT_TRUE(loaded);
  const char* data = static_cast<const char*>(LockResource(loaded));
  const std::string manifest(data, SizeofResource(module.Get(), found));
  EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
  EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
  EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
}
