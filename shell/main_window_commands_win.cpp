// The main window's side of the commands: the strip, the dialogs, the
// registration under the progress window and the sheets.
#include "main_window.h"

#include <cstddef>
#include <utility>

#include "app_settings.h"
#include "app_sheets.h"
#include "file_open_dialog.h"
#include "log_file.h"
#include "folder_select_dialog.h"
#include "my_file_open_progress.h"
#include "my_picture_image.h"
#include "my_picture_list_view.h"
#include "path_utils.h"
#include "resource_ids.h"
#include "site_open.h"
#include "step_progress.h"
#include "update_server.h"

void MainWindow_CL::OnCommand(int index) { ::OnCommand(*this, index); }

const PhotoList& MainWindow_CL::Photos() const { return appData.photos; }

// The photo the preview shows: the one last clicked or moved to in the strip.
// A Shift range keeps its anchor at the far end, so the anchor can be
// another photo than the one on screen.
int MainWindow_CL::CurrentPhoto() {
  const int index = appData.selectedIndex;
  if (index < 0 || static_cast<std::size_t>(index) >= appData.photos.size()) return -1;
  return index;
}

std::vector<int> MainWindow_CL::SelectedPhotos() {
  std::vector<int> selected;
  if (!thumbnailList || thumbnailList->GetSelectedCount() == 0) return selected;
  for (std::size_t i = 0; i < appData.photos.size(); ++i) {
    if (thumbnailList->IsSelected(static_cast<int>(i))) selected.push_back(static_cast<int>(i));
  }
  return selected;
}

namespace {

// Most selections are written before a progress window could even appear:
// one is shown only for a run that has lasted this long.
const DWORD kQuietRunMs = 500;

}  // namespace

void MainWindow_CL::RunSteps(std::size_t count, const std::function<void(std::size_t)>& step) {
  const DWORD start = GetTickCount();
  for (std::size_t done = 0; done < count;) {
    step(done++);
    if (done < count && GetTickCount() - start >= kQuietRunMs) {
      StepProgress_CL progress(step, done, count);
      progress.DoModal(0, 0, hwnd);
      progress.RunRest();
      return;
    }
  }
}

void MainWindow_CL::ShowUndoState(bool canUndo, bool canRedo) {
  HMENU menu = GetMenu(hwnd);
  if (!menu) return;
  EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (canRedo ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow_CL::AddsMissingOrientation() const { return appData.addOrientation; }

bool MainWindow_CL::TurnsRawTwins() const { return appData.turnRawTwins; }

void MainWindow_CL::ShowCannotTurn(const std::wstring& text) {
  MessageBoxW(hwnd, text.c_str(), kNoticeCaption, MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow_CL::ShowNotice(const std::wstring& text) {
  MessageBoxW(hwnd, text.c_str(), kNoticeCaption, MB_OK | MB_ICONINFORMATION);
}

// The preview's kept picture is turned in memory; the thumbnail of every
// cell that lists the same file is drawn from it, or else its own picture
// is turned.
void MainWindow_CL::ShowTurned(int index, bool clockwise) {
  if (index < 0 || static_cast<std::size_t>(index) >= appData.photos.size()) return;
  const std::wstring path = appData.photos[static_cast<std::size_t>(index)].path;
  // The turn gave the file a new last-write time; the pictures turned below
  // show the file as it is now and need no decode for that. Taken first:
  // turning them repaints them, and a repaint looks at the file.
  if (preview) preview->TakeStampAfterTurn(path);
  if (thumbnailList) thumbnailList->TakeStampAfterTurn(path);
  Gdiplus::Bitmap* upright = preview ? preview->ShowTurned(path, clockwise) : nullptr;
  if (!thumbnailList) return;
  for (int cell : CellsOf(path)) thumbnailList->ShowTurned(cell, upright, clockwise);
}

void MainWindow_CL::ShowChanged(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= appData.photos.size()) return;
  const std::wstring path = appData.photos[static_cast<std::size_t>(index)].path;
  if (preview) preview->ShowChanged(path);
  if (!thumbnailList) return;
  for (int cell : CellsOf(path)) thumbnailList->ShowChanged(cell);
}

// The same file may be listed more than once; a turn is the file's.
std::vector<int> MainWindow_CL::CellsOf(const std::wstring& path) const {
  std::vector<int> cells;
  for (std::size_t i = 0; i < appData.photos.size(); ++i) {
    if (appData.photos[i].path == path) cells.push_back(static_cast<int>(i));
  }
  return cells;
}

void MainWindow_CL::Log(const std::wstring& message) { g_logFile.WriteMessage(message); }

// Both dialogs open in the folder last chosen from, by either of them.
bool MainWindow_CL::ChooseFiles(std::vector<std::wstring>& paths) {
  FileOpenDialog_CL dialog;
  dialog.initialFolder = LoadLastFolder();
  if (!dialog.Run(true, hwnd, kChoosePhotosTitle)) return false;
  paths = dialog.GetFileNames();
  if (!paths.empty()) SaveLastFolder(PathDirectory(paths.front()));
  return true;
}

bool MainWindow_CL::ChooseFolder(std::wstring& folder) {
  FolderSelectDialog_CL dialog;
  dialog.initialFolder = LoadLastFolder();
  if (!dialog.Run(hwnd, kChooseFolderTitle, folder)) return false;
  SaveLastFolder(folder);
  return true;
}

void MainWindow_CL::RegisterWithProgress(const std::vector<std::wstring>& paths) {
  MyFileOpenProgress_CL progress(paths);
  progress.startOnOpen = 1;
  progress.DoModal(0, 0, hwnd);
  // The worker has ended (TakeFound waits for it): only now does the shared
  // list grow, while nothing can be painting from it.
  AppendPhotos(appData, progress.TakeFound());
}

void MainWindow_CL::ShowRegisteredPhotos() {
  if (!thumbnailList) return;
  thumbnailList->SetCount(static_cast<unsigned>(appData.photos.size()));
  // The first photo of the whole list, not the first new one.
  thumbnailList->SelectFirst();
  thumbnailList->UpdateLayout();
  if (thumbnailList->hwnd) InvalidateRect(thumbnailList->hwnd, NULL, FALSE);
}

int MainWindow_CL::ShowSettingsSheet() {
  return static_cast<int>(
      ShowAppSettingSheet(hwnd, appData.windowTopMost, appData.addOrientation, appData.turnRawTwins));
}

void MainWindow_CL::ShowVersionSheet() { ::ShowVersionSheet(hwnd); }

void MainWindow_CL::OpenSupportSite() { OpenSiteAddress(SupportSiteAddress()); }
