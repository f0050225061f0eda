#include "easy_progress.h"

#include <commctrl.h>

#include "window_dpi.h"
#include "progress_rule.h"
#include "window_layout.h"

EasyProgress_CL::EasyProgress_CL(const std::wstring& title, bool showCancel)
    : title(title), showCancel(showCancel ? 1 : 0) {
  style = kDialogStyle;
}

EasyProgress_CL::~EasyProgress_CL() { Wait(); }

HWND EasyProgress_CL::ProgressBarWindow() const { return controls.Window(progressBar); }

HWND EasyProgress_CL::CancelButtonWindow() const { return controls.Window(cancelButton); }

INT_PTR EasyProgress_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_CLOSE:
      EndDialog(window, 0);
      return 1;
    case WM_SYSCOMMAND:
      // Without a system menu or a close box the user still has Alt+F4;
      // the work cannot be cancelled, so only the worker ends the window.
      if ((wParam & 0xFFF0) == SC_CLOSE && !closing) return 1;
      return 0;
    case WM_KEYDOWN:
      return (wParam == VK_RETURN || wParam == VK_ESCAPE) ? 1 : 0;
    case WM_INITDIALOG: {
      SetupWindow(window);
      CenterOverOwner(GetParent(window), window);
      RECT rect;
      if (GetWindowRect(window, &rect) && rect.top < 0) {
        SetWindowPos(window, NULL, rect.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      }
      return 0;
    }
    case WM_COMMAND: {
      const ControlBase_CL* cancel = controls.Control(cancelButton);
      if (cancel && LOWORD(wParam) == cancel->controlId) RequestCancel();
      return 0;
    }
    default:
      return 0;
  }
}

void EasyProgress_CL::SetupWindow(HWND window) {
  SetWindowTextW(window, title.c_str());

  // At the DPI of the monitor the window is on, whether the system scales
  // the process or not.
  const HighDpiHelper_CL dpi = DetectWindowDpi(window);
  MoveWindow(window, 0, 0, dpi.ScaleX(kWidth), dpi.ScaleY(kHeight), TRUE);

  const LONG_PTR windowStyle = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, windowStyle & ~static_cast<LONG_PTR>(WS_SYSMENU | WS_MINIMIZEBOX));
  SetWindowPos(window, NULL, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);

  RECT client = {0, 0, 0, 0};
  GetClientRect(window, &client);
  const int clientWidth = client.right - client.left;
  const int clientHeight = client.bottom - client.top;

  cancelButton = controls.AddButton(window, L"キャンセル", 48);
  HWND button = controls.Window(cancelButton);
  int barWidth = clientWidth;
  RECT buttonRect = WindowRectInParent(button);
  const int buttonWidth = buttonRect.right - buttonRect.left;
  if (!showCancel) {
    if (button) ShowWindow(button, SW_HIDE);
  } else {
    barWidth = clientWidth - buttonWidth;
  }
  if (button) MoveWindow(button, barWidth, 0, buttonWidth, clientHeight, TRUE);

  progressBar = controls.AddProgressBar(window, barWidth, clientHeight);
  HWND bar = controls.Window(progressBar);
  if (bar) SendMessageW(bar, PBM_SETRANGE, 1, MAKELPARAM(0, kProgressRangeMax));

  // A worker that cannot start would leave the window up for good.
  if (startOnOpen && !Run(0, 0)) CloseFromWorker();
}

void EasyProgress_CL::SetProgress(std::uint32_t position) {
  HWND bar = ProgressBarWindow();
  if (!bar) return;
  SendMessageW(bar, PBM_SETPOS, position, 0);
  lastPosition = position;
}

void EasyProgress_CL::ReportProgress() {
  HWND bar = ProgressBarWindow();
  if (!bar) return;
  if (total == 0) {
    SendMessageW(bar, PBM_SETPOS, 0, 0);
    return;
  }
  const std::uint32_t position = ProgressPosition(done, total);
  if (position != lastPosition) SetProgress(position);
}

void EasyProgress_CL::CloseFromWorker() {
  closing = 1;
  if (hwnd) PostMessageW(hwnd, WM_CLOSE, 0, 0);
}
