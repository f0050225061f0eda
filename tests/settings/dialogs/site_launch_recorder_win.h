// Stands in for the shell's opening of a web address in the dialog tests:
// the addresses the program asked to open, in order, and nothing opened.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::vector<std::wstring>& Opened();
// A site launcher for SetSiteLauncherForTest: records the address.
HINSTANCE RecordLaunch(const std::wstring& address);
