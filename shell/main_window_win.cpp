#include "main_window.h"

#include "resource_ids.h"

MainWindow_CL::MainWindow_CL() { style = kDialogStyle; }

MainWindow_CL::~MainWindow_CL() {}

void MainWindow_CL::OnInitDialog(int) {
  HINSTANCE instance = GetModuleHandleW(NULL);
  SetWindowTextW(hwnd, L"Snapvane");

  // Shared icons from the module's resources: the system frees them.
  HICON smallIcon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (smallIcon) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  HICON bigIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
  if (bigIcon) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));

  SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_OVERLAPPEDWINDOW);
  // A menu attached with SetMenu is destroyed with the window.
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  if (menu) SetMenu(hwnd, menu);

  const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
  SetWindowPos(hwnd, NULL, (screenWidth - kMainWindowWidth) / 2,
               (screenHeight - kMainWindowHeight) / 2, kMainWindowWidth, kMainWindowHeight,
               SWP_NOZORDER | SWP_FRAMECHANGED);

  layoutReady = 1;
  Layout();
  ShowWindow(hwnd, SW_SHOW);
}

void MainWindow_CL::Layout() {
  if (!layoutReady) return;
}

INT_PTR MainWindow_CL::HandleMessage(HWND window, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(0);
      break;
    case WM_SIZE:
      Layout();
      break;
    case WM_CLOSE:
      EndDialog(window, 0);
      PostQuitMessage(0);
      break;
    default:
      break;
  }
  return 0;
}
