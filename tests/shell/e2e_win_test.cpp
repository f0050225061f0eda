// The whole program end to end: the real Snapvane.exe, started and driven
// from this process as a person would drive it (clicks and keys through the
// system's input queue, the messages its toolbar, menu and the shell send),
// checked by its files, its settings and the pixels on the screen. Every
// test keeps pictures of the screen in the build folder's "screenshots".
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com_session.h"
#include "exif_info.h"
#include "e2e_support_win.h"
#include "gdiplus_session.h"
#include "main_layout_sizes.h"  // at 96 DPI, the test prefix's
#include "resource_ids.h"
#include "snapvane_process_win.h"
#include "system_input_win.h"
#include "test_files.h"

namespace {

const DWORD kStartTimeoutMs = 60000;
const int kStripId = IDC_PHOTO_STRIP;
const int kPreviewId = IDC_PREVIEW_PANE;
const int kToolbarId = 10310;
const wchar_t kCannotTurn[] =
    L"この写真は回転できません。ファイルが書き込み禁止になっているか、Exif情報(Orientation)が存在しません。";

// Marks for the bottom-right quadrant, to tell photos apart.
const COLORREF kMarks[] = {RGB(230, 200, 30), RGB(230, 120, 200), RGB(40, 200, 210),
                           RGB(140, 60, 180), RGB(250, 140, 40)};

// Where a photo of this size lands when fitted into a box, centred.
struct Placed {
  double x, y, w, h;
};

Placed FitInto(double boxX, double boxY, double boxW, double boxH, double photoW, double photoH) {
  const double scale = std::min(boxW / photoW, boxH / photoH);
  const double w = photoW * scale, h = photoH * scale;
  return Placed{boxX + (boxW - w) / 2, boxY + (boxH - h) / 2, w, h};
}

// The colours at the centres of the four quadrants: TL, TR, BL, BR.
std::vector<COLORREF> Quadrants(const Capture& c, const Placed& p) {
  auto at = [&](double fx, double fy) {
    return c.Pixel(static_cast<int>(p.x + p.w * fx), static_cast<int>(p.y + p.h * fy));
  };
  return {at(0.25, 0.25), at(0.75, 0.25), at(0.25, 0.75), at(0.75, 0.75)};
}

std::wstring Describe(const std::vector<COLORREF>& colours) {
  std::wstring text;
  for (COLORREF c : colours) text += ColourText(c) + L" ";
  return text;
}

bool Matches(const std::vector<COLORREF>& seen, const std::vector<COLORREF>& expected) {
  for (size_t i = 0; i < expected.size(); ++i) {
    if (!Near(seen[i], expected[i])) return false;
  }
  return true;
}

std::vector<COLORREF> Upright(COLORREF mark) { return {kTopLeft, kTopRight, kBottomLeft, mark}; }
// The upright picture turned a quarter right: the left column comes to the top.
std::vector<COLORREF> TurnedRight(COLORREF mark) { return {kBottomLeft, kTopLeft, mark, kTopRight}; }
// ... and a quarter left: the right column comes to the top.
std::vector<COLORREF> TurnedLeft(COLORREF mark) { return {kTopRight, mark, kTopLeft, kBottomLeft}; }

// A selected cell lies under the strip's translucent blue (ARGB 4E5050FF).
COLORREF UnderSelection(COLORREF c) {
  const int a = 0x4E;
  auto mix = [a](int value, int over) { return (value * (255 - a) + over * a) / 255; };
  return RGB(mix(GetRValue(c), 0x50), mix(GetGValue(c), 0x50), mix(GetBValue(c), 0xFF));
}

std::vector<COLORREF> UnderSelection(const std::vector<COLORREF>& colours) {
  std::vector<COLORREF> tinted;
  for (COLORREF c : colours) tinted.push_back(UnderSelection(c));
  return tinted;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

// Waits until the window answers and its client area has looked the same
// for a while: whatever it was painting is on the screen.
bool WaitUntilStill(HWND window, DWORD timeoutMs = 10000) {
  const DWORD kStillMs = 200;
  const DWORD start = GetTickCount();
  Capture last = Capture::OfClient(window);
  DWORD lastChange = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    Sleep(50);
    if (!Responds(window, timeoutMs)) return false;
    Capture now = Capture::OfClient(window);
    if (!(now == last)) {
      last = now;
      lastChange = GetTickCount();
    } else if (GetTickCount() - lastChange >= kStillMs) {
      return true;
    }
  }
  return false;
}

// A copy of a JPEG whose first segment is its Exif block, with an XMP packet
// after it that says Orientation 1 in an attribute, as editors write it;
// digitAt: where that digit lies.
Bytes WithXmpOrientation(const Bytes& jpeg, std::size_t* digitAt) {
  if (jpeg.size() < 6 || jpeg[2] != 0xFF || jpeg[3] != 0xE1) return jpeg;
  const std::size_t exifEnd = 4 + (static_cast<std::size_t>(jpeg[4]) << 8 | jpeg[5]);
  const std::string packet = std::string("http://ns.adobe.com/xap/1.0/") + '\0' +
                             "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
                             "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description "
                             "rdf:about='' xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='1'/>"
                             "</rdf:RDF></x:xmpmeta>";
  const std::size_t length = packet.size() + 2;
  Bytes out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(exifEnd));
  const unsigned char marker[] = {0xFF, 0xE1, static_cast<unsigned char>(length >> 8),
                                  static_cast<unsigned char>(length & 0xFF)};
  out.insert(out.end(), marker, marker + 4);
  *digitAt = out.size() + packet.find("Orientation='1'") + std::string("Orientation='").size();
  out.insert(out.end(), packet.begin(), packet.end());
  out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(exifEnd), jpeg.end());
  return out;
}

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    documents = profile.Join(std::wstring(DocumentsFolderOverride::kMarker) + L"-E2E");
    ASSERT_TRUE(MakeFolder(documents));
    dataFolder = documents + L"\\Snapvane";
    redirect.reset(new DocumentsFolderOverride(documents));
  }
  void TearDown() override {
    app.reset();
    redirect.reset();
  }

  // Starts the program and waits for its window to settle (its first
  // picture shown, which writes the always-on-top setting back).
  HWND Start(const std::vector<std::wstring>& arguments = {}) {
    app.reset(new SnapvaneProcess);
    if (!app->Start(arguments)) return NULL;
    main = app->WaitForMainWindow(kStartTimeoutMs);
    if (!main) return NULL;
    WaitUntil([&] { return SettingInt(L"APP_SETTING", L"WindowTopMost", -1) != -1; }, 20000);
    WaitUntilStill(main);
    strip = GetDlgItem(main, kStripId);
    preview = GetDlgItem(main, kPreviewId);
    return main;
  }

  void Stop() {
    if (!app) return;
    app->Close();
    DWORD code = 1;
    EXPECT_TRUE(app->WaitForExit(30000, &code));
    EXPECT_EQ(0u, code);
    app.reset();
  }

  int SettingInt(const wchar_t* section, const wchar_t* key, int fallback) const {
    return static_cast<int>(
        GetPrivateProfileIntW(section, key, fallback, (dataFolder + L"\\Snapvane.ini").c_str()));
  }

  // Posts a menu or toolbar command as the toolbar does when clicked.
  void Command(int id) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, kToolbarId)));
  }
  // The same, returning once the program has carried it out, so that this
  // process does not read a photo while the program is writing it (the turn
  // opens the file for itself alone).
  bool CommandAndWait(int id) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(main, kToolbarId)),
                               SMTO_NORMAL, 20000, &result) != 0;
  }

  // The quadrants of the thumbnail in visible cell `cell`, for a photo that
  // is photoW x photoH as shown.
  std::vector<COLORREF> CellQuadrants(const Capture& c, int cell, double photoW = 4,
                                      double photoH = 3) const {
    return Quadrants(c, FitInto(cell * kCellWidth + 2, 2, kThumbnailWidth, kThumbnailHeight, photoW, photoH));
  }
  std::vector<COLORREF> PreviewQuadrants(const Capture& c, double photoW = 4,
                                         double photoH = 3) const {
    return Quadrants(c, FitInto(0, 0, c.Width(), c.Height(), photoW, photoH));
  }

  void Shot(const std::wstring& name) {
    Capture::OfClient(main).SavePng(ScreenshotPath(L"e2e-" + name + L".png"));
  }

  // Starts with photos p0.jpg, p1.jpg ... of the work folder, photo i
  // marked kMarks[i], Orientation 1 (their bytes and paths kept in marked
  // and paths), and waits until the last cell that the first window shows
  // (of three) shows its photo upright.
  // With xmpOnSecond, p1.jpg also carries an XMP packet saying Orientation
  // 1, its digit at xmpDigitAt.
  bool StartWithMarkedPhotos(int count, bool xmpOnSecond = false) {
    for (int i = 0; i < count; ++i) {
      marked.push_back(MakeQuadrantPhoto(640, 480, 1, kMarks[i]));
      if (xmpOnSecond && i == 1) marked.back() = WithXmpOrientation(marked.back(), &xmpDigitAt);
      paths.push_back(Photo(L"p" + std::to_wstring(i) + L".jpg", marked.back()));
    }
    const int last = std::min(count, 3) - 1;
    return Start(paths) && WaitUntil([&] {
             return Matches(CellQuadrants(Capture::OfClient(strip), last), Upright(kMarks[last]));
           }, 20000);
  }

  // Clicks the centre of a visible cell of the strip, and waits until the
  // program has taken the click: a command posted before would be carried
  // out before it.
  void ClickCell(int cell) { ClickStrip(cell * kCellWidth + kCellWidth / 2, 80); }
  // The same with a modifier (VK_SHIFT, VK_CONTROL) held.
  void ClickCellWith(WORD modifier, int cell) { ClickStrip(cell * kCellWidth + kCellWidth / 2, 80, modifier); }
  // The same at a point of the strip: the click has been taken when the
  // picture there shows under the selection's tint.
  // A modifier is pressed only once the pointer is there: Wine takes the
  // keys' state from the X server again when the pointer moves in.
  void ClickStrip(int x, int y, WORD modifier = 0) {
    WaitUntilStill(strip);
    const COLORREF before = Capture::OfClient(strip).Pixel(x, y);
    if (modifier) {
      POINT at = {x, y};
      ClientToScreen(strip, &at);
      SetCursorPos(at.x, at.y);
      Sleep(100);
      HoldKey(modifier, true);
      ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
      HoldKey(modifier, false);
    } else {
      ClickAt(strip, x, y);
    }
    WaitUntil([&] {
      const COLORREF now = Capture::OfClient(strip).Pixel(x, y);
      return Near(now, UnderSelection(before), 16) && !Near(now, before, 16);
    }, 5000);
  }

  std::wstring Photo(const std::wstring& name, const Bytes& bytes) {
    const std::wstring path = work.Join(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }

  ComSession_CL com;
  GdiplusSession_CL gdiplus;
  TempDir profile;
  TempDir work;
  std::wstring documents;
  std::wstring dataFolder;
  std::unique_ptr<DocumentsFolderOverride> redirect;
  std::unique_ptr<SnapvaneProcess> app;
  std::vector<Bytes> marked;
  std::size_t xmpDigitAt = 0;
  std::vector<std::wstring> paths;
  HWND main = NULL;
  HWND strip = NULL;
  HWND preview = NULL;
};

}  // namespace

