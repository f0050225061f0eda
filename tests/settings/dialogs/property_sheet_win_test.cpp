// The settings and version sheets, run for real and driven with messages.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_settings.h"
#include "app_sheets.h"
#include "dialog_metrics.h"
#include "inifile.h"
#include "modal_driver_win.h"
#include "prop_app_setting.h"
#include "prop_app_version.h"
#include "property_sheet.h"
#include "site_launch_recorder_win.h"
#include "site_open.h"
#include "test_files.h"
#include "update_server.h"

namespace {

const int kApplyButtonId = 0x3021;

RECT PlaceIn(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Checked(const ControlBase_CL* control) {
  return control && SendMessageW(control->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ini = dir.Join(L"Snapvane.ini");
    g_inifile.SetPath(ini);
    marker = dir.Join(L"MyHome.txt");
    Opened().clear();
    SetSiteLauncherForTest(&RecordLaunch, marker.c_str());
    MakeOwner(120, 80, 900, 700);
  }

  void TearDown() override {
    SetSiteLauncherForTest(NULL, NULL);
    g_inifile.SetPath(L"");
    if (owner) DestroyWindow(owner);
  }

  // Hidden: the sheet needs its rectangle only.
  void MakeOwner(int x, int y, int width, int height) {
    if (owner) DestroyWindow(owner);
    owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP, x, y, width, height, NULL, NULL,
                            GetModuleHandleW(NULL), NULL);
  }

  // The settings sheet of the menu, with both pages, driven by `steps`.
  INT_PTR RunSettingsSheet(std::vector<ModalDriver::Step> steps) {
    sheetWindow = owner;
    PropertySheet sheet;
    sheet.publishSlot = &sheetWindow;
    sheet.AddPage(&settingPage, L"アプリ設定");
    sheet.AddPage(&versionPage, L"バージョン情報");
    steps.insert(steps.begin(), [this] { return SheetUp(); });
    ModalDriver driver(steps);
    const INT_PTR result = sheet.Show(owner, L"アプリ設定");
    EXPECT_TRUE(driver.Finished());
    EXPECT_FALSE(driver.TimedOut());
    return result;
  }

  bool SheetUp() { return sheetWindow && sheetWindow != owner && IsWindowVisible(sheetWindow); }
  HWND SheetButton(int id) { return GetDlgItem(sheetWindow, id); }
  bool ApplyEnabled() { return IsWindowEnabled(SheetButton(kApplyButtonId)) != FALSE; }

  ModalDriver::Step Press(int id) {
    return [this, id] {
      Click(SheetButton(id));
      return true;
    };
  }

  int Setting(const wchar_t* section, const wchar_t* key) { return g_inifile.ReadInt(section, key, -99); }

  TempDir dir;
  std::wstring ini;
  std::wstring marker;
  HWND owner = NULL;
  HWND sheetWindow = NULL;
  bool windowTopMost = false;  // the program's shared settings
  bool addOrientation = false;
  bool turnRawTwins = true;
  PropAppSetting_CL settingPage{windowTopMost, addOrientation, turnRawTwins};
  PropAppVersion_CL versionPage;
};

}  // namespace

TEST_F(SheetTest, TickingAlwaysOnTopEnablesApplyAndOkStoresIt) {
  bool applyBefore = true;
  bool applyAfter = false;
  const INT_PTR result = RunSettingsSheet({
      [&] {
        applyBefore = ApplyEnabled();
        Click(settingPage.TopMostCheck()->hwnd);
        applyAfter = ApplyEnabled();
        return true;
      },
      Press(IDOK),
  });
  EXPECT_FALSE(applyBefore);
  EXPECT_TRUE(applyAfter);
  EXPECT_EQ(1, result);
  EXPECT_TRUE(windowTopMost);
  EXPECT_EQ(1, Setting(L"APP_SETTING", L"WindowTopMost"));
  // The version page was never opened: "notify" is not touched.
  EXPECT_EQ(-99, Setting(L"VERSION", L"notify"));
}

