// The update check run once while the main window initialises: asks the update
// server for "Snapvane/Version.txt", decides by the settings "notify",
// "last_day" and "force", and shows the notice when a newer version is out.
#pragma once

#include <windows.h>

#include <string>

#include "inifile.h"
#include "update_decision.h"
#include "update_server.h"

class UpdateCheck_CL {
 public:
  // `dialogHwndSlot`, if set, receives the notice's window while it is up.
  UpdateCheck_CL(const std::wstring& host, const std::wstring& serverPath, HWND* dialogHwndSlot,
                 int port = kUpdateServerPort);
  virtual ~UpdateCheck_CL();
  UpdateCheck_CL(const UpdateCheck_CL&) = delete;
  UpdateCheck_CL& operator=(const UpdateCheck_CL&) = delete;

  // The whole check, synchronously. With an owner the notice is a dialog over
  // it; without one a Yes/No/Cancel message box with the same text.
  void CheckForUpdate(const std::wstring& title, const std::wstring& installed, HWND owner);

  // How the last check ended.
  UpdateCheckOutcome Outcome() const { return outcome; }

 private:
  friend class UpdateCheckEnvironmentWin;

  Inifile_CL* ini;
  std::wstring host;
  std::wstring serverPath;
  HWND* dialogHwndSlot;
  int port;
  UpdateCheckOutcome outcome = UpdateCheckOutcome::kSwitchedOff;
};
