#include "window_dpi.h"

#include "dll_function.h"
#include "dpi_scale.h"
#include "win_handles.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowFn)(HWND window);
typedef int(WINAPI* GetSystemMetricsForDpiFn)(int index, UINT dpi);
typedef BOOL(WINAPI* SetDialogDpiChangeBehaviorFn)(HWND dialog, int mask, int values);
typedef BOOL(WINAPI* SystemParametersInfoForDpiFn)(UINT action, UINT param, void* data, UINT winIni,
                                                    UINT dpi);

// user32 stays loaded for the whole run, so one lookup per function is kept.
const DllFunction_CL& User32() {
  static const DllFunction_CL user32(L"user32.dll");
  return user32;
}

int ScreenDpi() {
  WindowDc_CL screen(NULL);
  return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kBaseDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const GetDpiForWindowFn forWindow =
      User32().GetFunction<GetDpiForWindowFn>("GetDpiForWindow");
  if (window && forWindow) {
    const UINT dpi = forWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

HighDpiHelper_CL DetectWindowDpi(HWND window) {
  HighDpiHelper_CL helper;
  helper.DetectDpi();
  if (window) {
    const int dpi = WindowDpi(window);
    helper.SetDpi(dpi, dpi);
  }
  return helper;
}

void LayOutOwnDpiChanges(HWND dialog) {
  static const SetDialogDpiChangeBehaviorFn behaviour =
      User32().GetFunction<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
  const int disableAll = 1;  // DDC_DISABLE_ALL
  if (behaviour && dialog) behaviour(dialog, disableAll, disableAll);
}

int SystemMetricForDpi(int index, int dpi) {
  static const GetSystemMetricsForDpiFn forDpi =
      User32().GetFunction<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi && dpi > 0) return forDpi(index, static_cast<UINT>(dpi));
  // Without it the system's metrics are at the screen's DPI.
  return MulDivRound(GetSystemMetrics(index), dpi > 0 ? dpi : kBaseDpi, ScreenDpi());
}

HFONT CreateIconTitleFont(int dpi) {
  static const SystemParametersInfoForDpiFn forDpi =
      User32().GetFunction<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  LOGFONTW font = {};
  if (forDpi && dpi > 0) {
    if (!forDpi(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0, static_cast<UINT>(dpi))) return NULL;
  } else {
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0)) return NULL;
    font.lfHeight = MulDivRound(font.lfHeight, dpi > 0 ? dpi : kBaseDpi, ScreenDpi());
  }
  return CreateFontIndirectW(&font);
}
