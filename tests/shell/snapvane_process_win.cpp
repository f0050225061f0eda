#include "snapvane_process_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
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

// SNAPVANE_TEST_EXE names another build of the program to run instead of
// this build's own, such as the shipped 32-bit one: a Windows path, or a
// Linux path, which Wine shows on drive Z:.
std::wstring ChosenExePath() {
  const DWORD size = GetEnvironmentVariableW(L"SNAPVANE_TEST_EXE", NULL, 0);
  if (size == 0) return L"" SNAPVANE_EXE_PATH;
  std::vector<wchar_t> chosen(size);
  GetEnvironmentVariableW(L"SNAPVANE_TEST_EXE", chosen.data(), size);
  std::wstring path = chosen.data();
  if (!path.empty() && path[0] == L'/') {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    path = L"Z:" + path;
  }
  return path;
}

// The machine a Windows program is built for, from its PE header: "32-bit"
// (i386), "64-bit" (x86-64) or "unknown".
const char* ProgramMachine(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                NULL, OPEN_EXISTING, 0, NULL));
  unsigned char head[4096] = {};
  DWORD read = 0;
  if (!file || !ReadFile(file.Get(), head, sizeof(head), &read, NULL)) {
    return "unknown";
  }
  if (read < 0x40 || head[0] != 'M' || head[1] != 'Z') return "unknown";
  const DWORD pe = head[0x3C] | (head[0x3D] << 8) | (head[0x3E] << 16) | (static_cast<DWORD>(head[0x3F]) << 24);
  if (pe > read - 6 || memcmp(head + pe, "PE\0\0", 4) != 0) return "unknown";
  const unsigned machine = head[pe + 4] | (head[pe + 5] << 8);
  if (machine == IMAGE_FILE_MACHINE_I386) return "32-bit";
  if (machine == IMAGE_FILE_MACHINE_AMD64) return "64-bit";
  return "unknown";
}

// One line per test program naming the program it starts and what it is
// built for, so that a run meant for the shipped build can be checked to
// have used it.
void ReportProgramUnderTest() {
  static bool reported = false;
  if (reported) return;
  reported = true;
  const std::wstring path = SnapvaneExePath();
  const int size = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, NULL, 0, NULL, NULL);
  if (size <= 0) return;
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, &text[0], size, NULL, NULL);
  std::printf("program under test: %s (%s)\n", text.c_str(), ProgramMachine(path));
  std::fflush(stdout);
}

}  // namespace

std::wstring SnapvaneExePath() {
  static const std::wstring path = ChosenExePath();
  return path;
}

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
  ReportProgramUnderTest();
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