TEST_F(EndToEnd, StartsWithPhotosAndAFolderUprightInOrderAndShowsTheClickedOne) {
  // Three photos stored in three orientations, and a folder with two more.
  const std::wstring a = Photo(L"a.jpg", MakeQuadrantPhoto(640, 480, 1, kMarks[0]));
  const std::wstring b = Photo(L"b.jpg", MakeQuadrantPhoto(640, 480, 6, kMarks[1]));
  const std::wstring c = Photo(L"c.jpg", MakeQuadrantPhoto(640, 480, 8, kMarks[2]));
  const std::wstring folder = work.Join(L"more");
  ASSERT_TRUE(MakeFolder(folder));
  ASSERT_TRUE(WriteBytes(folder + L"\\d.jpg", MakeQuadrantPhoto(640, 480, 3, kMarks[3])));
  ASSERT_TRUE(Start({a, b, c, folder}));
  // Wide enough for every cell.
  SetWindowPos(main, NULL, 20, 20, 1100, 820, SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] {
    const Capture shot = Capture::OfClient(strip);
    for (int i = 0; i < 4; ++i) {
      // The first photo is selected, as it is shown.
      const std::vector<COLORREF> upright = Upright(kMarks[i]);
      if (!Matches(CellQuadrants(shot, i), i == 0 ? UnderSelection(upright) : upright)) return false;
    }
    return true;
  }, 20000)) << "cells: " << testing::PrintToString(Describe(CellQuadrants(Capture::OfClient(strip), 1)));
  const Capture cells = Capture::OfClient(strip);
  EXPECT_EQ(RGB(200, 200, 200), cells.Pixel(4 * kCellWidth + 20, 20)) << "nothing after the last photo";

  // The first photo is shown at once, as after the open commands.
  ASSERT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[0]));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview)));
  Shot(L"start");

  ClickCell(1);
  ASSERT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[1]));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview)));
  Shot(L"clicked");
  Stop();
}

