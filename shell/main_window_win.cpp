#include "main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app_settings.h"
#include "command_line.h"
#include "decode_image.h"
#include "main_toolbar.h"
#include "my_picture_image.h"
#include "my_picture_list_view.h"
#include "owner_draw_menu.h"
#include "resource_ids.h"
#include "shell_helpers.h"
#include "show_in_preview.h"
#include "thread_messages.h"
#include "update_check.h"
#include "update_server.h"
#include "win_handles.h"
#include "window_layout.h"
#include "window_placement.h"
#include "window_rect.h"
#include "window_top_most.h"
#include "window_dpi.h"

const wchar_t kSplitRootName[] = L"Root(V)";
const wchar_t kSplitPreviewName[] = L"SplitB";
const wchar_t kSplitStripName[] = L"SplitA";

namespace {

// Not in the headers of an SDK for Windows XP.
const UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED

// The strip's background: opaque light grey.
const Gdiplus::ARGB kStripBackground = 0xFFC8C8C8;

}  // namespace

MainWindow_CL::MainWindow_CL(SaveData_CL& appData) : appData(appData) { style = kDialogStyle; }

MainWindow_CL::~MainWindow_CL() {
  // The shared state outlives the window: nothing may point into it then.
  if (appData.previewControl == preview) {
    appData.previewControl = nullptr;
    appData.previewWindow = NULL;
  }
  if (appData.listControl == thumbnailList) appData.listControl = nullptr;
  delete preview;
  preview = nullptr;
  delete thumbnailList;
  thumbnailList = nullptr;
}

std::wstring MainWindow_CL::CommandLineText() const { return GetCommandLineW(); }

void MainWindow_CL::CheckForUpdate() {
  UpdateCheck_CL check(UpdateServerHost(), kVersionFileObject, NULL, UpdateServerPort());
  check.CheckForUpdate(kUpdateNoticeTitle, kAppVersion, hwnd);
}

void MainWindow_CL::OnInitDialog(int) {
  HINSTANCE instance = GetModuleHandleW(NULL);
  LoadWindowTopMost(appData);
  appData.addOrientation = LoadAddOrientation() != 0;
  appData.turnRawTwins = LoadTurnRawTwins() != 0;
  SetWindowTextW(hwnd, L"Snapvane");

  // Shared icons from the module's resources: the system frees them.
  HICON smallIcon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (smallIcon) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  HICON bigIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
  if (bigIcon) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));

  SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_OVERLAPPEDWINDOW);
  // A menu attached with SetMenu is destroyed with the window.
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  if (menu) SetMenu(hwnd, menu);
  shortcuts.Install(hwnd, LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS)));
  DragAcceptFiles(hwnd, TRUE);

  LayOutOwnDpiChanges(hwnd);
  sizes = MainLayoutSizesForDpi(WindowDpi(hwnd));
  BuildMainToolbar(toolbar, toolbarImages, hwnd, ProgramFolderFile(L"ToolBar.bmp"), sizes.dpi);
  CreatePreview();
  CreateThumbnailList();
  BuildSplitTree();
  ApplyDpi(sizes.dpi);
  PlaceWindow();

  layoutReady = 1;
  Layout();
  if (!appData.refreshPending) appData.RequestPreviewRefresh();

  CheckForUpdate();
  ApplyTopMost();
  ShowWindow(hwnd, SW_SHOW);
  RegisterCommandLine();
}

void MainWindow_CL::CreatePreview() {
  preview = new MyPictureImage_CL;
  preview->Create(hwnd, PictureImage_CL::kPreviewControlId, 320, 240, 0, 0);
  preview->SetDisplayMode(kDisplayNaturalSize);
  if (preview->hwnd) DragAcceptFiles(preview->hwnd, TRUE);
  appData.previewControl = preview;
  appData.previewWindow = preview->hwnd;
}

void MainWindow_CL::CreateThumbnailList() {
  thumbnailList = new MyPictureListView_CL(&appData.photos);
  appData.listControl = thumbnailList;
  thumbnailList->Create(hwnd);
  thumbnailList->Worker().SetTargetWindow(hwnd);
  thumbnailList->Worker().Start();
  thumbnailList->SetLayoutMode(0);
  thumbnailList->SetBackgroundColor(kStripBackground);
  // One row: the strip scrolls sideways only.
  if (thumbnailList->hwnd) ShowScrollBar(thumbnailList->hwnd, SB_VERT, FALSE);
  thumbnailList->Cache().Clear();
}

void MainWindow_CL::BuildSplitTree() {
  const int root = splitManager.AddPane(NULL, kSplitRootName, true, false);
  const int top = splitManager.AddPane(preview->hwnd, kSplitPreviewName, false, false);
  const int bottom = splitManager.AddPane(thumbnailList->hwnd, kSplitStripName, false, false);
  splitManager.Link(root, top, bottom);
  splitManager.LoadSplits(kSectionWindow, kKeySpliterRect);
}

