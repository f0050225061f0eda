// Folders of the program and opening documents with the shell.
#pragma once

#include <windows.h>

#include <string>

// The user's documents folder without a trailing "\"; empty if the system
// cannot say.
std::wstring GetDocumentsFolder();
// The running program's folder: its path up to, not including, the last "\";
// empty only when the system cannot name the program at all. Paths longer
// than MAX_PATH are read whole.
std::wstring GetModuleFolder();
// The file name in the running program's folder; empty when that folder is
// unknown, so a picture is left out rather than looked for in the current
// folder or at the drive's root.
std::wstring ProgramFolderFile(const wchar_t* fileName);
// The running program's full path, read into a buffer that starts at
// firstCapacity characters and grows as needed; empty when the system cannot
// name it.
std::wstring GetModulePath(DWORD firstCapacity = MAX_PATH);

// The file that switches web pages off on a developer's machine.
extern const wchar_t kHomeMarkerPath[];  // "c:\MyHome.txt"
// Returned by ShellOpen when the marker kept it from opening anything; above
// 32, so callers that test for success see one.
extern const HINSTANCE kShellOpenSkipped;

// Whether the marker file (kHomeMarkerPath, or a test's stand-in) exists.
bool IsHomeMarkerPresent(const wchar_t* markerPath = kHomeMarkerPath);
// Opens a file or web address with its associated program and returns what
// ShellExecuteW returns; opens nothing while the home marker exists.
HINSTANCE ShellOpen(const std::wstring& target);
// ShellOpen with another marker file, for tests.
HINSTANCE ShellOpenUnlessMarked(const std::wstring& target, const wchar_t* markerPath);
