#include "snapvane_process_win.h"

#include <vector>

namespace {

struct WindowSearch {
  DWORD processId;
  bool mainOnly;
  HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->mainOnly) {
    wchar_t title[64] = L"";
    GetWindowTextW(window, title, 64);
    if (wcscmp(title, L"Snapvane") != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring SnapvaneExePath() { return L"" SNAPVANE_EXE_PATH; }

SnapvaneProcess::~SnapvaneProcess() {
  if (!IsRunning()) return;
  Close();
  if (WaitForSingleObject(process_.Get(), 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

bool SnapvaneProcess::Start(const std::vector<std::wstring>& arguments) {
  std::wstring commandLine = L"\"" + SnapvaneExePath() + L"\"";
  for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(SnapvaneExePath().c_str(), line.data(), NULL, NULL, FALSE, 0, NULL, NULL,
                      &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
  return true;
}

HWND SnapvaneProcess::FindVisibleWindow(bool mainOnly) const {
  WindowSearch search = {processId_, mainOnly, NULL};
  EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND SnapvaneProcess::WaitForMainWindow(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    HWND window = FindVisibleWindow(true);
    if (window) return window;
    if (!IsRunning()) return NULL;
    Sleep(50);
  }
  return NULL;
}

bool SnapvaneProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (FindVisibleWindow(false)) everShowedWindow_ = true;
    if (WaitForSingleObject(process_.Get(), 10) == WAIT_OBJECT_0) break;
    if (GetTickCount() - start >= timeoutMs) return false;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  if (exitCode) *exitCode = code;
  return true;
}

bool SnapvaneProcess::IsRunning() const {
  return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

void SnapvaneProcess::Close() {
  HWND window = FindVisibleWindow(true);
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
}

namespace {

const wchar_t kUserShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kPersonal[] = L"Personal";

}  // namespace

const wchar_t DocumentsFolderOverride::kMarker[] = L"SnapvaneStartupTest";

DocumentsFolderOverride::DocumentsFolderOverride(const std::wstring& folder) {
  saved_[0] = Read(kUserShellFolders);
  saved_[1] = Read(kShellFolders);
  // A value left behind by a run that was killed mid-way points into a
  // deleted test folder: put the usual one back instead.
  for (Saved& saved : saved_) {
    if (saved.present && saved.data.find(kMarker) != std::wstring::npos) {
      saved.type = REG_EXPAND_SZ;
      saved.data = L"%USERPROFILE%\\Documents";
    }
  }
  Write(kUserShellFolders, REG_SZ, folder);
  Write(kShellFolders, REG_SZ, folder);
}

DocumentsFolderOverride::~DocumentsFolderOverride() {
  const wchar_t* keys[2] = {kUserShellFolders, kShellFolders};
  for (int i = 0; i < 2; ++i) {
    if (saved_[i].present) {
      Write(keys[i], saved_[i].type, saved_[i].data);
    } else {
      HKEY key;
      if (RegOpenKeyExW(HKEY_CURRENT_USER, keys[i], 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, kPersonal);
        RegCloseKey(key);
      }
    }
  }
}

DocumentsFolderOverride::Saved DocumentsFolderOverride::Read(const wchar_t* keyName) {
  Saved saved;
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return saved;
  }
  wchar_t data[1024] = L"";
  DWORD size = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, kPersonal, NULL, &type, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    saved.present = true;
    saved.type = type;
    saved.data = data;
  }
  RegCloseKey(key);
  return saved;
}

void DocumentsFolderOverride::Write(const wchar_t* keyName, DWORD type, const std::wstring& value) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyName, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, kPersonal, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}