TEST_F(EndToEnd, TurningRightRewritesOnlyTheOrientationAndTurnsThumbnailAndPreview) {
  const Bytes original = MakeQuadrantPhoto(2400, 1800, 1);
  const std::wstring photo = Photo(L"turn.jpg", original);
  ASSERT_TRUE(Start({photo}));
  // Shown and so selected from the start.
  ASSERT_TRUE(WaitUntil([&] {
    return Matches(CellQuadrants(Capture::OfClient(strip), 0), UnderSelection(Upright(kBottomRight)));
  }, 20000));
  ClickCell(0);

  Command(IDM_ROTATE_RIGHT);
  // The cell goes straight to the turned thumbnail: nothing is decoded
  // again, so no placeholder shows in between.
  bool sawPlaceholder = false, sawTurned = false;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 20000 && !sawTurned) {
    // The clicked cell is selected, so its colours lie under the tint.
    const std::vector<COLORREF> q = CellQuadrants(Capture::OfClient(strip), 0, 3, 4);
    if (Matches(q, UnderSelection(std::vector<COLORREF>(4, RGB(0, 0, 0))))) sawPlaceholder = true;
    if (Matches(q, UnderSelection(TurnedRight(kBottomRight)))) sawTurned = true;
    Sleep(5);
  }
  EXPECT_FALSE(sawPlaceholder);
  EXPECT_TRUE(sawTurned) << Describe(CellQuadrants(Capture::OfClient(strip), 0, 3, 4));
  ASSERT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview), 3, 4), TurnedRight(kBottomRight));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview), 3, 4));
  Shot(L"turned");

  Bytes expected = original;
  expected[30] = 6;
  EXPECT_EQ(expected, ReadBytes(photo)) << "Orientation 1 -> 6 and no other byte";
  EXPECT_TRUE(ProcessDialogs(app->ProcessId()).size() == 1) << "no message";

  for (int i = 0; i < 3; ++i) ASSERT_TRUE(CommandAndWait(IDM_ROTATE_RIGHT));
  EXPECT_EQ(original, ReadBytes(photo)) << "four turns give the file back";
  Stop();
}

