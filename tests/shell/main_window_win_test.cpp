// The main window in this process (the test program carries the same
// resources as Snapvane.exe): its start, its layout and settings, the strip's
// clicks and the preview refreshes, drops, finished thumbnails and the
// commands, each run as a scenario inside the window's modal loop.
#include "main_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app_settings.h"
#include "com_session.h"
#include "decode_image.h"
#include "dialog_answerer_win.h"
#include "dialog_metrics.h"
#include "gdiplus_session.h"
#include "imaging/photo_pixels_win.h"
#include "inifile.h"
#include "read_orientation.h"
#include "my_picture_image.h"
#include "my_picture_list_view.h"
#include "resource_ids.h"
#include "photos/temp_folder.h"
#include "shell_helpers.h"
#include "site_open.h"
#include "test_files.h"
#include "thread_messages.h"
#include "fit_rect.h"
#include "thumbnail_rule.h"
#include "update_server.h"

namespace {

const UINT WM_RUN_SCENARIO = WM_APP + 7;

// Runs the given scenario inside the window's modal loop once the window is
// up, then closes the window as the user would.
class ScenarioWindow : public MainWindow_CL {
 public:
  typedef std::function<void(ScenarioWindow& w)> Scenario;

  ScenarioWindow(SaveData_CL& data, const std::wstring& arguments, Scenario scenario)
      : MainWindow_CL(data), arguments(arguments), scenario(std::move(scenario)) {}

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    const INT_PTR result = MainWindow_CL::HandleMessage(window, message, wParam, lParam);
    if (message == WM_INITDIALOG) PostMessageW(window, WM_RUN_SCENARIO, 0, 0);
    if (message == WM_RUN_SCENARIO) {
      Pump(200);
      if (scenario) scenario(*this);
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return result;
  }

  // Serves the window's queue for a while, as its modal loop would.
  void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
      MSG msg;
      while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(msg.wParam));
          return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      Sleep(10);
    } while (GetTickCount() - start < ms);
  }

  // Takes the queued preview refreshes off the queue without showing them.
  int TakePreviewRefreshes() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, hwnd, WM_PREVIEW_REFRESH, WM_PREVIEW_REFRESH, PM_REMOVE)) ++count;
    return count;
  }

  HWND Hwnd() const { return hwnd; }
  RECT PlaceOf(HWND child) const {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  void Click(int index, UINT code = NM_CLICK) {
    NMITEMACTIVATE note = {};
    note.hdr.hwndFrom = ThumbnailList()->hwnd;
    note.hdr.idFrom = static_cast<UINT_PTR>(ThumbnailList()->controlId);
    note.hdr.code = code;
    note.iItem = index;
    SendMessageW(hwnd, WM_NOTIFY, static_cast<WPARAM>(ThumbnailList()->controlId),
                 reinterpret_cast<LPARAM>(&note));
  }
  void Command(int id) { SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  std::vector<std::wstring> chosenFiles;
  std::wstring chosenFolder;
  int updateChecks = 0;
  std::vector<std::wstring> notices;

 protected:
  std::wstring CommandLineText() const override { return L"Snapvane.exe " + arguments; }
  void CheckForUpdate() override { ++updateChecks; }
  bool ChooseFiles(std::vector<std::wstring>& paths) override {
    paths = chosenFiles;
    return !chosenFiles.empty();
  }
  bool ChooseFolder(std::wstring& folder) override {
    folder = chosenFolder;
    return !chosenFolder.empty();
  }
  void ShowNotice(const std::wstring& text) override { notices.push_back(text); }

 private:
  std::wstring arguments;
  Scenario scenario;
};

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::vector<std::wstring> PathsOf(const PhotoList& photos) {
  std::vector<std::wstring> paths;
  for (const PhotoItem& item : photos) paths.push_back(item.path);
  return paths;
}

// A drop of these paths, as the shell hands it over.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  wchar_t* at = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& p : paths) {
    p.copy(at, p.size());
    at += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_inifile.SetPath(dir.Join(L"Snapvane.ini"));
    // The preview's own picture and the toolbar's images lie beside the
    // program.
    const std::wstring exe = L"" SNAPVANE_EXE_PATH;
    for (const wchar_t* name : {L"\\Snapvane.jpg", L"\\ToolBar.bmp", L"\\menu_image.bmp"}) {
      CopyFileW((exe.substr(0, exe.rfind(L'\\')) + name).c_str(), (GetModuleFolder() + name).c_str(),
                TRUE);
    }
  }
  void TearDown() override { g_inifile.SetPath(L""); }

  // Runs the window to its end; returns what DoModal returned.
  INT_PTR Run(ScenarioWindow& window) {
    const INT_PTR result = window.DoModal(0, 0, NULL);
    // Closing posts a quit message for the program's end; keep it from
    // ending the next window's loop.
    MSG msg;
    quitPosted = PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    return result;
  }

  std::wstring Setting(const wchar_t* key) const {
    return g_inifile.ReadString(kSectionWindow, key, L"<none>");
  }

  ComSession_CL com;
  GdiplusSession_CL gdiplus;
  TempDir dir;
  SaveData_CL data;
  bool quitPosted = false;
};

}  // namespace

TEST_F(MainWindowTest, FirstStartIsCentredWithTheStripOneRowHighAndTheProgramsPicture) {
  RECT window = {0, 0, 0, 0}, preview = {}, strip = {}, client = {}, toolbar = {};
  std::wstring title;
  DWORD windowStyle = 0;
  int menuItems = 0;
  UINT rotateRightId = 0;
  bool smallIcon = false, previewHasPicture = false, visible = false;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    GetWindowRect(w.Hwnd(), &window);
    GetClientRect(w.Hwnd(), &client);
    preview = w.PlaceOf(w.Preview()->hwnd);
    strip = w.PlaceOf(w.ThumbnailList()->hwnd);
    toolbar = w.PlaceOf(w.ToolbarWindow());
    wchar_t text[64] = L"";
    GetWindowTextW(w.Hwnd(), text, 64);
    title = text;
    windowStyle = static_cast<DWORD>(GetWindowLongW(w.Hwnd(), GWL_STYLE));
    visible = IsWindowVisible(w.Hwnd()) != FALSE;
    HMENU menu = GetMenu(w.Hwnd());
    menuItems = menu ? GetMenuItemCount(menu) : -1;
    if (menu) rotateRightId = GetMenuItemID(GetSubMenu(menu, 1), 4);
    smallIcon = SendMessageW(w.Hwnd(), WM_GETICON, ICON_SMALL, 0) != 0;
    previewHasPicture = w.Preview()->Image() != nullptr;
  });
  EXPECT_EQ(0, Run(w));
  EXPECT_TRUE(quitPosted);

  EXPECT_EQ(L"Snapvane", title);
  EXPECT_TRUE(visible);
  EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), windowStyle & WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(4, menuItems);
  EXPECT_EQ(192u, rotateRightId);
  EXPECT_TRUE(smallIcon);
  EXPECT_EQ(1, w.updateChecks);

  // Centred on the work area, which is taller than the window here.
  RECT work;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  ASSERT_GE(work.bottom - work.top, 810);
  EXPECT_EQ(672, window.right - window.left);
  EXPECT_EQ(810, window.bottom - window.top);
  EXPECT_EQ(work.left + (work.right - work.left - 672) / 2, window.left);
  EXPECT_EQ(work.top + (work.bottom - work.top - 810) / 2, window.top);

  // Toolbar, preview, a 4-pixel bar, and the strip one row of cells plus its
  // scroll bar high at the bottom.
  EXPECT_GT(toolbar.bottom, 0);
  EXPECT_EQ(toolbar.bottom, preview.top);
  EXPECT_EQ(preview.bottom + 4, strip.top);
  EXPECT_EQ(client.bottom, strip.bottom);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL) + 166, strip.bottom - strip.top);
  EXPECT_EQ(client.right, preview.right);
  EXPECT_EQ(client.right, strip.right);
  EXPECT_TRUE(previewHasPicture) << "Snapvane.jpg from the program's folder";

  // The layout and the preview refresh wrote their settings.
  EXPECT_EQ(0u, Setting(kKeySpliterRect).find(L"Root(V), 0, "));
  EXPECT_NE(std::wstring::npos, Setting(kKeySpliterRect).find(L", SplitB, "));
  EXPECT_NE(std::wstring::npos, Setting(kKeySpliterRect).find(L", SplitA, "));
  RECT saved;
  ASSERT_TRUE(g_inifile.ReadStruct(kSectionWindow, kKeyWindowRect, &saved, sizeof saved));
  EXPECT_EQ(window.left, saved.left);
  EXPECT_EQ(window.bottom, saved.bottom);
  EXPECT_EQ(0, g_inifile.ReadInt(kSectionAppSetting, kKeyWindowTopMost, -1));
}

