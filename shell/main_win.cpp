// Entry point of Snapvane.exe: data folder, settings and log, the single
// instance check, the libraries, the random seed, then the main window until
// the user closes it.
#include <windows.h>

#include <commctrl.h>

#include <clocale>
#include <string>

#include "app_settings.h"
#include "com_session.h"
#include "gdiplus_session.h"
#include "inifile.h"
#include "log_file.h"
#include "main_window.h"
#include "save_data.h"
#include "shell_helpers.h"
#include "win_handles.h"

namespace {

// Unique to the program; a second copy finds it taken and leaves.
const wchar_t kInstanceMutexName[] = L"Snapvane.SingleInstance.5C0B7E2A-91D4-4F3B-A6E8-2D7F40C9B1E3";

// The shared application state: the photo list and the settings the window
// uses, alive for the whole run.
SaveData_CL g_appData;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  setlocale(LC_ALL, "Japanese");

  const std::wstring dataFolder = GetDocumentsFolder() + L"\\Snapvane";
  CreateDirectoryW(dataFolder.c_str(), NULL);  // usually exists already
  g_inifile.SetPath(dataFolder + L"\\Snapvane.ini");
  g_logFile.SetPath(dataFolder + L"\\log.txt");
  g_logFile.Write(L"\r\n★★★★★ アプリ起動 ★★★★★");
  g_logFile.Write(L"DataFolderPath = \"%s\"", dataFolder.c_str());

  // Held, with ownership, until the process ends.
  UniqueHandle instanceMutex(CreateMutexW(NULL, TRUE, kInstanceMutexName));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    g_logFile.Write(L"多重起動チェックで既に起動中でした。");
    return 0;
  }

  ComSession_CL com;
  GdiplusSession_CL gdiplus;
  INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);

  StirRandomSeed(GetTickCount());

  {
    MainWindow_CL mainWindow(g_appData);
    mainWindow.DoModal(0, 0, NULL);
  }
  return 0;  // GDI+ and then COM end as their sessions go out of scope
}
