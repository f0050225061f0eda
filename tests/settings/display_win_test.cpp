#include <windows.h>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "dll_function.h"
#include "high_dpi_helper.h"
#include "window_dpi.h"
#include "inifile.h"
#include "multi_screen.h"
#include "test_files.h"
#include "window_rect.h"

namespace {

MonitorEntry Monitor(LONG left, LONG top, LONG right, LONG bottom, DWORD flags) {
  MonitorEntry entry;
  entry.info.cbSize = sizeof entry.info;
  SetRect(&entry.info.rcMonitor, left, top, right, bottom);
  SetRect(&entry.info.rcWork, left, top, right, bottom - 40);  // a task bar at the bottom
  entry.info.dwFlags = flags;
  return entry;
}

class WindowRectTest : public ::testing::Test {
 protected:
  void SetUp() override { g_inifile.SetPath(dir.Join(L"Snapvane.ini")); }
  void TearDown() override { g_inifile.SetPath(L""); }

  void Store(const RECT& rect) {
    g_inifile.WriteStruct(kSectionWindow, kKeyWindowRect, &rect, sizeof rect);
  }

  TempDir dir;
  const RECT fallback = {100, 50, 772, 860};
};

}  // namespace

TEST(MultiScreen, FindMonitorCountsLeftAndTopEdgesInAndRightAndBottomOut) {
  MultiScreen_CL screens;
  screens.AddMonitor(Monitor(0, 0, 1920, 1080, MONITORINFOF_PRIMARY));
  EXPECT_EQ(screens.FindMonitor(0, 0), 0);
  EXPECT_EQ(screens.FindMonitor(1919, 1039), 0);
  EXPECT_EQ(screens.FindMonitor(1920, 10), -1);
  EXPECT_EQ(screens.FindMonitor(10, 1040), -1);  // under the task bar
  EXPECT_EQ(screens.FindMonitor(-1, 0), -1);
  EXPECT_EQ(screens.FindMonitor(-8, -8), -1);
}

TEST(MultiScreen, SecondMonitorFoundByItsIndexAndPrimaryRemembered) {
  MultiScreen_CL screens;
  EXPECT_EQ(screens.GetPrimary().info.cbSize, sizeof(MONITORINFOEXW));
  EXPECT_EQ(screens.FindMonitor(0, 0), -1);
  screens.AddMonitor(Monitor(0, 0, 1920, 1080, MONITORINFOF_PRIMARY));
  screens.AddMonitor(Monitor(1920, 0, 3200, 1024, 0));
  EXPECT_EQ(screens.FindMonitor(1920, 0), 1);
  EXPECT_EQ(screens.FindMonitor(3199, 983), 1);
  EXPECT_EQ(screens.GetPrimary().info.rcMonitor.right, 1920);
}

TEST(MultiScreen, EnumerateListsTheDesktopsMonitorsAfresh) {
  MultiScreen_CL screens;
  screens.AddMonitor(Monitor(5000, 0, 6000, 1000, 0));
  ASSERT_TRUE(screens.Enumerate());
  ASSERT_GE(screens.GetMonitors().size(), 1u);
  EXPECT_EQ(screens.FindMonitor(5000, 0), -1);
  const RECT& work = screens.GetPrimary().info.rcWork;
  EXPECT_EQ(screens.FindMonitor(work.left, work.top), 0);
  EXPECT_EQ(screens.GetMonitors()[0].dc, static_cast<HDC>(NULL));
}

TEST_F(WindowRectTest, AStoredRectangleComesBackInsideItsMonitorsWorkArea) {
  MultiScreen_CL screens;
  screens.AddMonitor(Monitor(0, 0, 1920, 1080, MONITORINFOF_PRIMARY));
  const RECT inside = {10, 20, 682, 830};
  Store(inside);
  RECT read = LoadWindowRect(screens, kSectionWindow, kKeyWindowRect, fallback);
  EXPECT_TRUE(EqualRect(&read, &inside));
  // Saved on a larger screen: kept whole on this one.
  const RECT tooLarge = {1500, 20, 2172, 1250};
  Store(tooLarge);
  read = LoadWindowRect(screens, kSectionWindow, kKeyWindowRect, fallback);
  const RECT fitted = {1248, 0, 1920, 1040};  // above the task bar
  EXPECT_TRUE(EqualRect(&read, &fitted));
}

