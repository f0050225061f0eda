// Shows the update notice and both pages of the settings sheet, one after
// the other, for take_settings_screenshots.sh to photograph. For each picture
// it writes NAME.ready into the hand-shake folder (its only argument) and
// waits for NAME.done before it goes on.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "inifile.h"
#include "modal_driver_win.h"
#include "prop_app_setting.h"
#include "prop_app_version.h"
#include "property_sheet.h"
#include "site_open.h"
#include "update_dialog.h"
#include "update_server.h"

namespace {

std::wstring g_folder;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Announce(const wchar_t* name) {
  HANDLE file = CreateFileW((g_folder + L"\\" + name + L".ready").c_str(), GENERIC_WRITE, 0, NULL,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

bool Photographed(const wchar_t* name) { return Exists(g_folder + L"\\" + name + L".done"); }

HINSTANCE OpenNothing(const std::wstring&) { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  g_folder = argv[1];
  INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  g_inifile.SetPath(g_folder + L"\\Snapvane.ini");
  SetSiteLauncherForTest(&OpenNothing, NULL);

  // A stand-in for the main window, in the middle of the screen.
  const int width = 720;
  const int height = 560;
  HWND owner = CreateWindowExW(0, L"Static", L"Snapvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, NULL,
                               NULL, GetModuleHandleW(NULL), NULL);
  const int maxTicks = 1200;  // a minute

  {
    UpdateDialog_CL notice(kUpdateNoticeTitle, kAppVersion, L"1.0.3.0");
    HWND window = NULL;
    notice.SetPublishHwnd(&window);
    ModalDriver driver({[&] {
                          if (!window || !IsWindowVisible(window)) return false;
                          Announce(L"update-notice");
                          return true;
                        },
                        [&] {
                          if (!Photographed(L"update-notice")) return false;
                          PostMessageW(window, WM_CLOSE, 0, 0);
                          return true;
                        }},
                       maxTicks);
    notice.DoModal(0, 0, owner);
  }

  {
    bool windowTopMost = true;
    HWND sheetWindow = owner;
    PropertySheet sheet;
    sheet.publishSlot = &sheetWindow;
    bool addOrientation = false;
    bool turnRawTwins = true;
    PropAppSetting_CL settingPage(windowTopMost, addOrientation, turnRawTwins);
    PropAppVersion_CL versionPage;
    sheet.AddPage(&settingPage, L"アプリ設定");
    sheet.AddPage(&versionPage, L"バージョン情報");
    ModalDriver driver({[&] {
                          if (sheetWindow == owner || !IsWindowVisible(sheetWindow)) return false;
                          Announce(L"settings-page");
                          return true;
                        },
                        [&] {
                          if (!Photographed(L"settings-page")) return false;
                          SendMessageW(sheetWindow, PSM_SETCURSEL, 1, 0);
                          return true;
                        },
                        [&] {
                          Announce(L"version-page");
                          return true;
                        },
                        [&] {
                          if (!Photographed(L"version-page")) return false;
                          PostMessageW(sheetWindow, WM_COMMAND, IDCANCEL, 0);
                          return true;
                        }},
                       maxTicks);
    sheet.Show(owner, L"アプリ設定");
  }
  DestroyWindow(owner);
  return 0;
}