TEST_F(SheetTest, TickingAddOrientationAndUntickingRawTwinsAndOkStoresBoth) {
  bool twinsShownTicked = false;
  RECT addPlace = {0, 0, 0, 0}, twinsPlace = {0, 0, 0, 0};
  const INT_PTR result = RunSettingsSheet({
      [&] {
        twinsShownTicked = Checked(settingPage.RawTwinsCheck());
        addPlace = PlaceIn(settingPage.AddOrientationCheck()->hwnd);
        twinsPlace = PlaceIn(settingPage.RawTwinsCheck()->hwnd);
        Click(settingPage.AddOrientationCheck()->hwnd);
        Click(settingPage.RawTwinsCheck()->hwnd);
        return true;
      },
      Press(IDOK),
  });
  EXPECT_EQ(1, result);
  EXPECT_TRUE(twinsShownTicked);
  // Below the other, at the same left edge.
  EXPECT_EQ(addPlace.left, twinsPlace.left);
  EXPECT_GE(twinsPlace.top, addPlace.bottom);
  EXPECT_TRUE(addOrientation);
  EXPECT_EQ(1, Setting(L"APP_SETTING", L"AddOrientation"));
  EXPECT_FALSE(turnRawTwins);
  EXPECT_EQ(0, Setting(L"APP_SETTING", L"TurnRawTwins"));
  EXPECT_FALSE(windowTopMost);
}

TEST_F(SheetTest, CancelWritesNothing) {
  const INT_PTR result = RunSettingsSheet({
      [&] {
        Click(settingPage.TopMostCheck()->hwnd);
        return true;
      },
      Press(IDCANCEL),
  });
  EXPECT_NE(1, result);
  EXPECT_FALSE(windowTopMost);
  EXPECT_EQ(-99, Setting(L"APP_SETTING", L"WindowTopMost"));
  const Bytes bytes = ReadBytes(ini);
  EXPECT_EQ(2u, bytes.size());  // the byte order mark alone
}