namespace {

// What the window lays out at one DPI.
struct LaidOut {
  int dpi = 0;
  RECT window = {}, toolbar = {}, preview = {}, strip = {}, firstButton = {};
  int toolbarImage = 0, cellWidth = 0, labelHeight = 0, thumbnailWidth = 0;
  unsigned thumbnailsKept = 0;
  float captionPixels = 0;
};

LaidOut Measure(ScenarioWindow& w) {
  LaidOut seen;
  seen.dpi = w.Sizes().dpi;
  GetWindowRect(w.Hwnd(), &seen.window);
  seen.toolbar = w.PlaceOf(w.ToolbarWindow());
  seen.preview = w.PlaceOf(w.Preview()->hwnd);
  seen.strip = w.PlaceOf(w.ThumbnailList()->hwnd);
  SendMessageW(w.ToolbarWindow(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&seen.firstButton));
  int cy = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(w.ToolbarWindow(), TB_GETIMAGELIST, 0, 0)),
                        &seen.toolbarImage, &cy);
  // The first label's height in the toolbar's own font.
  HDC dc = GetDC(w.ToolbarWindow());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(w.ToolbarWindow(), WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32W(dc, L"ファイルを開く", 7, &extent);
  SelectObject(dc, old);
  ReleaseDC(w.ToolbarWindow(), dc);
  seen.labelHeight = extent.cy;
  seen.cellWidth = w.ThumbnailList()->Grid().layout.CellWidth();
  seen.thumbnailsKept = w.ThumbnailList()->Cache().Capacity();
  const Gdiplus::Font* caption = w.ThumbnailList()->CaptionFont();
  // In pixels (or world units, one a pixel, for a font made from a GDI one);
  // a whole number then.
  if (caption && (caption->GetUnit() == Gdiplus::UnitPixel || caption->GetUnit() == Gdiplus::UnitWorld)) {
    seen.captionPixels = caption->GetSize();
  }
  for (int i = 0; i < 100 && !w.ThumbnailList()->Cache().Find(ThumbnailCacheKey(0)); ++i) w.Pump(20);
  if (Gdiplus::Bitmap* thumbnail = w.ThumbnailList()->Cache().Find(ThumbnailCacheKey(0))) {
    seen.thumbnailWidth = static_cast<int>(thumbnail->GetWidth());
  }
  return seen;
}

}  // namespace

// Moved to a monitor of twice the DPI, the window takes the rectangle the
// system suggests and lays everything out twice as large: toolbar images
// drawn for the scale with their labels in full below them, the strip's
// cells, captions and thumbnails (decoded again at the new size), the bar.
TEST_F(MainWindowTest, AMoveToTwiceTheDpiDoublesWhatTheWindowLaysOut) {
  const std::wstring a = dir.Join(L"a.jpg");
  BitmapPtr picture = QuadrantPicture(400, 300);
  ASSERT_TRUE(WriteBytes(a, JpegWithOrientation(picture.get(), 1)));
  const std::wstring exe = L"" SNAPVANE_EXE_PATH;
  const std::wstring folder = exe.substr(0, exe.rfind(L'\\'));
  for (const wchar_t* name : {L"\\ToolBar_200.bmp", L"\\ToolBar_150.bmp"}) {
    CopyFileW((folder + name).c_str(), (GetModuleFolder() + name).c_str(), TRUE);
  }
  LaidOut before, after;
  RECT suggested = {};
  ScenarioWindow w(data, Quoted(a), [&](ScenarioWindow& w) {
    before = Measure(w);
    suggested = before.window;
    suggested.right = suggested.left + 900;
    suggested.bottom = suggested.top + 980;
    const int twice = 2 * before.dpi;
    SendMessageW(w.Hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(twice, twice),
                 reinterpret_cast<LPARAM>(&suggested));
    w.Pump(100);
    after = Measure(w);
  });
  Run(w);
  ASSERT_EQ(96, before.dpi) << "the test prefix runs at 96 DPI";
  EXPECT_EQ(192, after.dpi);
  EXPECT_TRUE(EqualRect(&suggested, &after.window));

  EXPECT_EQ(48, before.toolbarImage);
  EXPECT_EQ(96, after.toolbarImage) << "the 200 % drawing";
  EXPECT_EQ(196, before.cellWidth);
  EXPECT_EQ(392, after.cellWidth);
  EXPECT_NEAR(13.33f, before.captionPixels, 0.5f);
  EXPECT_NEAR(26.67f, after.captionPixels, 0.5f);
  EXPECT_EQ(192, before.thumbnailWidth);
  EXPECT_EQ(384, after.thumbnailWidth) << "decoded again for the new cell";
  EXPECT_EQ(800u, before.thumbnailsKept);
  EXPECT_EQ(200u, after.thumbnailsKept) << "four times the pixels each, in the same memory";
  for (const LaidOut* seen : {&before, &after}) {
    // Every label shows in full below its image, and the toolbar holds it.
    EXPECT_GE(seen->firstButton.bottom - seen->firstButton.top, seen->toolbarImage + seen->labelHeight)
        << seen->dpi;
    EXPECT_GE(seen->toolbar.bottom, seen->firstButton.bottom) << seen->dpi;
    EXPECT_EQ(seen->toolbar.bottom, seen->preview.top) << seen->dpi;
  }
  EXPECT_GT(after.labelHeight, before.labelHeight) << "the labels' font grew";
  EXPECT_EQ(before.preview.bottom + 4, before.strip.top);
  EXPECT_EQ(after.preview.bottom + 8, after.strip.top);
  EXPECT_GE(after.strip.bottom - after.strip.top, 328 + 2);
}

