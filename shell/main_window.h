// The program's only top-level window: a modal dialog of the framework that
// turns itself into a normal resizable window with the main menu, the
// toolbar, the preview above and the thumbnail strip below. It receives the
// commands, the drops and the strip's clicks, hands finished thumbnails to
// the strip, keeps a minimum size and saves its rectangles whenever it moves
// or is laid out.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "control_factory.h"
#include "image_list.h"
#include "keyboard_shortcuts.h"
#include "main_layout_sizes.h"
#include "main_commands.h"
#include "save_data.h"
#include "split_manager.h"
#include "subclass_dialog_base.h"
#include "tool_bar.h"
#include "win_handles.h"

class MyPictureImage_CL;
class MyPictureListView_CL;

extern const wchar_t kSplitRootName[];     // "Root(V)"
extern const wchar_t kSplitPreviewName[];  // "SplitB"
extern const wchar_t kSplitStripName[];    // "SplitA"

class MainWindow_CL : public SubClassDialogBase_CL, protected CommandHost_CL {
 public:
  // appData: the program's shared state, alive longer than the window.
  explicit MainWindow_CL(SaveData_CL& appData);
  // Deletes the preview, then the strip (which stops its decoder), then the
  // rest.
  ~MainWindow_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void OnInitDialog(int unused);
  virtual void Layout();

  // The split tree and the window rectangle to the settings file.
  void SaveLayout();
  // Carries out a menu, toolbar or context-menu command: identifier - 170.
  void OnCommand(int index);
  // Above all other windows or back, by the shared state's windowTopMost.
  void ApplyTopMost() override;

  // What depends on the DPI, rebuilt for dpi: the toolbar's images and
  // font, the strip's cells, captions and thumbnails, the bar, the limits.
  void ApplyDpi(int dpi);
  const MainLayoutSizes& Sizes() const { return sizes; }

  MyPictureImage_CL* Preview() const { return preview; }
  MyPictureListView_CL* ThumbnailList() const { return thumbnailList; }
  const SplitManager_CL& Splits() const { return splitManager; }
  HWND ToolbarWindow() const { return toolbar.GetHwnd(); }
  SaveData_CL& AppData() const { return appData; }

 protected:
  // The process's command line; tests give their own.
  virtual std::wstring CommandLineText() const;
  // The update check of the start; tests leave it out.
  virtual void CheckForUpdate();

  // What the commands need from the window.
  const PhotoList& Photos() const override;
  int CurrentPhoto() override;
  std::vector<int> SelectedPhotos() override;
  void RunSteps(std::size_t count, const std::function<void(std::size_t)>& step) override;
  TurnHistory_CL& History() override { return turnHistory; }
  void ShowUndoState(bool canUndo, bool canRedo) override;
  void ShowCannotTurn(const std::wstring& text) override;
  void ShowNotice(const std::wstring& text) override;
  void ShowTurned(int index, bool clockwise) override;
  void Log(const std::wstring& message) override;
  bool AddsMissingOrientation() const override;
  bool TurnsRawTwins() const override;
  void ShowChanged(int index) override;
  bool ChooseFiles(std::vector<std::wstring>& paths) override;
  bool ChooseFolder(std::wstring& folder) override;
  void RegisterWithProgress(const std::vector<std::wstring>& paths) override;
  void ShowRegisteredPhotos() override;
  int ShowSettingsSheet() override;
  void ShowVersionSheet() override;
  void OpenSupportSite() override;

 private:
  void CreatePreview();
  void CreateThumbnailList();
  void BuildSplitTree();
  void PlaceWindow();
  void RegisterCommandLine();
  void OnDropFiles(HDROP drop);
  void OnNotify(WPARAM wParam, LPARAM lParam);
  void OnContextMenu(HWND target);
  void ShowSelectedPhoto();
  // The turn commands of the menu and the toolbar, greyed or not.
  void EnableTurnCommands(bool enable);
  void EnforceMinimumSize(RECT* sizing);
  // WM_DPICHANGED: the window moves to the rectangle the system suggests and
  // everything is laid out for the new DPI.
  void OnDpiChanged(int dpi, const RECT* suggested);
  // The strip's height: one row of cells and its scroll bar.
  int StripHeight() const;
  // The smallest window: 400 x 300 at 96 DPI, larger at a higher DPI.
  SIZE MinimumSize() const;
  // Tells the strip the new number of photos and repaints it.
  void RefreshStrip();
  // Every index of the photo list that holds path.
  std::vector<int> CellsOf(const std::wstring& path) const;

  SaveData_CL& appData;
  ControlFactory_CL controlFactory;  // the main window makes no plain controls
  SplitManager_CL splitManager{kSplitterThickness, WM_RELAYOUT};
  MainLayoutSizes sizes = MainLayoutSizesForDpi(96);
  ImageList_CL toolbarImages;
  UniqueFont toolbarFont;  // declared before the toolbar: it goes after it
  ToolBar_CL toolbar;
  KeyboardShortcuts_CL shortcuts;  // Ctrl+L, Ctrl+R, Ctrl+Z, Ctrl+Y
  TurnHistory_CL turnHistory;
  int layoutReady = 0;
  MyPictureImage_CL* preview = nullptr;            // owned
  MyPictureListView_CL* thumbnailList = nullptr;   // owned
};