// Values outside 1..8 are shown as stored and turn as upright ones; a file
// listed twice turns in both cells.
TEST_F(EndToEnd, PhotosTaggedOutsideOneToEightAndListedTwiceTurnAsTheFileSays) {
  Bytes ten = MakeQuadrantPhoto(640, 480, 1, kMarks[0]);
  Bytes zero = MakeQuadrantPhoto(640, 480, 1, kMarks[1]);
  ten[30] = 10;
  zero[30] = 0;
  const std::wstring a = Photo(L"ten.jpg", ten);
  const std::wstring b = Photo(L"zero.jpg", zero);
  ASSERT_TRUE(Start({a, b, a}));
  ASSERT_TRUE(WaitUntil([&] {
    const Capture c = Capture::OfClient(strip);
    // The first photo is selected, as it is shown.
    return Matches(CellQuadrants(c, 0), UnderSelection(Upright(kMarks[0]))) &&
           Matches(CellQuadrants(c, 1), Upright(kMarks[1])) &&
           Matches(CellQuadrants(c, 2), Upright(kMarks[0]));
  }, 20000)) << "shown as stored";

  ClickCell(0);
  ASSERT_TRUE(WaitUntil([&] { return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[0])); },
                        10000));
  ASSERT_TRUE(CommandAndWait(IDM_ROTATE_RIGHT));
  EXPECT_EQ(6, ReadBytes(a)[30]);
  EXPECT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview), 3, 4), TurnedRight(kMarks[0]));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview), 3, 4));
  EXPECT_TRUE(WaitUntil([&] {
    const Capture c = Capture::OfClient(strip);
    // Only the file's cells are drawn again: the one between them stays.
    return Matches(CellQuadrants(c, 0, 3, 4), UnderSelection(TurnedRight(kMarks[0]))) &&
           Matches(CellQuadrants(c, 1), Upright(kMarks[1])) &&
           Matches(CellQuadrants(c, 2, 3, 4), TurnedRight(kMarks[0]));
  }, 10000)) << "both cells of the file: " << Describe(CellQuadrants(Capture::OfClient(strip), 2, 3, 4));

  ClickCell(1);
  ASSERT_TRUE(WaitUntil([&] { return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[1])); },
                        10000));
  ASSERT_TRUE(CommandAndWait(IDM_ROTATE_LEFT));
  EXPECT_EQ(8, ReadBytes(b)[30]);
  EXPECT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview), 3, 4), TurnedLeft(kMarks[1])) &&
           Matches(CellQuadrants(Capture::OfClient(strip), 1, 3, 4), UnderSelection(TurnedLeft(kMarks[1])));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview), 3, 4));
  Shot(L"tagged-0-10-listed-twice");
  Stop();
}

TEST_F(EndToEnd, ATurnOfTheSelectionIsOneStepToUndoAndRedoWithFilesAndScreenAgreeing) {
  // Photo 1's XMP Orientation follows its Exif value.
  ASSERT_TRUE(StartWithMarkedPhotos(3, true));
  ASSERT_EQ('1', marked[1][xmpDigitAt]);
  // Photo 1 clicked, photo 2 added with Shift, photo 0 with Ctrl: all three
  // selected, the preview showing photo 0.
  ClickCell(1);
  ClickCellWith(VK_SHIFT, 2);
  ClickCellWith(VK_CONTROL, 0);
  std::vector<Bytes> turned = marked;
  for (Bytes& bytes : turned) bytes[30] = 6;
  turned[1][xmpDigitAt] = '6';

  // Each file as expected and every cell (under the selection's tint) and
  // the preview showing it: the screen is checked first, as the files are
  // written before their pictures turn.
  auto expectAll = [&](const std::vector<Bytes>& files, bool right, const char* step) {
    SCOPED_TRACE(step);
    EXPECT_TRUE(WaitUntil([&] {
      const Capture shot = Capture::OfClient(strip);
      for (int i = 0; i < 3; ++i) {
        const bool seen = right ? Matches(CellQuadrants(shot, i, 3, 4), UnderSelection(TurnedRight(kMarks[i])))
                                : Matches(CellQuadrants(shot, i), UnderSelection(Upright(kMarks[i])));
        if (!seen) return false;
      }
      const Capture pane = Capture::OfClient(preview);
      return right ? Matches(PreviewQuadrants(pane, 3, 4), TurnedRight(kMarks[0]))
                   : Matches(PreviewQuadrants(pane), Upright(kMarks[0]));
    }, 20000)) << Describe(CellQuadrants(Capture::OfClient(strip), 2, right ? 3 : 4, right ? 4 : 3));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(files[i], ReadBytes(paths[i])) << "photo " << i;
  };
  PressKeyWith(VK_CONTROL, 'R');
  expectAll(turned, true, "Ctrl+R turns the three selected photos");
  Shot(L"three-selected-turned");
  PressKeyWith(VK_CONTROL, 'Z');
  expectAll(marked, false, "Ctrl+Z gives every byte back");
  PressKeyWith(VK_CONTROL, 'Y');
  expectAll(turned, true, "Ctrl+Y turns them again");
  EXPECT_EQ(1u, ProcessDialogs(app->ProcessId()).size()) << "no message on the way";
  Stop();
}

TEST_F(EndToEnd, TheMenuOfARightClickedPhotoTurnsThatPhoto) {
  ASSERT_TRUE(StartWithMarkedPhotos(3));
  const Bytes &first = marked[0], &second = marked[1];
  const std::wstring &a = paths[0], &b = paths[1], &c = paths[2];
  ClickCell(0);

  // The third photo's menu: it is selected alone and shown before the menu
  // opens.
  RightClickAt(strip, 2 * kCellWidth + kCellWidth / 2, 80);
  ASSERT_TRUE(WaitForProcessWindow(app->ProcessId(), L"#32768", NULL, 10000)) << "no menu";
  // (The menu lies over the third cell.)
  EXPECT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[2])) &&
           Matches(CellQuadrants(Capture::OfClient(strip), 0), Upright(kMarks[0]));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview)));
  Sleep(300);
  Capture::OfScreen().SavePng(ScreenshotPath(L"e2e-right-click-menu.png"));
  // Its first item: 左回転.
  PressKey(VK_DOWN);
  Sleep(200);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return FileOrientation(c) == 8; }, 10000))
      << "the right-clicked photo did not turn left: Orientation " << FileOrientation(c);
  ASSERT_TRUE(Responds(main, 10000));
  EXPECT_EQ(first, ReadBytes(a)) << "the photo selected before turned";
  EXPECT_EQ(second, ReadBytes(b));
  // The turned photo stays the selected one, on screen and in its cell.
  EXPECT_TRUE(WaitUntil([&] {
    const Capture shot = Capture::OfClient(strip);
    return Matches(PreviewQuadrants(Capture::OfClient(preview), 3, 4), TurnedLeft(kMarks[2])) &&
           Matches(CellQuadrants(shot, 0), Upright(kMarks[0])) &&
           Matches(CellQuadrants(shot, 2, 3, 4), UnderSelection(TurnedLeft(kMarks[2])));
  }, 10000)) << Describe(CellQuadrants(Capture::OfClient(strip), 2, 3, 4));
  Shot(L"right-click-turned");
  Stop();
}

