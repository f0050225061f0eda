#include "window_top_most.h"

#include <vector>

#include "exception_guard.h"

namespace {

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != NULL;
}

struct OwnedSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM param) {
  OwnedSearch* search = reinterpret_cast<OwnedSearch*>(param);
  if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  // Out of memory: the search stops with what it found.
  return CallGuarded<BOOL>(FALSE, [&] {
    search->found.push_back(window);
    return TRUE;
  });
}

}  // namespace

bool SetWindowTopMost(HWND window, bool topMost) {
  if (!window) return false;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  if (!topMost || !RunningOnWine()) {
    return SetWindowPos(window, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags) != FALSE;
  }
  // Wine inserts the window below the pop-ups it owns and keeps it topmost
  // only if the window below it is topmost too; without owned pop-ups it
  // simply goes to the top. The pop-ups are owned again at once and stay
  // above it.
  OwnedSearch search = {window, std::vector<HWND>()};
  EnumThreadWindows(GetWindowThreadProcessId(window, NULL), &CollectOwned,
                    reinterpret_cast<LPARAM>(&search));
  for (HWND popup : search.found) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
  const bool done = SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags) != FALSE;
  for (HWND popup : search.found) {
    SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
    SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0, flags | SWP_NOACTIVATE);
  }
  return done;
}