TEST_F(SheetTest, TheSettingsPageShowsTheStoredStateAtItsPlace) {
  windowTopMost = true;
  RECT place = {0, 0, 0, 0};
  bool checked = false;
  RunSettingsSheet({
      [&] {
        checked = Checked(settingPage.TopMostCheck());
        place = PlaceIn(settingPage.TopMostCheck()->hwnd);
        return true;
      },
      Press(IDCANCEL),
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(8, place.left);
  EXPECT_EQ(4, place.top);
}

TEST_F(SheetTest, WithNotifyOffTheVersionPageOpensTicked) {
  g_inifile.WriteInt(L"VERSION", L"notify", 1);
  bool checked = false;
  bool applyAfterUntick = false;
  const INT_PTR result = RunSettingsSheet({
      [&] {
        SendMessageW(sheetWindow, PSM_SETCURSEL, 1, 0);
        return versionPage.NotifyCheck() != NULL;
      },
      [&] {
        checked = Checked(versionPage.NotifyCheck());
        Click(versionPage.NotifyCheck()->hwnd);
        applyAfterUntick = ApplyEnabled();
        return true;
      },
      Press(IDOK),
  });
  EXPECT_TRUE(checked);
  EXPECT_TRUE(applyAfterUntick);
  EXPECT_EQ(1, result);
  EXPECT_EQ(0, Setting(L"VERSION", L"notify"));
}

TEST_F(SheetTest, TheVersionPageLaysOutItsGroupsAroundTheirControls) {
  DialogMetrics m = {};
  RECT check = {}, icon = {}, support = {}, noticeGroup = {}, versionGroup = {};
  std::wstring texts;
  RunSettingsSheet({
      [&] {
        SendMessageW(sheetWindow, PSM_SETCURSEL, 1, 0);
        return versionPage.NotifyCheck() != NULL;
      },
      [&] {
        HWND page = versionPage.GetHwnd();
        m = GetPageMetrics(page);
        check = PlaceIn(versionPage.NotifyCheck()->hwnd);
        icon = PlaceIn(versionPage.IconButton()->hwnd);
        support = PlaceIn(versionPage.SupportButton()->hwnd);
        noticeGroup = PlaceIn(GetDlgItem(page, kFirstControlId + 6));
        versionGroup = PlaceIn(GetDlgItem(page, kFirstControlId + 7));
        for (int id = kFirstControlId + 2; id <= kFirstControlId + 7; ++id) {
          wchar_t text[128] = L"";
          GetDlgItemTextW(page, id, text, 128);
          texts += std::wstring(text) + L"|";
        }
        return true;
      },
      Press(IDCANCEL),
  });
  EXPECT_EQ(std::wstring(L"Version : ") + kAppVersion +
                L"|\x3000|サポートサイトへ|\x3000\x3000サポートサイトへ\x3000\x3000|"
                L"バージョンアップの通知|バージョン情報|",
            texts);
  const int x = m.charWidth / 2;
  EXPECT_EQ(x, check.left);
  EXPECT_EQ(16, check.top);
  EXPECT_EQ(8, icon.left);  // made at x 0, then moved 8 pixels right
  EXPECT_EQ(68, icon.top);
  EXPECT_EQ(36, icon.right - icon.left);
  EXPECT_EQ(m.charWidth, support.left);
  // Each group reaches 8 pixels below the control it encloses.
  EXPECT_EQ(0, noticeGroup.top);
  EXPECT_EQ(check.bottom + 8, noticeGroup.bottom);
  EXPECT_EQ(m.width, noticeGroup.right - noticeGroup.left);
  EXPECT_EQ(52, versionGroup.top);
  EXPECT_EQ(support.bottom + 8, versionGroup.bottom);
}

TEST_F(SheetTest, BothSupportButtonsOpenTheSameAddressAndNothingWithTheHomeMarker) {
  const INT_PTR result = RunSettingsSheet({
      [&] {
        SendMessageW(sheetWindow, PSM_SETCURSEL, 1, 0);
        return versionPage.IconButton() != NULL;
      },
      [&] {
        Click(versionPage.IconButton()->hwnd);
        Click(versionPage.SupportButton()->hwnd);
        WriteBytes(marker, Bytes());
        Click(versionPage.IconButton()->hwnd);
        Click(versionPage.SupportButton()->hwnd);
        return true;
      },
      Press(IDCANCEL),
  });
  EXPECT_NE(1, result);
  ASSERT_EQ(2u, Opened().size());
  EXPECT_EQ(SupportSiteAddress(), Opened()[0]);
  EXPECT_EQ(SupportSiteAddress(), Opened()[1]);
  EXPECT_EQ(L"http://www.snapvane.example/Snapvane/", Opened()[0]);
}

TEST_F(SheetTest, TheSheetOpensCentredOverItsOwner) {
  for (const RECT& place : {RECT{120, 80, 1020, 780}, RECT{1400, 300, 2200, 900}}) {
    MakeOwner(place.left, place.top, place.right - place.left, place.bottom - place.top);
    RECT sheet = {0, 0, 0, 0};
    RunSettingsSheet({
        [&] {
          GetWindowRect(sheetWindow, &sheet);
          return true;
        },
        Press(IDCANCEL),
    });
    const int width = sheet.right - sheet.left;
    const int height = sheet.bottom - sheet.top;
    EXPECT_EQ((place.left + place.right - width) / 2, sheet.left) << place.left;
    EXPECT_EQ((place.top + place.bottom - height) / 2, sheet.top) << place.left;
  }
}

TEST_F(SheetTest, TheVersionSheetOfTheMenuHasTheVersionPageAlone) {
  int tabs = 0;
  HWND found = NULL;
  ModalDriver driver({
      [&] {
        found = FindWindowW(NULL, kVersionInfoTitle);
        if (!found || !IsWindowVisible(found)) return false;
        HWND tab = reinterpret_cast<HWND>(SendMessageW(found, PSM_GETTABCONTROL, 0, 0));
        tabs = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
        return true;
      },
      [&] {
        Click(GetDlgItem(found, IDCANCEL));
        return true;
      },
  });
  EXPECT_NE(1, ShowVersionSheet(owner));
  EXPECT_TRUE(driver.Finished());
  EXPECT_EQ(1, tabs);
}

TEST_F(SheetTest, WithoutPagesNoSheetIsShown) {
  PropertySheet sheet;
  EXPECT_EQ(E_FAIL, sheet.Show(owner, L"空"));
}