TEST_F(WindowRectTest, MissingDamagedOrOffScreenRectanglesGiveTheDefault) {
  MultiScreen_CL screens;
  screens.AddMonitor(Monitor(0, 0, 1920, 1080, MONITORINFOF_PRIMARY));
  RECT read = LoadWindowRect(screens, kSectionWindow, kKeyWindowRect, fallback);
  EXPECT_TRUE(EqualRect(&read, &fallback));

  const RECT maximizedCorner = {-8, -8, 1928, 1048};
  Store(maximizedCorner);
  read = LoadWindowRect(screens, kSectionWindow, kKeyWindowRect, fallback);
  EXPECT_TRUE(EqualRect(&read, &fallback));
  read = LoadWindowRect(kSectionWindow, kKeyWindowRect, fallback);  // the real desktop
  EXPECT_TRUE(EqualRect(&read, &fallback));

  const RECT good = {0, 0, 672, 810};
  Store(good);
  std::wstring text = g_inifile.ReadString(kSectionWindow, kKeyWindowRect, L"");
  text[16] = L'B';  // A0 -> B0
  g_inifile.WriteString(kSectionWindow, kKeyWindowRect, text);
  read = LoadWindowRect(screens, kSectionWindow, kKeyWindowRect, fallback);
  EXPECT_TRUE(EqualRect(&read, &fallback));
}

TEST_F(WindowRectTest, SavesANormalWindowButNotAMinimizedOne) {
  HWND window = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 30, 40, 300, 200, NULL,
                                NULL, GetModuleHandleW(NULL), NULL);
  ASSERT_NE(window, static_cast<HWND>(NULL));
  ASSERT_TRUE(SaveWindowRect(window, kSectionWindow, kKeyWindowRect));
  RECT saved;
  ASSERT_TRUE(g_inifile.ReadStruct(kSectionWindow, kKeyWindowRect, &saved, sizeof saved));
  RECT actual;
  GetWindowRect(window, &actual);
  EXPECT_TRUE(EqualRect(&saved, &actual));

  ShowWindow(window, SW_MINIMIZE);
  if (IsIconic(window)) {
    MoveWindow(window, 60, 80, 320, 220, TRUE);
    EXPECT_FALSE(SaveWindowRect(window, kSectionWindow, kKeyWindowRect));
    RECT after;
    ASSERT_TRUE(g_inifile.ReadStruct(kSectionWindow, kKeyWindowRect, &after, sizeof after));
    EXPECT_TRUE(EqualRect(&after, &saved));
  }
  DestroyWindow(window);
}

TEST(HighDpiHelper, DetectDpiFindsAUsableDpi) {
  HighDpiHelper_CL helper;
  helper.DetectDpi();
  // Aware or not, sizes follow the DPI the screen reports to the process.
  EXPECT_GT(helper.GetDpiX(), 0);
  EXPECT_GT(helper.GetDpiY(), 0);
  EXPECT_EQ(helper.ScaleX(96), helper.GetDpiX());
  // A window is shown at its monitor's DPI, here the screen's.
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_TRUE(window);
  EXPECT_EQ(helper.GetDpiY(), DetectWindowDpi(window).GetDpiY());
  DestroyWindow(window);
}

TEST(DllFunction, LoadsLibrariesFromTheSystemFolderOnly) {
  wchar_t system[MAX_PATH] = L"";
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  EXPECT_EQ(std::wstring(system) + L"\\SHCore.dll", SystemLibraryPath(L"SHCore.dll"));
  EXPECT_EQ(std::wstring(L"C:\\x\\y.dll"), SystemLibraryPath(L"C:\\x\\y.dll"));
  DllFunction_CL user32(L"user32.dll");
  EXPECT_NE(nullptr, user32.GetProc("IsWindow"));

  // A library planted beside the program, under a name the system folder
  // lacks, is never loaded by its bare name.
  wchar_t self[MAX_PATH] = L"";
  ASSERT_GT(GetModuleFileNameW(NULL, self, MAX_PATH), 0u);
  std::wstring planted(self);
  planted = planted.substr(0, planted.rfind(L'\\') + 1) + L"snapvane_planted_test.dll";
  ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\version.dll").c_str(), planted.c_str(), FALSE));
  HMODULE bare = LoadLibraryW(L"snapvane_planted_test.dll");
  const bool plantable = bare != NULL;
  if (bare) FreeLibrary(bare);
  {
    DllFunction_CL dll(L"snapvane_planted_test.dll");
    EXPECT_FALSE(dll.IsLoaded());
  }
  DeleteFileW(planted.c_str());
  if (!plantable) GTEST_SKIP() << "a copied system library does not load here by its bare name";
}