int MainWindow_CL::StripHeight() const {
  return SystemMetricForDpi(SM_CYHSCROLL, sizes.dpi) + sizes.cellHeight + 2;
}

void MainWindow_CL::ApplyDpi(int dpi) {
  sizes = MainLayoutSizesForDpi(dpi);
  SetMainToolbarDpi(toolbar, toolbarImages, toolbarFont, ProgramFolderFile(L"ToolBar.bmp"), sizes.dpi);
  if (thumbnailList) {
    // Thumbnails are decoded at the cell's size in device pixels: those of
    // the old size are dropped and decoded again.
    thumbnailList->SetThumbnailSize(sizes.thumbnailWidth, sizes.thumbnailHeight);
    thumbnailList->SetCellSize(sizes.cellWidth, sizes.cellHeight);
    thumbnailList->SetFontDpi(sizes.dpi);
    thumbnailList->Cache().Clear();
    // As much memory for the kept thumbnails at every DPI.
    thumbnailList->Cache().SetCapacity(static_cast<unsigned>(
        ThumbnailsInSameMemory(static_cast<int>(MovieBitmapChcheBase_CL::kThumbnailCapacity), sizes)));
    thumbnailList->UpdateLayout();
    if (thumbnailList->hwnd) InvalidateRect(thumbnailList->hwnd, NULL, FALSE);
  }
  const int rootNode = splitManager.FindNode(kSplitRootName);
  if (splitManager.IsNode(rootNode)) {
    // The strip is always one row of cells plus its scroll bar high, whatever
    // was saved; the bar keeps its thickness on screen.
    SplitNode& root = splitManager.Node(rootNode);
    root.position = StripHeight();
    root.thickness = sizes.splitter;
  }
}

void MainWindow_CL::OnDpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0) return;
  ApplyDpi(dpi);
  if (suggested) {
    SetWindowPos(hwnd, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout();
  InvalidateRect(hwnd, NULL, TRUE);
}

static RECT PrimaryWorkArea() {
  RECT work = {0, 0, 0, 0};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) || IsRectEmpty(&work)) {
    SetRect(&work, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }
  return work;
}

void MainWindow_CL::PlaceWindow() {
  // Centred on the primary monitor's work area and no larger than it: on a
  // short screen the title bar stays at its top rather than above it.
  const ScreenRect centred =
      CentredInWorkArea(ToScreenRect(PrimaryWorkArea()), sizes.windowWidth, sizes.windowHeight);
  const RECT defaultRect = {centred.left, centred.top, centred.right, centred.bottom};
  const RECT rect = LoadWindowRect(kSectionWindow, kKeyWindowRect, defaultRect);
  SetWindowPos(hwnd, NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_FRAMECHANGED);
}

void MainWindow_CL::RegisterCommandLine() {
  CommandLine_CL commandLine;
  commandLine.ParseCommandLine(CommandLineText());
  const int count = commandLine.CountFiles();
  for (int n = 0; n < count; ++n) AddPath(appData, commandLine.GetFile(n));
  // As after the open commands: the first photo is shown, not the program's
  // own picture with turn buttons that have nothing to turn.
  if (count > 0) ShowRegisteredPhotos();
}

void MainWindow_CL::RefreshStrip() {
  if (!thumbnailList) return;
  thumbnailList->SetCount(static_cast<unsigned>(appData.photos.size()));
  thumbnailList->UpdateLayout();
  if (thumbnailList->hwnd) InvalidateRect(thumbnailList->hwnd, NULL, FALSE);
}

void MainWindow_CL::Layout() {
  if (!layoutReady) return;
  RECT area = {0, 0, 0, 0};
  GetClientRect(hwnd, &area);
  // The toolbar sits at the top; the panes share what lies below it. The
  // toolbar may keep a height of its own rather than its buttons', so its
  // window is measured after it was sized.
  const RECT buttons = toolbar.SizeToButtons();
  int toolbarBottom = buttons.bottom;
  if (toolbar.GetHwnd()) {
    const RECT placed = WindowRectInParent(toolbar.GetHwnd());
    if (placed.bottom > toolbarBottom) toolbarBottom = placed.bottom;
  }
  area.top += toolbarBottom;
  splitManager.LayoutAll(area);
  SaveLayout();
  // The preview is rendered for its new size once the sizing is over.
  if (!appData.refreshPending) appData.RequestPreviewRefresh();
}

void MainWindow_CL::SaveLayout() {
  if (!layoutReady) return;
  splitManager.SaveSplits(kSectionWindow, kKeySpliterRect);
  SaveWindowRect(hwnd, kSectionWindow, kKeyWindowRect);
}

void MainWindow_CL::ApplyTopMost() {
  HWND window = appData.previewWindow ? GetParent(appData.previewWindow) : hwnd;
  SetWindowTopMost(window, appData.windowTopMost != 0);
}

