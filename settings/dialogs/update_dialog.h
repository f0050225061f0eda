// The update notice: the published and the installed version, with the
// buttons "go to the site" (result 1) and "remind me later" (result 2);
// closing it gives 0.
#pragma once

#include <windows.h>

#include <string>

#include "control_factory.h"
#include "high_dpi_helper.h"
#include "subclass_dialog_base.h"

// Size at 96 DPI, scaled for the screen when the process is not DPI-aware.
constexpr int kNoticeWidth = 360;
constexpr int kNoticeHeight = 160;

class UpdateDialog_CL : public SubClassDialogBase_CL {
 public:
  UpdateDialog_CL(const std::wstring& title, const std::wstring& installedVersion,
                  const std::wstring& latestVersion);
  ~UpdateDialog_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // For tests: scale by this instead of what the system reports.
  void SetDpiForTest(const HighDpiHelper_CL& dpi);

 private:
  void BuildContents();

  std::wstring title;
  std::wstring installedVersion;
  std::wstring latestVersion;
  ControlFactory_CL controls;
  bool dpiGiven = false;
  HighDpiHelper_CL givenDpi;
};