TEST_F(MainWindowTest, CommandLineRegistersFilesAndFoldersInOrderSkippingOptions) {
  photos_test::TempFolder photos;
  const std::wstring a = photos.File(L"a.jpg");
  const std::wstring spaced = photos.File(L"b c.jpg");
  const std::wstring gif = photos.File(L"x.gif");
  const std::wstring folder = photos.Folder(L"folder");
  photos.Folder(L"folder\\sub");
  photos.File(L"folder\\d.jpg");
  photos.File(L"folder\\sub\\e.JPEG");
  std::vector<std::wstring> expected = {a, spaced};
  photos_test::ListPhotosInNameOrder(folder, &expected);

  unsigned stripCount = 0;
  int selected = 0;
  std::wstring tip;
  ScenarioWindow w(data,
                   Quoted(a) + L" -x /y " + Quoted(spaced) + L" " + Quoted(gif) + L" " + Quoted(folder),
                   [&](ScenarioWindow& w) {
                     stripCount = w.ThumbnailList()->GetCount();
                     selected = w.AppData().selectedIndex;
                     tip = w.ThumbnailList()->GetToolTipText(1);
                   });
  Run(w);
  EXPECT_EQ(spaced, tip) << "a cell's tooltip is its photo's full path";
  EXPECT_EQ(expected, PathsOf(data.photos));
  EXPECT_EQ(4u, data.photos.size());
  EXPECT_EQ(4u, stripCount);
  EXPECT_EQ(0, selected) << "the first photo is shown, as after the open commands";
}

TEST_F(MainWindowTest, AClickShowsThatPhotoAndRefreshesAreCoalesced) {
  photos_test::TempFolder photos;
  const std::wstring a = photos.File(L"a.jpg");
  const std::wstring b = photos.File(L"b.jpg");
  ScenarioWindow w(data, Quoted(a) + L" " + Quoted(b), [&](ScenarioWindow& w) {
    w.Pump(300);
    ASSERT_FALSE(data.refreshPending);

    w.Click(1);
    EXPECT_EQ(1, data.selectedIndex);
    EXPECT_EQ(1, w.TakePreviewRefreshes());
    SendMessageW(w.Hwnd(), WM_PREVIEW_REFRESH, 0, 0);
    EXPECT_EQ(&data.photos[1], data.currentItem);

    // However many ask, one refresh is queued.
    data.RequestPreviewRefresh();
    data.RequestPreviewRefresh();
    w.Layout();
    EXPECT_EQ(1, w.TakePreviewRefreshes());
    SendMessageW(w.Hwnd(), WM_PREVIEW_REFRESH, 0, 0);
    EXPECT_FALSE(data.refreshPending);

    // A click while a refresh is queued: the queued one shows the new photo.
    data.RequestPreviewRefresh();
    w.Click(0);
    EXPECT_EQ(2, w.TakePreviewRefreshes());
    SendMessageW(w.Hwnd(), WM_PREVIEW_REFRESH, 0, 0);
    EXPECT_EQ(&data.photos[0], data.currentItem);

    // Other notifications, and clicks from other controls, change nothing.
    w.Click(1, NM_DBLCLK);
    EXPECT_EQ(0, data.selectedIndex);
    NMITEMACTIVATE other = {};
    other.hdr.code = NM_CLICK;
    other.iItem = 1;
    SendMessageW(w.Hwnd(), WM_NOTIFY, 999, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(0, data.selectedIndex);
    EXPECT_EQ(0, w.TakePreviewRefreshes());
  });
  Run(w);
}

TEST_F(MainWindowTest, DroppedFilesAreRegisteredInDropOrder) {
  photos_test::TempFolder photos;
  const std::wstring c = photos.File(L"c.jpg");
  const std::wstring a = photos.File(L"a.jpg");
  const std::wstring folder = photos.Folder(L"more");
  const std::wstring inFolder = photos.File(L"more\\m.jpg");
  unsigned stripCount = 0;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    SendMessageW(w.Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({c, a, folder})), 0);
    stripCount = w.ThumbnailList()->GetCount();
    // Dropped on the strip or the preview, it reaches the window the same way.
    SendMessageW(w.ThumbnailList()->hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a})), 0);
  });
  Run(w);
  EXPECT_EQ((std::vector<std::wstring>{c, a, inFolder, a}), PathsOf(data.photos));
  EXPECT_EQ(3u, stripCount);
}

TEST_F(MainWindowTest, ADroppedPathLongerThanMaxPathIsNeverCutIntoAnother) {
  // A photo whose path is exactly MAX_PATH - 1 characters, and a dropped path
  // that starts with it: cut to MAX_PATH it would name that photo.
  const std::wstring prefix = dir.Path() + L"\\";
  const std::wstring photo = prefix + std::wstring(MAX_PATH - 1 - prefix.size() - 4, L'p') + L".jpg";
  ASSERT_EQ(static_cast<size_t>(MAX_PATH - 1), photo.size());
  ASSERT_TRUE(WriteBytes(photo, Bytes{'x'}));
  const std::wstring shortPhoto = dir.Join(L"s.jpg");
  ASSERT_TRUE(WriteBytes(shortPhoto, Bytes{'x'}));
  const std::wstring longPath = photo + L"\\deeper\\than\\allowed.jpg";
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    SendMessageW(w.Hwnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({longPath, shortPhoto})), 0);
  });
  Run(w);
  EXPECT_EQ((std::vector<std::wstring>{shortPhoto}), PathsOf(data.photos));
}

TEST_F(MainWindowTest, SizingStopsAtTheMinimumWhicheverEdgeIsDragged) {
  // 400 x 300 at 96 DPI, grown with a finer screen: small enough for any
  // screen, the window's first size no longer the smallest.
  int dpi = 0;
  MINMAXINFO limits = {};
  RECT small = {100, 100, 150, 150};
  RECT fromLeft = {300, 100, 310, 2000};
  RECT large = {0, 0, 2000, 2000};
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    HDC screen = GetDC(NULL);
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    SendMessageW(w.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    SendMessageW(w.Hwnd(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&small));
    SendMessageW(w.Hwnd(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&fromLeft));
    SendMessageW(w.Hwnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&large));
  });
  Run(w);
  ASSERT_GT(dpi, 0);
  const int width = MulDiv(400, dpi, 96);
  const int height = MulDiv(300, dpi, 96);
  EXPECT_EQ(width, limits.ptMinTrackSize.x);
  EXPECT_EQ(height, limits.ptMinTrackSize.y);
  EXPECT_LT(width, 672);
  EXPECT_EQ(100, small.left);
  EXPECT_EQ(100 + width, small.right);
  EXPECT_EQ(100 + height, small.bottom);
  EXPECT_EQ(300, fromLeft.left);
  EXPECT_EQ(300 + width, fromLeft.right);
  EXPECT_EQ(2000, fromLeft.bottom);
  EXPECT_EQ(2000, large.right);
}

