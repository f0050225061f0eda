// The preview as a real window: ShowInPreview's upright, fitted bitmap and
// where it is drawn, the picture it keeps so that it decodes a photo once,
// LoadFile, missing photos and drops.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <new>
#include <string>
#include <vector>

#include "my_picture_image.h"
#include "orientation.h"
#include "save_data.h"
#include "show_in_preview.h"
#include "test_files.h"
#include "views_win_support.h"

namespace {

bool HasScrollBars(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

struct PreviewWindow : ::testing::Test {
  TempDir dir;
  TestHost host{600, 400};
  MyPictureImage_CL preview;
  SaveData_CL data;

  void SetUp() override {
    ASSERT_TRUE(preview.Create(host.Window(), PictureImage_CL::kPreviewControlId, 600, 400, 0, 0));
    preview.SetDisplayMode(kDisplayNaturalSize);
    data.previewControl = &preview;
  }

  // Shows photo index and waits for the preview's worker to deliver it.
  void Show(int index) {
    ShowInPreview(data, index);
    EXPECT_TRUE(PumpUntil([this] { return !preview.Waiting(); }, 10000)) << index;
  }
  // As Show, with no neighbours named: the decodes are the photo's own.
  void ShowAlone(int index) {
    const SIZE pane = preview.PaneSize();
    preview.ShowPhoto(data.photos[static_cast<std::size_t>(index)].path, pane.cx, pane.cy, nullptr);
    EXPECT_TRUE(PumpUntil([this] { return !preview.Waiting(); }, 10000)) << index;
  }
};

TEST_F(PreviewWindow, ATurnedLargePhotoIsShownUprightFittedAndCentred) {
  // Stored 4000 x 3000, left half red and right half blue; Orientation 6
  // turns it a quarter clockwise, so upright the red half is on top.
  const std::wstring path = dir.Join(L"big.jpg");
  ASSERT_TRUE(WriteTestJpeg(path, 4000, 3000, 6, [](Gdiplus::Graphics& g) {
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    Gdiplus::SolidBrush blue(Gdiplus::Color(255, 0, 0, 255));
    g.FillRectangle(&red, 0, 0, 2000, 3000);
    g.FillRectangle(&blue, 2000, 0, 2000, 3000);
  }));
  data.photos.push_back(PhotoItem{path});
  Show(0);
  ASSERT_NE(nullptr, preview.Image());
  EXPECT_EQ(300u, preview.Image()->GetWidth());
  EXPECT_EQ(400u, preview.Image()->GetHeight());
  const Gdiplus::RectF at = preview.DestinationRect(600, 400);
  EXPECT_FLOAT_EQ(150.0f, at.X);
  EXPECT_FLOAT_EQ(0.0f, at.Y);
  EXPECT_FALSE(HasScrollBars(preview.hwnd));

  const Capture shot = CaptureClient(host.Window());
  shot.SavePng(ScreenshotPath(L"preview-orientation6.png"));
  EXPECT_TRUE(shot.IsBlack(148, 200));
  EXPECT_TRUE(IsRed(shot, 152, 5));
  EXPECT_TRUE(IsRed(shot, 447, 190));
  EXPECT_TRUE(IsBlue(shot, 152, 210));
  EXPECT_TRUE(IsBlue(shot, 447, 395));
  EXPECT_TRUE(shot.IsBlack(451, 200));
}

TEST_F(PreviewWindow, ASmallPhotoIsEnlargedToFit) {
  // 48 x 80, Orientation 1: 240 x 400 in a 600 x 400 pane.
  data.photos.push_back(PhotoItem{CorpusPhoto(L"exr_orientation_f1t.jpg")});
  data.photos.push_back(PhotoItem{CorpusPhoto(L"exr_orientation_f6t.jpg")});
  for (int index = 0; index < 2; ++index) {
    Show(index);
    ASSERT_NE(nullptr, preview.Image());
    EXPECT_EQ(240u, preview.Image()->GetWidth());
    EXPECT_EQ(400u, preview.Image()->GetHeight());
    const Capture shot = CaptureClient(host.Window());
    EXPECT_TRUE(shot.IsBlack(178, 200));
    EXPECT_TRUE(shot.IsBlack(422, 200));
    // The letter F, upright.
    EXPECT_TRUE(shot.IsBlack(180 + 24, 360, 80)) << index;   // the stem, low down
    EXPECT_TRUE(shot.IsWhite(180 + 204, 360, 80)) << index;  // paper, low right
    EXPECT_TRUE(shot.IsBlack(180 + 204, 30, 80)) << index;   // the top bar's end
  }
}

std::vector<std::wstring> g_decodes;
void CountDecode(const std::wstring& path) { g_decodes.push_back(path); }

// The files the preview decoded since the last call.
std::vector<std::wstring> Decoded() {
  std::vector<std::wstring> decoded;
  decoded.swap(g_decodes);
  return decoded;
}

struct CountedDecodes {
  CountedDecodes() {
    g_decodes.clear();
    PictureImage_CL::SetDecodeHookForTests(&CountDecode);
  }
  ~CountedDecodes() { PictureImage_CL::SetDecodeHookForTests(nullptr); }
};

typedef std::vector<std::wstring> Paths;

TEST_F(PreviewWindow, APhotoIsDecodedOnceAndFittedAgainForEachPaneSize) {
  CountedDecodes counted;
  const std::wstring f1 = CorpusPhoto(L"exr_orientation_f1t.jpg");  // 48 x 80
  const std::wstring f6 = CorpusPhoto(L"exr_orientation_f6t.jpg");
  const std::wstring missing = dir.Join(L"no such photo.jpg");
  data.photos = {PhotoItem{f1}, PhotoItem{f6}, PhotoItem{missing}, PhotoItem{f1}};

  ShowAlone(0);
  ShowAlone(3);  // the same file listed twice
  EXPECT_EQ(Paths{f1}, Decoded());
  ASSERT_NE(nullptr, preview.KeptPicture());
  EXPECT_EQ(48u, preview.KeptPicture()->GetWidth());
  EXPECT_EQ(80u, preview.KeptPicture()->GetHeight());
  // Shrunk below the 240 x 400 picture shown, the pane has both bars for a
  // moment; the new picture is fitted to the whole pane and needs none.
  SetWindowPos(preview.hwnd, NULL, 0, 0, 150, 300, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  ASSERT_TRUE(HasScrollBars(preview.hwnd));
  ShowAlone(0);
  EXPECT_EQ(Paths{}, Decoded());
  ASSERT_NE(nullptr, preview.Image());
  EXPECT_EQ(150u, preview.Image()->GetWidth());
  EXPECT_EQ(250u, preview.Image()->GetHeight());
  EXPECT_FALSE(HasScrollBars(preview.hwnd));

  ShowAlone(1);
  EXPECT_EQ(Paths{f6}, Decoded());
  // A photo that could not be read is tried again: it may be there now.
  ShowAlone(2);
  ShowAlone(2);
  EXPECT_EQ((Paths{missing, missing}), Decoded());
  EXPECT_EQ(nullptr, preview.KeptPicture());
  // After a turn the kept picture is stale.
  ShowAlone(0);
  preview.ForgetPhoto();
  ShowAlone(0);
  EXPECT_EQ((Paths{f1, f1}), Decoded());
}

TEST_F(PreviewWindow, AFileShownAtItsOwnSizeIsNotDecodedAgain) {
  CountedDecodes counted;
  const std::wstring picture = CorpusPhoto(L"exr_orientation_f6t.jpg");
  const std::wstring photo = CorpusPhoto(L"exr_orientation_f1t.jpg");
  data.photos = {PhotoItem{photo}};
  Show(0);
  preview.ShowFile(picture);
  EXPECT_EQ(nullptr, preview.KeptPicture()) << "the photo's picture is let go";
  preview.ShowFile(picture);
  EXPECT_EQ((Paths{photo, picture}), Decoded());
  ASSERT_NE(nullptr, preview.Image());
  EXPECT_EQ(48u, preview.Image()->GetWidth());
  EXPECT_EQ(80u, preview.Image()->GetHeight());
  // Replaced by a photo, it is decoded again when it comes back.
  Show(0);
  preview.ShowFile(picture);
  EXPECT_EQ((Paths{photo, picture}), Decoded());
}

TEST_F(PreviewWindow, LoadFileKeepsTheScrollBarsUntilTheNextResize) {
  // 1000 x 800 in quarters: red, green / blue, yellow.
  const std::wstring path = dir.Join(L"quarters.jpg");
  ASSERT_TRUE(WriteTestJpeg(path, 1000, 800, 0, [](Gdiplus::Graphics& g) {
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    Gdiplus::SolidBrush green(Gdiplus::Color(255, 0, 255, 0));
    Gdiplus::SolidBrush blue(Gdiplus::Color(255, 0, 0, 255));
    Gdiplus::SolidBrush yellow(Gdiplus::Color(255, 255, 255, 0));
    g.FillRectangle(&red, 0, 0, 500, 400);
    g.FillRectangle(&green, 500, 0, 500, 400);
    g.FillRectangle(&blue, 0, 400, 500, 400);
    g.FillRectangle(&yellow, 500, 400, 500, 400);
  }));
  ASSERT_TRUE(preview.LoadFile(path));
  EXPECT_EQ(1000u, preview.Image()->GetWidth());
  EXPECT_FALSE(HasScrollBars(preview.hwnd));
  // Drawn centred: the pane shows the middle of the picture.
  Capture shot = CaptureClient(host.Window());
  EXPECT_TRUE(IsRed(shot, 5, 5));
  EXPECT_TRUE(IsBlue(shot, 5, 395));
  EXPECT_TRUE(IsRed(shot, 295, 195));
  // The next resize adds both bars, the view still in the middle.
  SetWindowPos(preview.hwnd, NULL, 0, 0, 590, 400, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  const LONG style = GetWindowLongW(preview.hwnd, GWL_STYLE);
  EXPECT_NE(0, style & WS_HSCROLL);
  EXPECT_NE(0, style & WS_VSCROLL);
  const int h = preview.HorizontalScroll().position;
  const int v = preview.VerticalScroll().position;
  EXPECT_GE(h, 200);
  EXPECT_LE(h, 220);
  EXPECT_GE(v, 200);
  EXPECT_LE(v, 220);
  shot = CaptureClient(host.Window());
  EXPECT_TRUE(IsRed(shot, 5, 5));
}

TEST_F(PreviewWindow, PhotosThatCannotBeShownSaySoAndNoPhotoLeavesThePaneBlack) {
  data.photos.push_back(PhotoItem{CorpusPhoto(L"exr_orientation_f1t.jpg")});
  data.photos.push_back(PhotoItem{dir.Join(L"no such photo.jpg")});
  data.photos.push_back(PhotoItem{CorpusPhoto(L"pie_notjpeg.jpg")});
  Show(0);
  ASSERT_NE(nullptr, preview.Image());
  // A missing file and one that is no JPEG: a dark grey pane with
  // "表示できません" in light letters in its middle, not a black one.
  for (int index : {1, 2}) {
    Show(0);
    Show(index);
    const Capture shot = CaptureClient(host.Window());
    EXPECT_EQ(0x3C3C3Cu, shot.At(10, 10)) << index;
    EXPECT_EQ(0x3C3C3Cu, shot.At(200, 380)) << index;
    EXPECT_TRUE(shot.HasWhite(200, 170, 400, 230)) << index;
  }
  // No photo at all: black.
  for (int index : {-1, 3, 1000}) {
    Show(0);
    Show(index);
    EXPECT_EQ(nullptr, preview.Image()) << index;
    const Capture shot = CaptureClient(host.Window());
    EXPECT_TRUE(shot.IsBlack(300, 200)) << index;
    EXPECT_TRUE(shot.IsBlack(200, 380)) << index;
  }
  EXPECT_FALSE(preview.LoadFile(dir.Join(L"no such photo.jpg")));
  EXPECT_EQ(nullptr, preview.Image());
}

BOOL WINAPI RefusePost(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void ThrowOnFirstDecode(const std::wstring& path) {
  g_decodes.push_back(path);
  if (g_decodes.size() == 1) throw std::bad_alloc();
}

TEST_F(PreviewWindow, AnAnswerThatCannotBeDeliveredNeverLeavesThePaneWaiting) {
  const std::wstring photo = CorpusPhoto(L"exr_orientation_f1t.jpg");
  data.photos = {PhotoItem{photo}};
  // The window's queue refuses the answer: it is taken at the next paint.
  PreviewLoader_CL::SetPostHookForTests(&RefusePost);
  ShowInPreview(data, 0);
  const bool taken = PumpUntil([this] { return !preview.Waiting(); }, 10000);
  PreviewLoader_CL::SetPostHookForTests(nullptr);
  ASSERT_TRUE(taken);
  ASSERT_NE(nullptr, preview.KeptPicture());
  EXPECT_EQ(48u, preview.KeptPicture()->GetWidth());

  // A decode that throws ends the wait, and the same click asks again.
  preview.ForgetPhoto();
  g_decodes.clear();
  PictureImage_CL::SetDecodeHookForTests(&ThrowOnFirstDecode);
  ShowInPreview(data, 0);
  const bool ended = PumpUntil([this] { return !preview.Waiting(); }, 10000);
  EXPECT_EQ(nullptr, preview.KeptPicture());
  if (ended) Show(0);
  PictureImage_CL::SetDecodeHookForTests(nullptr);
  ASSERT_TRUE(ended);
  EXPECT_EQ((Paths{photo, photo}), Decoded());
  EXPECT_NE(nullptr, preview.KeptPicture());
}

TEST_F(PreviewWindow, AnswersStillQueuedAreFreedWhenThePaneIsDestroyed) {
  data.photos = {PhotoItem{CorpusPhoto(L"exr_orientation_f1t.jpg")}};
  const long before = PreviewLoader_CL::Result::LiveCount();
  ShowInPreview(data, 0);
  // Posted, not taken: the messages are left in the queue.
  MSG msg;
  for (int i = 0; i < 1000; ++i) {
    if (PeekMessageW(&msg, preview.hwnd, WM_PREVIEW_DONE, WM_PREVIEW_DONE, PM_NOREMOVE)) break;
    Sleep(10);
  }
  ASSERT_EQ(before + 1, PreviewLoader_CL::Result::LiveCount());
  DestroyWindow(preview.hwnd);
  EXPECT_EQ(before, PreviewLoader_CL::Result::LiveCount());
}

TEST_F(PreviewWindow, AFileChangedOnDiskIsShownAnewOncePerChange) {
  CountedDecodes counted;
  const std::wstring path = dir.Join(L"changing.jpg");
  ASSERT_TRUE(WriteChanged(path, TwoColourJpeg(kRed, kRed), 1));
  data.photos = {PhotoItem{path}};
  Show(0);
  // 800 x 600 in the 600 x 400 pane: 533 x 400 at x = 33.
  EXPECT_TRUE(IsRed(CaptureClient(host.Window()), 300, 200));

  // Rewritten by another program: a repaint shows the new picture.
  ASSERT_TRUE(WriteChanged(path, TwoColourJpeg(kBlue, kBlue), 2));
  RedrawWindow(preview.hwnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_TRUE(PumpUntil([this] { return !preview.Waiting(); }, 10000));
  EXPECT_TRUE(IsBlue(CaptureClient(host.Window()), 300, 200));
  // Unchanged since, it is not decoded again, shown or repainted.
  Show(0);
  CaptureClient(host.Window());
  EXPECT_EQ((Paths{path, path}), Decoded());

  // Cut short, as while it is still being copied: shown, it is decoded, and
  // once more since the picture was incomplete; then left alone.
  const Bytes whole = TwoColourJpeg(kRed, kBlue);
  ASSERT_TRUE(WriteChanged(path, Bytes(whole.begin(), whole.begin() + whole.size() / 2), 3));
  Show(0);
  CaptureClient(host.Window());
  CaptureClient(host.Window());
  EXPECT_FALSE(preview.Waiting());
  EXPECT_EQ((Paths{path, path}), Decoded());
  // Completed on disk: the next repaint decodes it once more.
  ASSERT_TRUE(WriteChanged(path, whole, 4));
  CaptureClient(host.Window());
  ASSERT_TRUE(PumpUntil([this] { return !preview.Waiting(); }, 10000));
  const Capture shot = CaptureClient(host.Window());
  EXPECT_TRUE(IsRed(shot, 300, 50));
  EXPECT_TRUE(IsBlue(shot, 300, 350));
  CaptureClient(host.Window());
  EXPECT_EQ((Paths{path}), Decoded());
}

TEST_F(PreviewWindow, NeighboursAreKeptDecodedShownAtOnceTurnedInMemoryAndDroppedWhenChanged) {
  CountedDecodes counted;
  const std::wstring a = dir.Join(L"a.jpg");
  const std::wstring b = dir.Join(L"b.jpg");
  const std::wstring c = dir.Join(L"c.jpg");
  ASSERT_TRUE(WriteChanged(a, TwoColourJpeg(kRed, kBlue), 1));
  ASSERT_TRUE(WriteChanged(b, TwoColourJpeg(kBlue, kRed), 1));
  ASSERT_TRUE(WriteChanged(c, TwoColourJpeg(kRed, kBlue), 1));
  data.photos = {PhotoItem{a}, PhotoItem{b}, PhotoItem{c}};
  auto idle = [this] { return PumpUntil([this] { return !preview.Waiting() && !preview.Prefetching(); }, 10000); };

  // Shown, the first photo's neighbour is decoded while the pane is idle.
  Show(0);
  ASSERT_TRUE(idle());
  EXPECT_EQ((Paths{a, b}), Decoded());
  ASSERT_NE(nullptr, preview.KeptNeighbour(b));

  // The next photo is sharp at once, with no decode; the one left behind is
  // kept as its neighbour, and the one after it decoded in the background.
  ShowInPreview(data, 1);
  EXPECT_FALSE(preview.Waiting());
  Capture shot = CaptureClient(host.Window());
  EXPECT_TRUE(IsBlue(shot, 300, 50));
  EXPECT_TRUE(IsRed(shot, 300, 350));
  ASSERT_TRUE(idle());
  EXPECT_EQ((Paths{c}), Decoded()) << "b itself not decoded again";
  EXPECT_NE(nullptr, preview.KeptNeighbour(a));

  // A kept neighbour turned by the program turns in memory and shows turned.
  ASSERT_EQ(S_OK, RotateRight(c));
  preview.TakeStampAfterTurn(c);
  EXPECT_NE(nullptr, preview.ShowTurned(c, true));
  ShowInPreview(data, 2);
  EXPECT_FALSE(preview.Waiting());
  // 600 x 800 upright: 300 x 400 at x = 150, red now on the right.
  shot = CaptureClient(host.Window());
  EXPECT_TRUE(IsBlue(shot, 200, 200));
  EXPECT_TRUE(IsRed(shot, 400, 200));
  EXPECT_EQ(nullptr, preview.KeptNeighbour(a)) << "no longer a neighbour: let go";
  ASSERT_TRUE(idle());
  EXPECT_TRUE(Decoded().empty());

  // A neighbour whose file changed elsewhere is decoded again, not shown.
  ASSERT_TRUE(WriteChanged(b, TwoColourJpeg(kRed, kRed), 2));
  Show(1);
  EXPECT_TRUE(IsRed(CaptureClient(host.Window()), 300, 50));
  EXPECT_TRUE(IsRed(CaptureClient(host.Window()), 300, 350));
  ASSERT_TRUE(idle());
  EXPECT_EQ((Paths{b, a}), Decoded());
}

TEST_F(PreviewWindow, DroppedFilesReachTheParent) {
  DragAcceptFiles(preview.hwnd, TRUE);
  HDROP drop = MakeDrop({L"C:\\photos\\b.jpg"});
  SendMessageW(preview.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  ASSERT_EQ(1u, host.drops.size());
  EXPECT_EQ(reinterpret_cast<WPARAM>(drop), host.drops[0]);
  DragFinish(drop);
}

}  // namespace
