// The program's only top-level window: a modal dialog of the framework that
// turns itself into a normal resizable window with the main menu and icon.
// For now it holds no panes; closing it ends the program with exit code 0.
#pragma once

#include <windows.h>

#include "control_factory.h"
#include "subclass_dialog_base.h"

// Default size of the main window, centred in the full-screen area.
constexpr int kMainWindowWidth = 672;
constexpr int kMainWindowHeight = 810;

class MainWindow_CL : public SubClassDialogBase_CL {
 public:
  MainWindow_CL();
  ~MainWindow_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void OnInitDialog(int unused);
  virtual void Layout();

 private:
  ControlFactory_CL controlFactory;  // the main window makes no plain controls
  int layoutReady = 0;
};
