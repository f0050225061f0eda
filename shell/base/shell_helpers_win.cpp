#include "shell_helpers.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "path_utils.h"

const wchar_t kHomeMarkerPath[] = L"c:\\MyHome.txt";
const HINSTANCE kShellOpenSkipped = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));

std::wstring GetDocumentsFolder() {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, path))) {
    return std::wstring();
  }
  std::wstring folder(path);
  if (!folder.empty() && folder[folder.size() - 1] == L'\\') folder.erase(folder.size() - 1);
  return folder;
}

std::wstring GetModulePath(DWORD firstCapacity) {
  // The longest path Windows knows, terminator included.
  const DWORD kLongestPath = 32768;
  DWORD capacity = firstCapacity == 0 ? 1 : firstCapacity;
  std::vector<wchar_t> buffer;
  for (;;) {
    buffer.resize(capacity);
    const DWORD n = GetModuleFileNameW(NULL, buffer.data(), capacity);
    if (n == 0) return std::wstring();
    // A path that fills the buffer was cut short (XP leaves it without a
    // terminator, later systems end it early): try again with more room.
    if (n < capacity) return std::wstring(buffer.data(), n);
    if (capacity >= kLongestPath) return std::wstring();
    capacity = capacity > kLongestPath / 2 ? kLongestPath : capacity * 2;
  }
}

std::wstring GetModuleFolder() { return PathDirectory(GetModulePath()); }

std::wstring ProgramFolderFile(const wchar_t* fileName) {
  const std::wstring folder = GetModuleFolder();
  return folder.empty() ? std::wstring() : folder + L"\\" + fileName;
}

bool IsHomeMarkerPresent(const wchar_t* markerPath) {
  return markerPath && PathFileExistsW(markerPath) != FALSE;
}

HINSTANCE ShellOpenUnlessMarked(const std::wstring& target, const wchar_t* markerPath) {
  if (IsHomeMarkerPresent(markerPath)) return kShellOpenSkipped;
  return ShellExecuteW(NULL, NULL, target.c_str(), NULL, NULL, SW_SHOWNORMAL);
}

HINSTANCE ShellOpen(const std::wstring& target) {
  return ShellOpenUnlessMarked(target, kHomeMarkerPath);
}