TEST_F(MainWindowTest, ResizingGrowsOnlyThePreviewAndSavesBothRectangles) {
  int stripBefore = 0, stripAfter = 0, previewBefore = 0, previewAfter = 0;
  RECT after = {};
  std::wstring splitsBefore, splitsAfter;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    RECT strip = w.PlaceOf(w.ThumbnailList()->hwnd);
    RECT preview = w.PlaceOf(w.Preview()->hwnd);
    stripBefore = strip.bottom - strip.top;
    previewBefore = preview.bottom - preview.top;
    splitsBefore = Setting(kKeySpliterRect);
    SetWindowPos(w.Hwnd(), NULL, 40, 30, 760, 900, SWP_NOZORDER);
    w.Pump(200);
    strip = w.PlaceOf(w.ThumbnailList()->hwnd);
    preview = w.PlaceOf(w.Preview()->hwnd);
    stripAfter = strip.bottom - strip.top;
    previewAfter = preview.bottom - preview.top;
    GetWindowRect(w.Hwnd(), &after);
    splitsAfter = Setting(kKeySpliterRect);
  });
  Run(w);
  EXPECT_EQ(stripBefore, stripAfter);
  EXPECT_EQ(previewBefore + 90, previewAfter);
  EXPECT_NE(splitsBefore, splitsAfter);
  RECT saved;
  ASSERT_TRUE(g_inifile.ReadStruct(kSectionWindow, kKeyWindowRect, &saved, sizeof saved));
  EXPECT_EQ(40, saved.left);
  EXPECT_EQ(30, saved.top);
  EXPECT_EQ(after.right, saved.right);
  EXPECT_EQ(after.bottom, saved.bottom);
}

namespace {

std::vector<std::wstring> g_previewDecodes;
void CountPreviewDecode(const std::wstring& path) { g_previewDecodes.push_back(path); }

std::vector<std::wstring> TakePreviewDecodes() {
  std::vector<std::wstring> decodes;
  decodes.swap(g_previewDecodes);
  return decodes;
}

// The preview shows the photo (upright w x h) fitted to the pane it has now.
::testing::AssertionResult FittedToPane(const ScenarioWindow& w, int width, int height) {
  RECT client;
  GetClientRect(w.Preview()->hwnd, &client);
  Gdiplus::Bitmap* image = w.Preview()->Image();
  if (!image) return ::testing::AssertionFailure() << "no picture";
  const FitSize fit = FitInside(client.right, client.bottom, width, height);
  const int shownWidth = static_cast<int>(image->GetWidth());
  const int shownHeight = static_cast<int>(image->GetHeight());
  if (shownWidth == fit.width && shownHeight == fit.height) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "picture " << shownWidth << " x " << shownHeight << " in a pane of "
                                       << client.right << " x " << client.bottom;
}

}  // namespace

namespace {

std::atomic<int> g_stripDecodes{0};
void CountStripDecode(const DecodeItem_CL&) { ++g_stripDecodes; }

// A press and release on the photo's cell, and the preview refresh it asks
// for handled at once: what the pane shows before any decode can finish.
void ClickCellAndShow(ScenarioWindow& w, int index) {
  MyPictureListView_CL* strip = w.ThumbnailList();
  RECT client;
  GetClientRect(strip->hwnd, &client);
  for (int x = 2; x < client.right; x += 4) {
    if (strip->HitTest(x, 40) != index) continue;
    SendMessageW(strip->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 40));
    SendMessageW(strip->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, 40));
    w.TakePreviewRefreshes();
    SendMessageW(w.Hwnd(), WM_PREVIEW_REFRESH, 0, 0);
    return;
  }
  ADD_FAILURE() << "no cell for photo " << index;
}

// Until the preview is idle: its photo shown, its neighbours decoded.
bool WaitForPreview(ScenarioWindow& w) {
  auto busy = [&] { return w.Preview()->Waiting() || w.Preview()->Prefetching(); };
  for (int i = 0; i < 200 && busy(); ++i) w.Pump(20);
  return !busy();
}

bool MenuItemEnabled(ScenarioWindow& w, UINT id) {
  return !(GetMenuState(GetMenu(w.Hwnd()), id, MF_BYCOMMAND) & MF_GRAYED);
}

