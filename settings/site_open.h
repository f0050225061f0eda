// Opens one of the program's web addresses (the support site, a download
// page) with the shell. Nothing opens while the home marker file exists.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE OpenSiteAddress(const std::wstring& address);

// For tests: `launcher` receives the addresses instead of the shell, and
// `markerPath` stands in for "c:\MyHome.txt" (null keeps that one). A null
// launcher puts the shell back.
typedef HINSTANCE (*SiteLauncher)(const std::wstring& address);
void SetSiteLauncherForTest(SiteLauncher launcher, const wchar_t* markerPath);