TEST_F(EndToEnd, KeysGoOnFromThePhotoShownAndTabMovesBetweenThePanes) {
  ASSERT_TRUE(StartWithMarkedPhotos(5));
  SetWindowPos(main, NULL, 20, 20, 1100, 820, SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] { return Matches(CellQuadrants(Capture::OfClient(strip), 4), Upright(kMarks[4])); }, 20000));
  auto shows = [&](int photo) {
    return WaitUntil([&] { return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[photo])); },
                     10000);
  };
  auto focused = [&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(main, NULL), &info);
    return info.hwndFocus;
  };
  // The strip's focus frame: yellow along the left edge of the current cell.
  auto framed = [&](int cell) {
    const COLORREF seen = Capture::OfClient(strip).Pixel(cell * kCellWidth + 2, 80);
    return Near(seen, UnderSelection(RGB(255, 255, 0)), 24);
  };

  ClickCell(1);
  ASSERT_TRUE(shows(1));
  // The pointer crosses the strip to the last photo; the keys still start
  // from the photo shown.
  POINT over = {1 * kCellWidth + 60, 80};
  ClientToScreen(strip, &over);
  for (int x = 0; x <= 3 * kCellWidth; x += 30) {
    MoveMouseTo({over.x + x, over.y});
    Sleep(20);
  }
  Sleep(200);
  EXPECT_TRUE(framed(1)) << "the frame left the photo shown";
  PressKey(VK_RIGHT);
  EXPECT_TRUE(shows(2)) << "Right did not go on from the photo shown";
  PressKey(VK_END);
  EXPECT_TRUE(shows(4));
  PressKey(VK_HOME);
  EXPECT_TRUE(shows(0));
  EXPECT_EQ(strip, focused());
  EXPECT_TRUE(WaitUntil([&] { return framed(0); }, 3000));

  // Tab goes to the preview and back; the frame shows only with the keys.
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return focused() == preview; }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return !framed(0); }, 3000)) << "the frame stayed without the focus";
  Shot(L"tab-to-preview");
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return focused() == strip; }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return framed(0); }, 3000));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(shows(1));
  Stop();
}

TEST_F(EndToEnd, PhotosThatCannotTurnShowTheMessageOnceAndStayAsTheyWere) {
  const Bytes quadrants = MakeQuadrantPhoto(640, 480, 1);
  const std::wstring locked = Photo(L"locked.jpg", quadrants);
  ASSERT_TRUE(SetReadOnly(locked, true));
  const Bytes bare = MakeQuadrantPhoto(640, 480, 0);
  const std::wstring noOrientation = Photo(L"bare.jpg", bare);
  ASSERT_TRUE(Start({locked, noOrientation}));

  struct Case {
    int cell;
    int command;
    std::wstring path;
    Bytes bytes;
    std::wstring said;  // the photo's name and the reason after the fixed text
  } cases[] = {{0, IDM_ROTATE_RIGHT, locked, quadrants,
                L"locked.jpg\r\nファイルが書き込み禁止(読み取り専用)になっています。"},
               {1, IDM_ROTATE_LEFT, noOrientation, bare,
                L"bare.jpg\r\nExif情報にOrientation(向き)の項目がありません。"
                L"設定の「Orientationがない写真にも追加して回転する」をオンにすると回転できます。"}};
  for (const Case& k : cases) {
    ClickCell(k.cell);
    Command(k.command);
    HWND box = WaitForProcessWindow(app->ProcessId(), L"#32770", L"お知らせ", 10000);
    ASSERT_TRUE(box) << "no message for cell " << k.cell;
    EXPECT_EQ(std::wstring(kCannotTurn) + L"\r\n\r\n" + k.said, StaticTextOf(box));
    if (k.cell == 0) Capture::OfClient(box).SavePng(ScreenshotPath(L"e2e-message.png"));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
    EXPECT_FALSE(WaitForProcessWindow(app->ProcessId(), L"#32770", L"お知らせ", 1500))
        << "the message came twice";
    EXPECT_EQ(k.bytes, ReadBytes(k.path));
  }
  Stop();
  SetReadOnly(locked, false);
}

namespace {

// The dark box that stands for a picture that cannot be shown.
const COLORREF kCannotShowBox = RGB(0x3C, 0x3C, 0x3C);

// The toolbar's turn buttons (the menu is checked inside the process: its
// handle means nothing to another one under Wine).
bool TurnButtonsEnabled(HWND main) {
  HWND toolbar = GetDlgItem(main, kToolbarId);
  return (SendMessageW(toolbar, TB_GETSTATE, IDM_ROTATE_LEFT, 0) & TBSTATE_ENABLED) &&
         (SendMessageW(toolbar, TB_GETSTATE, IDM_ROTATE_RIGHT, 0) & TBSTATE_ENABLED);
}

// Pixels of the strip's client area that are neither its background nor
// nearly so: the empty strip's hint is drawn in dark grey.
int DarkPixels(const Capture& c) {
  int dark = 0;
  for (int y = 0; y < c.Height(); y += 1) {
    for (int x = 0; x < c.Width(); x += 2) {
      const COLORREF p = c.Pixel(x, y);
      if (GetRValue(p) < 140 && GetGValue(p) < 140 && GetBValue(p) < 140) ++dark;
    }
  }
  return dark;
}

}  // namespace