// The key pressed with Ctrl held, as the dialog loop hands it on.
void PressCtrl(ScenarioWindow& w, HWND target, WORD key) {
  BYTE before[256];
  GetKeyboardState(before);
  BYTE held[256];
  memcpy(held, before, sizeof(held));
  held[VK_CONTROL] = 0x80;
  SetKeyboardState(held);
  MSG msg = {};
  msg.hwnd = target;
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = 1;
  if (!IsDialogMessageW(w.Hwnd(), &msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  SetKeyboardState(before);
}

}  // namespace

TEST_F(MainWindowTest, ThePreviewDecodesOffTheWindowAndTurnsWithoutDecoding) {
  const std::wstring a = dir.Join(L"a.jpg");
  const std::wstring b = dir.Join(L"b.jpg");
  const std::wstring c = dir.Join(L"c.jpg");  // not a photo yet
  const std::wstring d = dir.Join(L"d.jpg");
  BitmapPtr picture = QuadrantPicture(400, 300);
  ASSERT_TRUE(WriteBytes(a, JpegWithOrientation(picture.get(), 1)));
  ASSERT_TRUE(WriteBytes(b, JpegWithOrientation(picture.get(), 1)));
  ASSERT_TRUE(WriteBytes(c, Bytes(100, 0x55)));
  ASSERT_TRUE(WriteBytes(d, JpegWithOrientation(picture.get(), 1)));
  const SIZE sizes[] = {{700, 820}, {860, 900}, {640, 700}, {900, 760}};
  g_previewDecodes.clear();
  g_stripDecodes = 0;
  PictureImage_CL::SetDecodeHookForTests(&CountPreviewDecode);
  DecodeImage_CL::SetDecodeHookForTests(&CountStripDecode);
  ScenarioWindow w(data, Quoted(a) + L" " + Quoted(b) + L" " + Quoted(c) + L" " + Quoted(d),
                   [&](ScenarioWindow& w) {
    for (int i = 0; i < 100 && g_stripDecodes < 3; ++i) w.Pump(20);
    w.Pump(200);  // the three thumbnails in the strip
    // The first photo is shown from the start, and the next one decoded
    // once the preview is idle.
    ASSERT_TRUE(WaitForPreview(w));
    EXPECT_EQ((std::vector<std::wstring>{a, b}), TakePreviewDecodes());

    // A click on a photo not kept shows the thumbnail enlarged at once,
    // then the photo.
    ClickCellAndShow(w, 3);
    ASSERT_TRUE(w.Preview()->Waiting());
    ASSERT_NE(nullptr, w.Preview()->Image()) << "the thumbnail stands in";
    EXPECT_EQ(nullptr, w.Preview()->KeptPicture());
    EXPECT_TRUE(FittedToPane(w, 400, 300));
    Gdiplus::Bitmap* shown = w.Preview()->Image();
    ExpectUpright(shown, 1, 0, 0, static_cast<int>(shown->GetWidth()), static_cast<int>(shown->GetHeight()),
                  "thumbnail enlarged");
    ASSERT_TRUE(WaitForPreview(w));
    ASSERT_NE(nullptr, w.Preview()->KeptPicture());
    EXPECT_TRUE(FittedToPane(w, 400, 300));
    // Its neighbour before it cannot be read: tried once, not kept.
    EXPECT_EQ((std::vector<std::wstring>{d, c}), TakePreviewDecodes());
    ClickCellAndShow(w, 0);
    ASSERT_TRUE(WaitForPreview(w));
    TakePreviewDecodes();
    for (const SIZE& size : sizes) {
      SetWindowPos(w.Hwnd(), NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
      w.Pump(100);
      EXPECT_TRUE(FittedToPane(w, 400, 300)) << size.cx << " x " << size.cy;
    }
    EXPECT_TRUE(TakePreviewDecodes().empty()) << "a new size only fits the kept picture again";

    // Turned a quarter right: the preview and the thumbnail stand at once,
    // and nothing is decoded for either.
    const int stripDecodes = g_stripDecodes;
    w.Command(IDM_ROTATE_RIGHT);
    EXPECT_EQ(6, ReadOrientation(a));
    EXPECT_FALSE(w.Preview()->Waiting());
    EXPECT_TRUE(FittedToPane(w, 300, 400));
    shown = w.Preview()->Image();
    ASSERT_NE(nullptr, shown);
    ExpectUpright(shown, 6, 0, 0, static_cast<int>(shown->GetWidth()), static_cast<int>(shown->GetHeight()),
                  "turned preview");
    Gdiplus::Bitmap* thumbnail = w.ThumbnailList()->Cache().Find(ThumbnailCacheKey(0));
    ASSERT_NE(nullptr, thumbnail);
    DrawRect drawn;
    ASSERT_TRUE(ThumbnailRect(192, 144, 300, 400, &drawn));
    ExpectUpright(thumbnail, 6, drawn.x, drawn.y, drawn.width, drawn.height, "turned thumbnail");
    w.Pump(300);
    EXPECT_TRUE(TakePreviewDecodes().empty());
    EXPECT_EQ(stripDecodes, g_stripDecodes) << "the thumbnail was not decoded again";
    EXPECT_TRUE(FittedToPane(w, 300, 400));

    // Clicking through: only the last photo clicked is shown.
    ClickCellAndShow(w, 1);
    ClickCellAndShow(w, 0);
    ASSERT_TRUE(WaitForPreview(w));
    w.Pump(100);
    EXPECT_TRUE(FittedToPane(w, 300, 400));
    TakePreviewDecodes();

    // A photo that cannot be read says so and is not kept; it is tried
    // again on the next click: now it can be.
    ClickCellAndShow(w, 2);
    ASSERT_TRUE(WaitForPreview(w));
    EXPECT_NE(nullptr, w.Preview()->Image()) << "表示できません";
    EXPECT_EQ(nullptr, w.Preview()->KeptPicture());
    ASSERT_TRUE(WriteBytes(c, JpegWithOrientation(picture.get(), 1)));
    ClickCellAndShow(w, 2);
    ASSERT_TRUE(WaitForPreview(w));
    EXPECT_TRUE(FittedToPane(w, 400, 300));
    EXPECT_EQ((std::vector<std::wstring>{c, d, c}), TakePreviewDecodes()) << "d kept as c's neighbour";

    // Ctrl+R and Ctrl+L turn the photo from the keyboard, wherever the
    // focus is in the window; other keys reach the strip as before.
    PressCtrl(w, w.ThumbnailList()->hwnd, 'R');
    EXPECT_EQ(6, ReadOrientation(c));
    EXPECT_TRUE(FittedToPane(w, 300, 400));
    PressCtrl(w, w.Hwnd(), 'L');
    PressCtrl(w, w.Preview()->hwnd, 'L');
    EXPECT_EQ(8, ReadOrientation(c));
    PressCtrl(w, w.Hwnd(), 'Q');
    EXPECT_EQ(8, ReadOrientation(c));
    EXPECT_TRUE(TakePreviewDecodes().empty());

    // Ctrl+Z takes the last turn back and Ctrl+Y does it again, the
    // pictures turned in memory; each command is greyed while it has
    // nothing to do.
    EXPECT_TRUE(MenuItemEnabled(w, IDM_UNDO));
    EXPECT_FALSE(MenuItemEnabled(w, IDM_REDO));
    PressCtrl(w, w.ThumbnailList()->hwnd, 'Z');
    EXPECT_EQ(1, ReadOrientation(c));
    EXPECT_TRUE(FittedToPane(w, 400, 300));
    EXPECT_TRUE(MenuItemEnabled(w, IDM_REDO));
    PressCtrl(w, w.Preview()->hwnd, 'Y');
    EXPECT_EQ(8, ReadOrientation(c));
    EXPECT_TRUE(FittedToPane(w, 300, 400));
    EXPECT_FALSE(MenuItemEnabled(w, IDM_REDO));
    w.Pump(200);
    EXPECT_TRUE(TakePreviewDecodes().empty());
  });
  Run(w);
  PictureImage_CL::SetDecodeHookForTests(nullptr);
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
}

TEST_F(MainWindowTest, ARestartRestoresTheWindowButNotTheSplitter) {
  {
    ScenarioWindow first(data, L"", [](ScenarioWindow& w) {
      SetWindowPos(w.Hwnd(), NULL, 60, 50, 700, 760, SWP_NOZORDER);
      w.Pump(100);
    });
    Run(first);
  }
  // A splitter dragged somewhere else in the saved value.
  std::wstring splits = Setting(kKeySpliterRect);
  const size_t end = splits.find(L", SplitB");
  ASSERT_NE(std::wstring::npos, end);
  const size_t position = splits.rfind(L", ", end - 1);
  splits = splits.substr(0, position) + L", 400" + splits.substr(end);
  g_inifile.WriteString(kSectionWindow, kKeySpliterRect, splits);

  RECT window = {}, strip = {};
  SaveData_CL second;
  ScenarioWindow w(second, L"", [&](ScenarioWindow& w) {
    GetWindowRect(w.Hwnd(), &window);
    strip = w.PlaceOf(w.ThumbnailList()->hwnd);
  });
  Run(w);
  EXPECT_EQ(60, window.left);
  EXPECT_EQ(50, window.top);
  EXPECT_EQ(700, window.right - window.left);
  EXPECT_EQ(760, window.bottom - window.top);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL) + 166, strip.bottom - strip.top);
}

