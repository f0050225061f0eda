#include <windows.h>

#include "dll_function.h"
#include "high_dpi_helper.h"

namespace {

typedef HRESULT(WINAPI* GetProcessDpiAwarenessFn)(HANDLE process, int* awareness);
typedef BOOL(WINAPI* IsProcessDPIAwareFn)();

DWORD SystemMajorVersion() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // only the major version is wanted, lies and all
#endif
  if (!GetVersionExW(&version)) return 0;
  return version.dwMajorVersion;
}

bool QueryDpiAwareness() {
  // Neither function exists before Windows Vista.
  if (SystemMajorVersion() <= 5) return false;
  DllFunction_CL shcore(L"SHCore.dll");
  DllFunction_CL user32(L"user32.dll");
  GetProcessDpiAwarenessFn getAwareness =
      shcore.GetFunction<GetProcessDpiAwarenessFn>("GetProcessDpiAwareness");
  IsProcessDPIAwareFn isAware = user32.GetFunction<IsProcessDPIAwareFn>("IsProcessDPIAware");
  if (getAwareness != NULL) {
    int awareness = 0;  // 0: the process is not DPI-aware
    return getAwareness(NULL, &awareness) == S_OK && awareness != 0;
  }
  if (isAware != NULL) return isAware() != FALSE;
  return false;
}

// The screen's device context, released on every path.
class ScreenDc {
 public:
  ScreenDc() : dc(GetDC(NULL)) {}
  ~ScreenDc() {
    if (dc != NULL) ReleaseDC(NULL, dc);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc; }

 private:
  HDC dc;
};

}  // namespace

void HighDpiHelper_CL::DetectDpi() {
  dpiAware = QueryDpiAwareness() ? 1 : 0;
  // Asked whatever the awareness: a process the system scales is told 96
  // here, an aware one the DPI it must scale to.
  const ScreenDc screen;
  if (screen.Get() == NULL) return;  // keep 96
  dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
  dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
}
