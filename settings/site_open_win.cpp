#include "site_open.h"

#include "shell_helpers.h"

namespace {

SiteLauncher g_launcher = NULL;
std::wstring g_markerPath;

}  // namespace

HINSTANCE OpenSiteAddress(const std::wstring& address) {
  if (!g_launcher) return ShellOpen(address);
  if (IsHomeMarkerPresent(g_markerPath.empty() ? kHomeMarkerPath : g_markerPath.c_str())) {
    return kShellOpenSkipped;
  }
  return g_launcher(address);
}

void SetSiteLauncherForTest(SiteLauncher launcher, const wchar_t* markerPath) {
  g_launcher = launcher;
  g_markerPath = markerPath ? markerPath : L"";
}