TEST_F(MainWindowTest, DraggingTheBarLaysTheWindowOutWhenReleased) {
  int before = 0, during = 0, after = 0;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    RECT strip = w.PlaceOf(w.ThumbnailList()->hwnd);
    before = strip.top;
    const int x = 100;
    const int y = strip.top - 2;  // on the bar
    SendMessageW(w.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(w.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y - 100));
    during = w.PlaceOf(w.ThumbnailList()->hwnd).top;
    SendMessageW(w.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y - 100));
    w.Pump(200);
    after = w.PlaceOf(w.ThumbnailList()->hwnd).top;
  });
  Run(w);
  EXPECT_EQ(before, during) << "nothing moves while the button is held";
  EXPECT_EQ(before - 100, after);
}

// Two small photos for the thumbnail tests: a stored upright (Orientation 1)
// and b needing a quarter turn (Orientation 6).
bool WriteUprightAndTurnedPhotos(const std::wstring& a, const std::wstring& b) {
  BitmapPtr picture = QuadrantPicture(400, 300);
  return WriteBytes(a, JpegWithOrientation(picture.get(), 1)) &&
         WriteBytes(b, JpegWithOrientation(picture.get(), 6));
}

// Holds every full decode until the test lets them go.
HANDLE g_decodesMayGoOn = NULL;
void HoldDecode(const DecodeItem_CL&) { WaitForSingleObject(g_decodesMayGoOn, 20000); }

TEST_F(MainWindowTest, FinishedThumbnailsGoIntoTheStripsCacheAndStrayOnesDoNot) {
  photos_test::TempFolder photos;
  const std::wstring a = photos.File(L"a.jpg");
  const std::wstring b = photos.File(L"b.jpg");
  ASSERT_TRUE(WriteUprightAndTurnedPhotos(a, b));
  UniqueHandle mayGoOn(CreateEventW(NULL, TRUE, FALSE, NULL));
  g_decodesMayGoOn = mayGoOn.Get();
  DecodeImage_CL::SetDecodeHookForTests(&HoldDecode);
  bool placeholders = false, strayKeptOut = false, cached = false;
  ScenarioWindow w(data, Quoted(a) + L" " + Quoted(b), [&](ScenarioWindow& w) {
    w.Pump(200);  // the strip painted both cells; their decodes are held
    MovieBitmapChcheBase_CL& cache = w.ThumbnailList()->Cache();
    Gdiplus::Bitmap* const placeholder0 = cache.Find(ThumbnailCacheKey(0));
    Gdiplus::Bitmap* const placeholder1 = cache.Find(ThumbnailCacheKey(1));
    placeholders = placeholder0 && placeholder1;
    // A result nobody asked for (an old list's, say) changes nothing.
    DecodeItem_CL* stray = new DecodeItem_CL(b, 192, 144);
    stray->cacheKey = 1;
    stray->result.reset(new Gdiplus::Bitmap(192, 144, PixelFormat16bppRGB565));
    PostMessageW(w.Hwnd(), WM_DECODE_DONE, 5, reinterpret_cast<LPARAM>(stray));
    w.Pump(200);
    strayKeptOut = cache.Find(ThumbnailCacheKey(1)) == placeholder1;
    // The real thumbnails replace the placeholders.
    SetEvent(g_decodesMayGoOn);
    for (int i = 0; i < 100 && !cached; ++i) {
      w.Pump(50);
      cached = cache.Find(ThumbnailCacheKey(0)) != placeholder0 && cache.Find(ThumbnailCacheKey(1)) != placeholder1;
    }
  });
  Run(w);
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
  g_decodesMayGoOn = NULL;
  EXPECT_TRUE(placeholders);
  EXPECT_TRUE(strayKeptOut);
  EXPECT_TRUE(cached);
}

// Posts of finished thumbnails fail while g_postsFail is set.
std::atomic<bool> g_postsFail(false);
std::atomic<int> g_failedPosts(0);
std::atomic<int> g_finalPosts(0);
BOOL WINAPI PostOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_postsFail) {
    ++g_failedPosts;
    return FALSE;
  }
  if (!reinterpret_cast<DecodeItem_CL*>(lParam)->preliminary) ++g_finalPosts;
  return PostMessageW(window, message, wParam, lParam);
}

TEST_F(MainWindowTest, NoThumbnailIsLostWhenItsMessageIsRefusedOrLeftQueuedAtTheEnd) {
  photos_test::TempFolder photos;
  const std::wstring a = photos.File(L"a.jpg");
  const std::wstring b = photos.File(L"b.jpg");
  ASSERT_TRUE(WriteUprightAndTurnedPhotos(a, b));
  const long aliveBefore = DecodeItem_CL::LiveCount();
  g_postsFail = true;
  g_failedPosts = 0;
  g_finalPosts = 0;
  DecodeImage_CL::SetPostHookForTests(&PostOrFail);
  UniqueHandle mayGoOn(CreateEventW(NULL, TRUE, FALSE, NULL));
  g_decodesMayGoOn = mayGoOn.Get();
  DecodeImage_CL::SetDecodeHookForTests(&HoldDecode);
  bool shownAnyway = false;
  int queuedAtEnd = 0;
  {
    ScenarioWindow w(data, Quoted(a) + L" " + Quoted(b), [&](ScenarioWindow& w) {
      // Every result finds the window's queue refusing it; the cells get
      // their thumbnails all the same.
      MovieBitmapChcheBase_CL& cache = w.ThumbnailList()->Cache();
      w.Pump(100);
      Gdiplus::Bitmap* const placeholder0 = cache.Find(ThumbnailCacheKey(0));
      Gdiplus::Bitmap* const placeholder1 = cache.Find(ThumbnailCacheKey(1));
      SetEvent(g_decodesMayGoOn);
      for (int i = 0; i < 100 && !shownAnyway; ++i) {
        w.Pump(50);
        shownAnyway = g_failedPosts >= 2 && cache.Find(ThumbnailCacheKey(0)) != placeholder0 &&
                      cache.Find(ThumbnailCacheKey(1)) != placeholder1;
      }
      // Both asked for again and their results posted, but the window
      // closes before it takes them.
      g_postsFail = false;
      cache.Remove(ThumbnailCacheKey(0));
      cache.Remove(ThumbnailCacheKey(1));
      InvalidateRect(w.ThumbnailList()->hwnd, NULL, FALSE);
      UpdateWindow(w.ThumbnailList()->hwnd);
      for (int i = 0; i < 400 && g_finalPosts < 2; ++i) Sleep(25);
      queuedAtEnd = g_finalPosts;
      EndDialog(w.Hwnd(), 0);
    });
    Run(w);
  }
  DecodeImage_CL::SetPostHookForTests(nullptr);
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
  g_decodesMayGoOn = NULL;
  EXPECT_TRUE(shownAnyway) << g_failedPosts << " posts refused";
  EXPECT_EQ(2, queuedAtEnd);
  EXPECT_EQ(aliveBefore, DecodeItem_CL::LiveCount()) << "every request deleted, none left queued";
}