INT_PTR MainWindow_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(0);
      break;
    case WM_MOVE:
      SaveLayout();
      break;
    case WM_SIZE:
      if (toolbar.GetHwnd()) SendMessageW(toolbar.GetHwnd(), WM_SIZE, wParam, lParam);
      Layout();
      break;
    case WM_SIZING:
      EnforceMinimumSize(reinterpret_cast<RECT*>(lParam));
      break;
    case kDpiChangedMessage:
      OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      break;
    case WM_GETMINMAXINFO:
      if (MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam)) {
        const SIZE minimum = MinimumSize();
        limits->ptMinTrackSize.x = minimum.cx;
        limits->ptMinTrackSize.y = minimum.cy;
      }
      break;
    case WM_CLOSE:
      EndDialog(window, 0);
      PostQuitMessage(0);
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= IDM_FIRST && id <= IDM_LAST) OnCommand(id - IDM_FIRST);
      break;
    }
    case WM_NOTIFY:
      OnNotify(wParam, lParam);
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam));
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      break;
    case WM_PREVIEW_REFRESH:
      ShowSelectedPhoto();
      break;
    case WM_RELAYOUT:
      Layout();
      break;
    case WM_DESTROY:
      // Nothing more is posted to a window that is going away, and what was
      // posted and not taken yet is deleted rather than lost in the queue.
      if (thumbnailList) thumbnailList->Worker().ShutdownAndDrain();
      break;
    case WM_DECODE_DONE:
      if (thumbnailList) {
        thumbnailList->AcceptDecoded(lParam);
      } else {
        DecodeImage_CL::TakeItem(lParam);  // deleted here
      }
      break;
    default:
      break;
  }
  splitManager.HandleMouse(message, lParam, window);
  // Owner-drawn menu items are measured and drawn by their menu's handler;
  // TRUE tells the dialog manager they were.
  if (OwnerDrawMenu(window, message, wParam, lParam)) return TRUE;
  return 0;
}

void MainWindow_CL::OnNotify(WPARAM wParam, LPARAM lParam) {
  if (!thumbnailList || !lParam) return;
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (static_cast<int>(wParam) != thumbnailList->controlId) return;
  if (header->code != static_cast<UINT>(NM_CLICK)) return;
  appData.selectedIndex = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
  // A click always shows its photo, even with a refresh already queued: the
  // queued one reads selectedIndex when it is handled.
  PostMessageW(hwnd, WM_PREVIEW_REFRESH, 0, 0);
}

void MainWindow_CL::OnContextMenu(HWND target) {
  if (thumbnailList && target == thumbnailList->hwnd) {
    thumbnailList->ShowContextMenu();
  } else if (preview && target == preview->hwnd) {
    preview->ShowContextMenu();
  }
}

void MainWindow_CL::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, NULL, 0);
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first, so that a long path is never cut short
    // into the name of some other file or folder.
    const UINT length = DragQueryFileW(drop, i, NULL, 0);
    if (length == 0) continue;
    std::vector<wchar_t> path(length + 1, L'\0');
    if (DragQueryFileW(drop, i, path.data(), length + 1) != length) continue;
    AddPath(appData, std::wstring(path.data(), length));
  }
  DragFinish(drop);
  RefreshStrip();
}

void MainWindow_CL::EnableTurnCommands(bool enable) {
  if (HMENU menu = GetMenu(hwnd)) {
    for (UINT id : {static_cast<UINT>(IDM_ROTATE_LEFT), static_cast<UINT>(IDM_ROTATE_RIGHT)}) {
      EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    }
  }
  if (HWND bar = toolbar.GetHwnd()) {
    SendMessageW(bar, TB_ENABLEBUTTON, IDM_ROTATE_LEFT, MAKELONG(enable ? TRUE : FALSE, 0));
    SendMessageW(bar, TB_ENABLEBUTTON, IDM_ROTATE_RIGHT, MAKELONG(enable ? TRUE : FALSE, 0));
  }
}

void MainWindow_CL::ShowSelectedPhoto() {
  appData.refreshPending = false;
  const int index = appData.selectedIndex;
  const bool photoShown = index >= 0 && static_cast<std::size_t>(index) < appData.photos.size();
  // The turns act on the photo shown: without one they have nothing to do.
  EnableTurnCommands(photoShown);
  if (photoShown) {
    appData.currentItem = &appData.photos[static_cast<std::size_t>(index)];
    ShowInPreview(appData, index);
  } else if (preview) {
    preview->ShowFile(ProgramFolderFile(L"Snapvane.jpg"));
  }
  SaveWindowTopMost(appData);
}

SIZE MainWindow_CL::MinimumSize() const {
  SIZE minimum = {MinimumWindowWidth(sizes.dpi), MinimumWindowHeight(sizes.dpi)};
  return minimum;
}

void MainWindow_CL::EnforceMinimumSize(RECT* sizing) {
  if (!sizing) return;
  const SIZE minimum = MinimumSize();
  const int minimumWidth = minimum.cx;
  const int minimumHeight = minimum.cy;
  if (sizing->right - sizing->left < minimumWidth) sizing->right = sizing->left + minimumWidth;
  if (sizing->bottom - sizing->top < minimumHeight) sizing->bottom = sizing->top + minimumHeight;
}
