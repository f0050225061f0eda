// The two sheets the menu opens: the application settings (both pages) and
// the version information (its page alone), each centred over the owner.
#pragma once

#include <windows.h>

extern const wchar_t kAppSettingTitle[];   // "アプリ設定"
extern const wchar_t kVersionInfoTitle[];  // "バージョン情報"

// Returns what the sheet returned: 1 after OK, when the caller must apply the
// new windowTopMost to the main window at once.
INT_PTR ShowAppSettingSheet(HWND owner, bool& windowTopMost, bool& addOrientation, bool& turnRawTwins);
INT_PTR ShowVersionSheet(HWND owner);