TEST_F(EndToEnd, FitsSmallScreensAndSaysWhatItCannotShowOrTurn) {
  // A window saved hanging off the bottom of the screen (its corner on
  // screen) comes back whole inside the work area.
  ASSERT_TRUE(MakeFolder(dataFolder));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  const RECT hanging = {work.left + 100, work.bottom - 200, work.left + 772, work.bottom + 610};
  ASSERT_TRUE(WritePrivateProfileStructW(L"Window", L"WindowRect", const_cast<RECT*>(&hanging), sizeof hanging,
                                         (dataFolder + L"\\Snapvane.ini").c_str()));
  ASSERT_TRUE(Start());
  RECT window;
  GetWindowRect(main, &window);
  EXPECT_GE(window.top, work.top);
  EXPECT_LE(window.bottom, work.bottom);
  EXPECT_EQ(work.left + 100, window.left);
  EXPECT_EQ(672, window.right - window.left);

  // Without photos: the program's own picture, the turns greyed, and a hint
  // in the empty strip.
  EXPECT_FALSE(TurnButtonsEnabled(main));
  const Capture empty = Capture::OfClient(strip);
  EXPECT_GT(DarkPixels(empty), 200) << "the hint's text";
  Shot(L"empty-strip");
  const std::wstring exe = SnapvaneExePath();
  Gdiplus::Bitmap own((exe.substr(0, exe.rfind(L'\\')) + L"\\Snapvane.jpg").c_str());
  ASSERT_GT(own.GetWidth(), 0u);
  Gdiplus::Color centre;
  own.GetPixel(own.GetWidth() / 2, own.GetHeight() / 2, &centre);
  const Capture logo = Capture::OfClient(preview);
  EXPECT_TRUE(Near(RGB(centre.GetR(), centre.GetG(), centre.GetB()), logo.Pixel(logo.Width() / 2, logo.Height() / 2)));

  // It can be made as small as 400 x 300 and no smaller.
  SetWindowPos(main, NULL, 0, 0, 100, 100, SWP_NOZORDER | SWP_NOMOVE);
  Sleep(300);
  GetWindowRect(main, &window);
  EXPECT_EQ(400, window.right - window.left);
  EXPECT_EQ(300, window.bottom - window.top);
  Stop();

  // A photo, a text file and an empty file under photos' names.
  // A long name, shortened in its middle under the cell.
  const std::wstring good = Photo(L"Kyoto 2024-08-15 family holiday by the river.jpg", MakeQuadrantPhoto(640, 480, 1, kMarks[0]));
  const std::wstring text = Photo(L"notes.jpg", Bytes{'n', 'o', 't', 'e', 's', '\n'});
  const std::wstring nothing = Photo(L"empty.jpg", Bytes());
  ASSERT_TRUE(Start({good, text, nothing}));
  SetWindowPos(main, NULL, 20, 20, 900, 700, SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kMarks[0]));
  }, 10000)) << "the first photo is shown at once";
  EXPECT_TRUE(TurnButtonsEnabled(main));
  ASSERT_TRUE(WaitUntil([&] {
    const Capture cells = Capture::OfClient(strip);
    return Near(cells.Pixel(kCellWidth + 10, 10), kCannotShowBox, 8) &&
           Near(cells.Pixel(2 * kCellWidth + 10, 10), kCannotShowBox, 8);
  }, 10000)) << ColourText(Capture::OfClient(strip).Pixel(kCellWidth + 10, 10));

  ClickCell(1);
  ASSERT_TRUE(WaitUntil([&] {
    const Capture pane = Capture::OfClient(preview);
    return Near(pane.Pixel(10, 10), kCannotShowBox, 8);
  }, 10000)) << ColourText(Capture::OfClient(preview).Pixel(10, 10));
  Shot(L"cannot-show");

  // Turning it says which file and why.
  Command(IDM_ROTATE_RIGHT);
  HWND box = WaitForProcessWindow(app->ProcessId(), L"#32770", L"お知らせ", 10000);
  ASSERT_TRUE(box);
  EXPECT_EQ(std::wstring(kCannotTurn) + L"\r\n\r\nnotes.jpg\r\nこのプログラムで読めるJPEGファイルではありません。",
            StaticTextOf(box));
  Capture::OfClient(box).SavePng(ScreenshotPath(L"e2e-message-not-jpeg.png"));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));

  // The full path shows over a cell.
  POINT over = {kCellWidth + kCellWidth / 2, 60};
  ClientToScreen(strip, &over);
  SetCursorPos(over.x, over.y);
  Sleep(100);
  SetCursorPos(over.x + 3, over.y + 2);
  Sleep(1500);
  Capture::OfScreen().SavePng(ScreenshotPath(L"e2e-tooltip.png"));
  Stop();
}

