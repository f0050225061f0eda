#include "shell_helpers.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

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

std::wstring GetModuleFolder() {
  wchar_t path[MAX_PATH] = L"";
  const DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  return PathDirectory(std::wstring(path, n));
}

bool IsHomeMarkerPresent() { return PathFileExistsW(kHomeMarkerPath) != FALSE; }

HINSTANCE ShellOpenUnlessMarked(const std::wstring& target, const wchar_t* markerPath) {
  if (markerPath && PathFileExistsW(markerPath)) return kShellOpenSkipped;
  return ShellExecuteW(NULL, NULL, target.c_str(), NULL, NULL, SW_SHOWNORMAL);
}

HINSTANCE ShellOpen(const std::wstring& target) {
  return ShellOpenUnlessMarked(target, kHomeMarkerPath);
}
