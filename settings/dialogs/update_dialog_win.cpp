#include "update_dialog.h"

#include "update_decision.h"
#include "version_file.h"
#include "window_dpi.h"
#include "window_layout.h"

UpdateDialog_CL::UpdateDialog_CL(const std::wstring& title_, const std::wstring& installedVersion_,
                                 const std::wstring& latestVersion_)
    : title(title_), installedVersion(installedVersion_), latestVersion(latestVersion_) {
  style = kDialogStyle;
}

UpdateDialog_CL::~UpdateDialog_CL() {}

void UpdateDialog_CL::SetDpiForTest(const HighDpiHelper_CL& dpi) {
  dpiGiven = true;
  givenDpi = dpi;
}

void UpdateDialog_CL::BuildContents() {
  SetWindowLongW(hwnd, GWL_STYLE,
                 GetWindowLongW(hwnd, GWL_STYLE) & ~static_cast<LONG>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  controls.AddUpdateButtons(hwnd);
  controls.AddStaticText(hwnd, MakeNoticeText(installedVersion, latestVersion).c_str(), 8, 8);
}

INT_PTR UpdateDialog_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_CLOSE:
      EndDialog(window, NOTICE_CLOSED);
      return 0;
    case WM_INITDIALOG: {
      SetWindowTextW(window, title.c_str());
      const HighDpiHelper_CL dpi = dpiGiven ? givenDpi : DetectWindowDpi(window);
      MoveWindow(window, 0, 0, dpi.ScaleX(kNoticeWidth), dpi.ScaleY(kNoticeHeight), FALSE);
      BuildContents();
      if (window) CenterOverOwner(GetParent(window), window);
      return 0;
    }
    case WM_COMMAND:
      // Enter and Esc (IDOK, IDCANCEL) do nothing: only the buttons answer.
      if (wParam == kGoToSiteButtonId) {
        EndDialog(window, NOTICE_GO_TO_SITE);
      } else if (wParam == kRemindLaterButtonId) {
        EndDialog(window, NOTICE_LATER);
      }
      return 0;
    default:
      return 0;
  }
}