TEST_F(EndToEnd, ThreeDroppedFilesAreRegisteredInDropOrder) {
  ASSERT_TRUE(Start());
  const std::wstring x = Photo(L"x.jpg", MakeQuadrantPhoto(640, 480, 1, kMarks[0]));
  const std::wstring y = Photo(L"y.jpg", MakeQuadrantPhoto(640, 480, 1, kMarks[1]));
  const std::wstring z = Photo(L"z.jpg", MakeQuadrantPhoto(640, 480, 1, kMarks[2]));
  ASSERT_TRUE(DropFiles(app->Handle(), main, {z, x, y}));
  ASSERT_TRUE(WaitUntil([&] {
    const Capture shot = Capture::OfClient(strip);
    return Matches(CellQuadrants(shot, 0), Upright(kMarks[2])) &&
           Matches(CellQuadrants(shot, 1), Upright(kMarks[0])) &&
           Matches(CellQuadrants(shot, 2), Upright(kMarks[1]));
  }, 20000)) << Describe(CellQuadrants(Capture::OfClient(strip), 0));
  Shot(L"dropped");
  Stop();
}

TEST_F(EndToEnd, AFolderOfTenThousandPhotosRegistersUnderProgressAndStaysResponsive) {
  // 10 x 10 folders of 100 photos each.
  const std::wstring root = work.Join(L"library");
  ASSERT_TRUE(MakeFolder(root));
  const Bytes small = MakeQuadrantPhoto(160, 120, 1);
  // Made in the order the program lists them: each folder's photos by name,
  // numbers by their value, then its subfolders the same way.
  std::vector<std::wstring> order;
  for (int i = 0; i < 10; ++i) {
    const std::wstring year = root + L"\\" + std::to_wstring(2000 + i);
    ASSERT_TRUE(MakeFolder(year));
    for (int j = 0; j < 10; ++j) {
      const std::wstring month = year + L"\\" + std::to_wstring(j + 1);
      ASSERT_TRUE(MakeFolder(month));
      for (int k = 0; k < 100; ++k) {
        order.push_back(month + L"\\p" + std::to_wstring(k) + L".jpg");
        ASSERT_TRUE(WriteBytes(order.back(), small));
      }
    }
  }
  ASSERT_EQ(10000u, order.size());

  ASSERT_TRUE(Start());
  Command(IDM_OPEN_FOLDER);
  HWND browser = NULL;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND d : ProcessDialogs(app->ProcessId())) {
      if (d != main) browser = d;
    }
    return browser != NULL;
  }, 20000));
  WaitUntilStill(browser);
  Capture::OfScreen().SavePng(ScreenshotPath(L"e2e-folder-browser.png"));
  ASSERT_TRUE(ChooseFolderInBrowser(browser, root));

  HWND progress = WaitForProcessWindow(app->ProcessId(), L"#32770", L"ファイル登録中", 30000);
  ASSERT_TRUE(progress) << "no progress window";
  // The window answers while the photos are being registered: an answer
  // that arrives with the progress window still up. (A window busy with the
  // walk itself could answer only after it.)
  bool answeredDuringRegistration = false;
  bool pictured = false;
  while (IsWindow(progress) && IsWindowVisible(progress)) {
    if (Responds(main, 10000) && Responds(progress, 10000) && IsWindowVisible(progress)) {
      answeredDuringRegistration = true;
    }
    if (!pictured) {
      Capture::OfWindow(progress).SavePng(ScreenshotPath(L"e2e-registering.png"));
      pictured = true;
    }
    Sleep(20);
  }
  EXPECT_TRUE(answeredDuringRegistration);

  // Photo 0 is current and shown, and the first page of thumbnails is done
  // (a photo is not turned while the program itself still reads it).
  const bool shown = WaitUntil([&] {
    const Capture cells = Capture::OfClient(strip);
    for (int i = 1; i < cells.Width() / kCellWidth; ++i) {
      if (!Matches(CellQuadrants(cells, i), Upright(kBottomRight))) return false;
    }
    return Matches(PreviewQuadrants(Capture::OfClient(preview)), Upright(kBottomRight)) &&
           Matches(CellQuadrants(cells, 0), UnderSelection(Upright(kBottomRight)));
  }, 30000);
  Shot(L"ten-thousand");
  ASSERT_TRUE(shown) << Describe(CellQuadrants(Capture::OfClient(strip), 0));
  ASSERT_TRUE(CommandAndWait(IDM_ROTATE_RIGHT));
  EXPECT_EQ(6, FileOrientation(order.front()));
  // Paged to the right end of the strip, as clicks in its scroll bar's
  // track do (each carried out before the next), and the last cell clicked.
  SetWindowPos(main, NULL, 0, 0, 1280, 900, SWP_NOZORDER);
  ASSERT_TRUE(Responds(main, 10000));
  RECT area;
  GetClientRect(strip, &area);
  const int pages = 10000 * kCellWidth / std::max<int>(1, area.right) + 20;
  for (int i = 0; i < pages; ++i) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(strip, WM_HSCROLL, SB_PAGEDOWN, 0, SMTO_NORMAL, 10000, &result);
  }
  RECT client;
  GetClientRect(strip, &client);
  ClickStrip(client.right - kCellWidth / 2, 80);
  Shot(L"ten-thousand-end");
  ASSERT_TRUE(CommandAndWait(IDM_ROTATE_RIGHT));
  EXPECT_EQ(6, FileOrientation(order.back())) << "the last photo of the walk is the strip's last";
  int turned = 0;
  for (const std::wstring& p : order) turned += FileOrientation(p) == 6;
  EXPECT_EQ(2, turned);
  Stop();
}