// The preview and the thumbnail of every cell listing path show the photo
// (stored w x h, QuadrantPicture) as its file says now.
void ExpectViewsAgreeWithFile(ScenarioWindow& w, const std::wstring& path, int w0, int h0, const char* what) {
  const int orientation = ReadOrientation(path);
  const bool across = orientation >= 5 && orientation <= 8;
  const int uw = across ? h0 : w0;
  const int uh = across ? w0 : h0;
  Gdiplus::Bitmap* shown = w.Preview()->Image();
  if (w.Preview()->KeptPicture() || w.Preview()->Waiting()) {
    ASSERT_NE(nullptr, shown) << what;
    // A picture turned in memory may round its fitted size the other way.
    RECT pane;
    GetClientRect(w.Preview()->hwnd, &pane);
    const FitSize fit = FitInside(pane.right, pane.bottom, uw, uh);
    EXPECT_NEAR(fit.width, static_cast<int>(shown->GetWidth()), 1) << what;
    EXPECT_NEAR(fit.height, static_cast<int>(shown->GetHeight()), 1) << what;
    ExpectUpright(shown, orientation, 0, 0, static_cast<int>(shown->GetWidth()),
                  static_cast<int>(shown->GetHeight()), what);
  }
  DrawRect drawn;
  ASSERT_TRUE(ThumbnailRect(192, 144, uw, uh, &drawn));
  for (std::size_t i = 0; i < w.AppData().photos.size(); ++i) {
    if (w.AppData().photos[i].path != path) continue;
    Gdiplus::Bitmap* thumbnail = w.ThumbnailList()->Cache().Find(ThumbnailCacheKey(static_cast<int>(i)));
    ASSERT_NE(nullptr, thumbnail) << what << ", cell " << i;
    ExpectUpright(thumbnail, orientation, drawn.x, drawn.y, drawn.width, drawn.height,
                  (std::string(what) + ", cell " + std::to_string(i)).c_str());
  }
}

// Orientation values outside 1..8 are shown as stored and turn as upright
// ones; a file listed twice turns in every cell; a decode that read the file
// before the turn is dropped for every cell; a turned picture that no longer
// covers the pane is followed by a sharper one.
TEST_F(MainWindowTest, EveryViewAgreesWithTheFileAfterTurns) {
  photos_test::TempFolder photos;
  const std::wstring a = photos.File(L"a.jpg");  // portrait, Orientation 10
  const std::wstring b = photos.File(L"b.jpg");  // landscape, Orientation 0
  BitmapPtr portrait = QuadrantPicture(900, 1200);
  BitmapPtr landscape = QuadrantPicture(400, 300);
  ASSERT_TRUE(WriteBytes(a, JpegWithOrientation(portrait.get(), 10)));
  // Orientation 0: written as 1, then the value's bytes cleared.
  Bytes zero = JpegWithOrientation(landscape.get(), 1);
  const unsigned char entry[] = {0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00};
  const auto found = std::search(zero.begin(), zero.end(), std::begin(entry), std::end(entry));
  ASSERT_NE(zero.end(), found);
  found[8] = 0;
  ASSERT_TRUE(WriteBytes(b, zero));
  ASSERT_EQ(0, ReadOrientation(b));
  UniqueHandle mayGoOn(CreateEventW(NULL, TRUE, TRUE, NULL));
  g_decodesMayGoOn = mayGoOn.Get();
  g_stripDecodes = 0;
  DecodeImage_CL::SetDecodeHookForTests(&CountStripDecode);
  ScenarioWindow w(data, Quoted(a) + L" " + Quoted(b) + L" " + Quoted(a), [&](ScenarioWindow& w) {
    // A landscape pane, lower than the portrait photo's fitted width.
    SetWindowPos(w.Hwnd(), NULL, 0, 0, 1000, 760, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 100 && g_stripDecodes < 3; ++i) w.Pump(20);
    w.Pump(200);
    RECT pane;
    GetClientRect(w.Preview()->hwnd, &pane);
    ASSERT_GT(pane.right, pane.bottom);

    ClickCellAndShow(w, 0);
    ASSERT_TRUE(WaitForPreview(w));
    ExpectViewsAgreeWithFile(w, a, 900, 1200, "a shown");
    w.Command(IDM_ROTATE_RIGHT);
    EXPECT_EQ(6, ReadOrientation(a));
    ExpectViewsAgreeWithFile(w, a, 900, 1200, "a turned right");
    // Enlarged after the turn, the picture is followed by a sharp one.
    ASSERT_TRUE(w.Preview()->Waiting()) << "a sharper picture asked for";
    ASSERT_TRUE(WaitForPreview(w));
    ASSERT_NE(nullptr, w.Preview()->KeptPicture());
    EXPECT_EQ(w.Preview()->Image()->GetHeight(), w.Preview()->KeptPicture()->GetHeight());
    ExpectViewsAgreeWithFile(w, a, 900, 1200, "a sharp after the turn");

    // Both cells of a are being decoded again, the decodes read the file
    // before the next turn: their results are dropped.
    DecodeImage_CL::SetDecodeHookForTests(&HoldDecode);
    ResetEvent(g_decodesMayGoOn);
    w.ThumbnailList()->Cache().Remove(ThumbnailCacheKey(0));
    w.ThumbnailList()->Cache().Remove(ThumbnailCacheKey(2));
    InvalidateRect(w.ThumbnailList()->hwnd, NULL, FALSE);
    UpdateWindow(w.ThumbnailList()->hwnd);
    Sleep(300);  // both read the file and wait
    w.Command(IDM_ROTATE_LEFT);
    EXPECT_EQ(1, ReadOrientation(a));
    SetEvent(g_decodesMayGoOn);
    w.Pump(600);
    ExpectViewsAgreeWithFile(w, a, 900, 1200, "a turned back while its thumbnails were decoded");
    DecodeImage_CL::SetDecodeHookForTests(&CountStripDecode);

    ClickCellAndShow(w, 1);
    ASSERT_TRUE(WaitForPreview(w));
    ExpectViewsAgreeWithFile(w, b, 400, 300, "b shown");
    w.Command(IDM_ROTATE_LEFT);
    EXPECT_EQ(8, ReadOrientation(b));
    ExpectViewsAgreeWithFile(w, b, 400, 300, "b turned left");
  });
  Run(w);
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
  g_decodesMayGoOn = NULL;
}

