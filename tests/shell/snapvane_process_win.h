// Runs the real Snapvane.exe for a test and ends it when the object goes; and
// moves the user's documents folder into a private folder meanwhile.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win_handles.h"

class SnapvaneProcess {
 public:
  SnapvaneProcess() {}
  ~SnapvaneProcess();
  SnapvaneProcess(const SnapvaneProcess&) = delete;
  SnapvaneProcess& operator=(const SnapvaneProcess&) = delete;

  // Starts the program with these arguments, each quoted.
  bool Start(const std::vector<std::wstring>& arguments = std::vector<std::wstring>());
  // The visible top-level window titled "Snapvane" of this process, waiting
  // up to `timeoutMs` for it; null if none appeared.
  HWND WaitForMainWindow(DWORD timeoutMs);
  // Waits for the process to end; false on timeout. While waiting, notes
  // whether the process ever showed a window.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  bool IsRunning() const;
  bool EverShowedWindow() const { return everShowedWindow_; }
  // Asks the main window to close, as the user would.
  void Close();
  HANDLE Handle() const { return process_.Get(); }
  DWORD ProcessId() const { return processId_; }

 private:
  HWND FindVisibleWindow(bool mainOnly) const;

  UniqueHandle process_;
  DWORD processId_ = 0;
  bool everShowedWindow_ = false;
};

// The program's path, from the build.
std::wstring SnapvaneExePath();

// Points the current user's documents folder at `folder` (the shell reads it
// from the registry) and puts the old setting back at the end. Only one may
// exist at a time in the whole Wine prefix: tests using it hold a lock.
class DocumentsFolderOverride {
 public:
  // Part of every folder name the tests give, so a value that a killed run
  // left behind is recognised.
  static const wchar_t kMarker[];

  explicit DocumentsFolderOverride(const std::wstring& folder);
  ~DocumentsFolderOverride();
  DocumentsFolderOverride(const DocumentsFolderOverride&) = delete;
  DocumentsFolderOverride& operator=(const DocumentsFolderOverride&) = delete;

 private:
  struct Saved {
    bool present = false;
    DWORD type = REG_SZ;
    std::wstring data;
  };
  static Saved Read(const wchar_t* keyName);
  static void Write(const wchar_t* keyName, DWORD type, const std::wstring& value);

  Saved saved_[2];
};