TEST_F(EndToEnd, TheWindowComesBackWhereItWasAndTheStripKeepsItsHeight) {
  ASSERT_TRUE(Start());
  const RECT stripBefore = PlaceInParent(strip);
  const RECT previewBefore = PlaceInParent(preview);
  SetWindowPos(main, NULL, 100, 80, 800, 900, SWP_NOZORDER);
  WaitUntilStill(main);
  const RECT stripAfter = PlaceInParent(strip);
  const RECT previewAfter = PlaceInParent(preview);
  EXPECT_EQ(stripBefore.bottom - stripBefore.top, stripAfter.bottom - stripAfter.top);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL) + 166, stripAfter.bottom - stripAfter.top);
  EXPECT_GT(previewAfter.bottom - previewAfter.top, previewBefore.bottom - previewBefore.top);
  Shot(L"resized");
  Stop();

  ASSERT_TRUE(Start());
  RECT window;
  GetWindowRect(main, &window);
  EXPECT_EQ(100, window.left);
  EXPECT_EQ(80, window.top);
  EXPECT_EQ(800, window.right - window.left);
  EXPECT_EQ(900, window.bottom - window.top);
  const RECT stripRestarted = PlaceInParent(strip);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL) + 166, stripRestarted.bottom - stripRestarted.top);

  // A second start while one runs leaves silently.
  SnapvaneProcess second;
  ASSERT_TRUE(second.Start());
  DWORD code = 1;
  ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs, &code));
  EXPECT_EQ(0u, code);
  EXPECT_FALSE(second.EverShowedWindow());
  EXPECT_TRUE(app->IsRunning());
  Stop();
}

namespace {

// Whether the window stays above a window that another program brings to
// the front over it: a plain popup of this process covering it, asked which
// window lies under the window's centre.
bool StaysAboveOthers(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  // A class of its own: a static control lets the mouse through.
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = L"SnapvaneE2ECover";
  RegisterClassW(&wc);
  HWND cover = CreateWindowExW(0, wc.lpszClassName, L"cover", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, NULL, NULL,
                               GetModuleHandleW(NULL), NULL);
  SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  // The program has seen the change of order when it answers again.
  Responds(window, 5000);
  const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  HWND under = WindowFromPoint(centre);
  DestroyWindow(cover);
  return under && GetAncestor(under, GA_ROOT) == window;
}

}  // namespace

// A photo without an Orientation entry turns once the setting is ticked, and
// shows turned.
TEST_F(EndToEnd, WithTheSettingOnATaglessPhotoTurnsFromTheToolbar) {
  const std::wstring photo = Photo(L"tagless.jpg", MakeQuadrantPhoto(640, 480, 0));
  ASSERT_TRUE(Start({photo}));
  ASSERT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview), 3, 4), Upright(kBottomRight));
  }, 20000));
  Command(IDM_APP_SETTINGS);
  HWND sheet = WaitForProcessWindow(app->ProcessId(), L"#32770", L"アプリ設定", 20000);
  ASSERT_TRUE(sheet);
  HWND tick = NULL;
  ASSERT_TRUE(WaitUntil([&] {
    tick = FindChildByText(sheet, L"Orientationがない写真にも追加して回転する");
    return tick != NULL;
  }, 10000));
  WaitUntilStill(sheet);
  SendMessageW(tick, BM_CLICK, 0, 0);
  Capture::OfClient(sheet).SavePng(ScreenshotPath(L"e2e-settings-add-orientation.png"));
  PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 10000));
  ASSERT_TRUE(Responds(main, 10000));
  EXPECT_EQ(1, SettingInt(L"APP_SETTING", L"AddOrientation", -1));

  ASSERT_TRUE(CommandAndWait(IDM_ROTATE_RIGHT));
  EXPECT_TRUE(WaitUntil([&] {
    return Matches(PreviewQuadrants(Capture::OfClient(preview), 3, 4), TurnedRight(kBottomRight));
  }, 10000)) << Describe(PreviewQuadrants(Capture::OfClient(preview), 3, 4));
  Shot(L"tagless-turned");
  EXPECT_TRUE(ProcessDialogs(app->ProcessId()).size() == 1) << "no message";
  ExifInfo_CL info;
  info.Read(photo);
  ASSERT_NE(nullptr, info.FindEntry(kTagOrientation));
  EXPECT_EQ(6u, info.FindEntry(kTagOrientation)->value);
  Stop();
}

TEST_F(EndToEnd, TheAlwaysOnTopTickTakesEffectWhenTheSheetClosesWithOk) {
  ASSERT_TRUE(Start());
  EXPECT_FALSE(StaysAboveOthers(main));
  Command(IDM_APP_SETTINGS);
  HWND sheet = WaitForProcessWindow(app->ProcessId(), L"#32770", L"アプリ設定", 20000);
  ASSERT_TRUE(sheet);
  HWND tick = NULL;
  ASSERT_TRUE(WaitUntil([&] {
    tick = FindChildByText(sheet, L"ウインドウを常に最前面に表示する");
    return tick != NULL;
  }, 10000));
  WaitUntilStill(sheet);
  SendMessageW(tick, BM_CLICK, 0, 0);
  Capture::OfClient(sheet).SavePng(ScreenshotPath(L"e2e-settings.png"));
  EXPECT_EQ(0, SettingInt(L"APP_SETTING", L"WindowTopMost", -1)) << "nothing before OK";
  PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 10000));
  // The sheet's owner takes the setting once it is back in its own loop.
  ASSERT_TRUE(Responds(main, 10000));
  EXPECT_TRUE(StaysAboveOthers(main));
  EXPECT_EQ(1, SettingInt(L"APP_SETTING", L"WindowTopMost", -1));
  Stop();

  ASSERT_TRUE(Start());
  EXPECT_TRUE(StaysAboveOthers(main)) << "kept at the next start";
  Stop();
}