// The raw file shows its preview turned by its own value; a turn of the
// JPEG turns its raw twin, and both cells follow their files.
TEST_F(MainWindowTest, ARawTwinTurnsWithItsJpegAndEveryViewAgreesWithBoth) {
  photos_test::TempFolder photos;
  const std::wstring jpeg = photos.File(L"p.jpg");
  const std::wstring raw = photos.File(L"p.CR2");
  BitmapPtr landscape = QuadrantPicture(400, 300);
  ASSERT_TRUE(WriteBytes(jpeg, JpegWithOrientation(landscape.get(), 6)));
  ASSERT_TRUE(WriteBytes(raw, RawWithPreview(landscape.get(), 6)));
  ASSERT_EQ(6, ReadOrientation(raw));
  g_stripDecodes = 0;
  DecodeImage_CL::SetDecodeHookForTests(&CountStripDecode);
  ScenarioWindow w(data, Quoted(jpeg) + L" " + Quoted(raw), [&](ScenarioWindow& w) {
    for (int i = 0; i < 100 && g_stripDecodes < 2; ++i) w.Pump(20);
    w.Pump(200);
    ClickCellAndShow(w, 1);
    ASSERT_TRUE(WaitForPreview(w));
    ExpectViewsAgreeWithFile(w, raw, 400, 300, "raw shown");

    // Shows cell, turns it and waits for what the turn changed.
    const auto turn = [&](int cell, int command) {
      ClickCellAndShow(w, cell);
      ASSERT_TRUE(WaitForPreview(w));
      w.Command(command);
      w.Pump(600);
    };
    turn(0, IDM_ROTATE_RIGHT);
    EXPECT_EQ(3, ReadOrientation(jpeg));
    EXPECT_EQ(3, ReadOrientation(raw));
    ExpectViewsAgreeWithFile(w, jpeg, 400, 300, "jpeg turned right");
    ExpectViewsAgreeWithFile(w, raw, 400, 300, "raw turned with its jpeg");
    // The raw file turns alone.
    turn(1, IDM_ROTATE_LEFT);
    EXPECT_EQ(6, ReadOrientation(raw));
    EXPECT_EQ(3, ReadOrientation(jpeg));
    ExpectViewsAgreeWithFile(w, raw, 400, 300, "raw turned left");
  });
  Run(w);
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
}

TEST_F(MainWindowTest, OpenCommandsAddToTheListUnderProgressAndShowPhotoZero) {
  photos_test::TempFolder photos;
  const std::wstring first = photos.File(L"first.jpg");
  const std::wstring b = photos.File(L"b.jpg");
  const std::wstring a = photos.File(L"a.jpg");
  const std::wstring folder = photos.Folder(L"folder");
  const std::wstring inFolder = photos.File(L"folder\\f.jpg");
  std::vector<unsigned> counts;
  std::vector<int> selected;
  ScenarioWindow w(data, Quoted(first), [&](ScenarioWindow& w) {
    w.chosenFiles = {b, a, photos.File(L"notes.txt")};
    w.Command(IDM_OPEN_FILES);
    counts.push_back(w.ThumbnailList()->GetCount());
    selected.push_back(data.selectedIndex);
    w.Command(IDM_OPEN_FILES);  // the same again: listed again
    counts.push_back(w.ThumbnailList()->GetCount());
    w.chosenFolder = folder;
    w.Command(IDM_OPEN_FOLDER);
    counts.push_back(w.ThumbnailList()->GetCount());
    w.Pump(200);
    selected.push_back(data.selectedIndex);
    // Cancelled dialogs change nothing.
    w.chosenFiles.clear();
    w.chosenFolder.clear();
    w.Command(IDM_OPEN_FILES);
    w.Command(IDM_OPEN_FOLDER);
    counts.push_back(w.ThumbnailList()->GetCount());
  });
  Run(w);
  EXPECT_EQ((std::vector<std::wstring>{first, b, a, b, a, inFolder}), PathsOf(data.photos));
  EXPECT_EQ((std::vector<unsigned>{3, 5, 6, 6}), counts);
  EXPECT_EQ((std::vector<int>{0, 0}), selected) << "the first photo of the whole list";
  EXPECT_EQ(&data.photos[0], data.currentItem);
  EXPECT_EQ(2u, w.notices.size()) << "notes.txt was named each time";
}

namespace {

// Both turn commands of the window menu and of the toolbar: 1 enabled, 0
// greyed, -1 when they disagree.
int TurnCommandsEnabled(ScenarioWindow& w) {
  int enabled[4] = {};
  int n = 0;
  for (UINT id : {static_cast<UINT>(IDM_ROTATE_LEFT), static_cast<UINT>(IDM_ROTATE_RIGHT)}) {
    enabled[n++] = (GetMenuState(GetMenu(w.Hwnd()), id, MF_BYCOMMAND) & MF_GRAYED) ? 0 : 1;
    enabled[n++] = (SendMessageW(w.ToolbarWindow(), TB_GETSTATE, id, 0) & TBSTATE_ENABLED) ? 1 : 0;
  }
  for (int i = 1; i < 4; ++i) {
    if (enabled[i] != enabled[0]) return -1;
  }
  return enabled[0];
}

}  // namespace

TEST_F(MainWindowTest, TurnsWithoutACurrentPhotoDoNothingAndAreGreyed) {
  int dialogs = -1;
  int enabledWithout = -1, enabledWith = -1;
  bool undoGreyed = false;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    w.Command(IDM_ROTATE_LEFT);
    w.Command(IDM_ROTATE_RIGHT);
    dialogs = static_cast<int>(VisibleThreadDialogs(GetCurrentThreadId()).size());
    enabledWithout = TurnCommandsEnabled(w);
    undoGreyed = !MenuItemEnabled(w, IDM_UNDO) && !MenuItemEnabled(w, IDM_REDO);
    photos_test::TempFolder photos;
    w.chosenFiles = {photos.File(L"a.jpg")};
    w.Command(IDM_OPEN_FILES);
    w.Pump(200);
    enabledWith = TurnCommandsEnabled(w);
  });
  Run(w);
  EXPECT_EQ(1, dialogs) << "only the main window";
  EXPECT_EQ(0, enabledWithout) << "greyed in the menu and the toolbar";
  EXPECT_TRUE(undoGreyed) << "nothing to undo or redo at the start";
  EXPECT_EQ(1, enabledWith) << "once a photo is shown";
}

namespace {

std::vector<std::wstring> g_opened;
HINSTANCE RecordSite(const std::wstring& address) {
  g_opened.push_back(address);
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

}  // namespace

TEST_F(MainWindowTest, VersionSheetAndSupportSite) {
  g_opened.clear();
  SetSiteLauncherForTest(&RecordSite, dir.Join(L"no-marker.txt").c_str());
  std::wstring sheetTitle;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    {
      DialogAnswerer answer({Press(IDCANCEL)});
      w.Command(IDM_VERSION_INFO);
      sheetTitle = answer.DialogTitle();
    }
    w.Command(IDM_SUPPORT_SITE);
  });
  Run(w);
  SetSiteLauncherForTest(NULL, NULL);
  EXPECT_EQ(L"バージョン情報", sheetTitle);
  EXPECT_EQ((std::vector<std::wstring>{SupportSiteAddress()}), g_opened);
}

TEST_F(MainWindowTest, TheSavedAlwaysOnTopSettingAppliesAtStart) {
  g_inifile.WriteInt(kSectionAppSetting, kKeyWindowTopMost, 1);
  bool topMost = false;
  ScenarioWindow w(data, L"", [&](ScenarioWindow& w) {
    w.Pump(300);
    topMost = (GetWindowLongW(w.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  });
  Run(w);
  EXPECT_TRUE(data.windowTopMost);
  EXPECT_TRUE(topMost);
}
