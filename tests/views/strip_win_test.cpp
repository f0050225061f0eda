// The application's strip as a real window: placeholders, one decode request
// per newly painted cell, the decoded upright thumbnails, missing photos and
// drops.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "my_picture_list_view.h"
#include "orientation.h"
#include "strip_layout.h"
#include "test_files.h"
#include "views_win_support.h"

namespace {

const wchar_t* const kPhotos[] = {
    L"exr_orientation_f1t.jpg", L"exr_orientation_f2t.jpg", L"exr_orientation_f3t.jpg",
    L"exr_orientation_f4t.jpg", L"exr_orientation_f5t.jpg", L"exr_orientation_f6t.jpg",
    L"exr_orientation_f7t.jpg", L"exr_orientation_f8t.jpg", L"exs_orientation_portrait_1.jpg",
    L"exs_orientation_portrait_6.jpg"};

struct StripWindow : ::testing::Test {
  PhotoList photos;
  TestHost host{600, StripHeight()};
  MyPictureListView_CL strip{&photos};

  void Open(unsigned count) {
    ASSERT_TRUE(strip.Create(host.Window()));
    host.strip = &strip;
    host.list = &strip;
    SetUpStrip(strip, 0, 0, 600, count);
  }

  bool DecodeAll(int expected) {
    strip.Worker().SetTargetWindow(host.Window());
    strip.Worker().Start();
    return PumpUntil([&] { return host.decodesDone >= expected; }, 30000);
  }
};

TEST_F(StripWindow, PaintsPlaceholdersAndAsksOncePerNewCell) {
  for (const wchar_t* name : kPhotos) photos.push_back(PhotoItem{CorpusPhoto(name)});
  Open(10);
  // 600 pixels show cells 0 to 3; the worker is not running yet, so every
  // request stays in its queue.
  Capture shot = CaptureClient(host.Window());
  EXPECT_EQ(4u, strip.Worker().QueuedCount());
  EXPECT_EQ(4u, strip.Cache().Count());
  // The placeholder is black where the thumbnail will be; the caption is
  // there already.
  EXPECT_TRUE(shot.IsBlack(2 + 96, 2 + 72));
  EXPECT_TRUE(shot.IsBlack(kCellWidth + 2 + 96, 2 + 72));
  EXPECT_TRUE(shot.HasWhite(20, kCellHeight - 18, 176, kCellHeight - 1));

  // Painting again finds the placeholders and asks for nothing.
  CaptureClient(host.Window());
  CaptureClient(host.Window());
  EXPECT_EQ(4u, strip.Worker().QueuedCount());

  // A page to the right shows cells 3 to 6: three new ones.
  SendMessageW(strip.hwnd, WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
  CaptureClient(host.Window());
  EXPECT_EQ(7u, strip.Worker().QueuedCount());
  // Back at the start, everything is cached.
  SendMessageW(strip.hwnd, WM_HSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
  shot = CaptureClient(host.Window());
  EXPECT_EQ(7u, strip.Worker().QueuedCount());

  // The worker decodes the seven and the host hands them to the strip.
  ASSERT_TRUE(DecodeAll(7));
  EXPECT_EQ(0u, strip.Worker().QueuedCount());
  shot = CaptureClient(host.Window());
  shot.SavePng(ScreenshotPath(L"strip-decoded.png"));
  ShowsUprightF(shot, 0, 0, "f1 (Orientation 1)");
  ShowsUprightF(shot, kCellWidth, 0, "f2 (Orientation 2)");
  ShowsUprightF(shot, 2 * kCellWidth, 0, "f3 (Orientation 3)");
  // Nothing new was asked for after the thumbnails arrived.
  EXPECT_EQ(7, host.decodesDone);
  EXPECT_EQ(0u, strip.Worker().QueuedCount());
}

TEST_F(StripWindow, ADeletedPhotoSaysItCannotBeShownWithItsNameAndAsksForNothing) {
  TempDir dir;
  const std::wstring kept = dir.Join(L"kept.jpg");
  const std::wstring gone = dir.Join(L"gone.jpg");
  ASSERT_TRUE(WriteBytes(kept, ReadBytes(CorpusPhoto(L"exr_orientation_f6t.jpg"))));
  ASSERT_TRUE(WriteBytes(gone, ReadBytes(CorpusPhoto(L"exr_orientation_f6t.jpg"))));
  photos.push_back(PhotoItem{gone});
  photos.push_back(PhotoItem{kept});
  ASSERT_TRUE(DeleteFileW(gone.c_str()));
  Open(2);
  const Capture shot = CaptureClient(host.Window());
  EXPECT_EQ(1u, strip.Worker().QueuedCount());  // for kept.jpg only
  // Where its thumbnail would be, a dark grey box with "表示できません" in
  // light letters, not black as a dark photo; the tile around it black up
  // to its last pixel row and column, then the background.
  EXPECT_EQ(0x3C3C3Cu, shot.At(5, 5));
  EXPECT_TRUE(shot.HasWhite(40, 60, 156, 84)) << "the note";
  EXPECT_TRUE(shot.IsBlack(kCellWidth - 2, kCellHeight - 2));
  EXPECT_FALSE(shot.IsBlack(kCellWidth - 1, 50));
  EXPECT_TRUE(shot.HasWhite(20, kCellHeight - 18, 176, kCellHeight - 1));  // "gone.jpg"
  ASSERT_TRUE(DecodeAll(1));
  const Capture later = CaptureClient(host.Window());
  EXPECT_EQ(0x3C3C3Cu, later.At(2 + 96, 2 + 40));
  ShowsUprightF(later, kCellWidth, 0, "kept.jpg");
  EXPECT_EQ(1, host.decodesDone);
}

// Turns the photo during the first full decode of it, then holds that decode
// until the test lets it go.
struct TurnDuringDecode {
  static UniqueHandle turned;
  static UniqueHandle resume;
  static std::atomic<int> calls;
  static void Hook(const DecodeItem_CL& item) {
    if (calls++ != 0) return;
    RotateRight(item.path);
    SetEvent(turned.Get());
    WaitForSingleObject(resume.Get(), 20000);
  }
};
UniqueHandle TurnDuringDecode::turned;
UniqueHandle TurnDuringDecode::resume;
std::atomic<int> TurnDuringDecode::calls(0);

TEST_F(StripWindow, ATurnWhileBothStagesAreOnTheirWayEndsWithTheTurnedThumbnail) {
  TempDir dir;
  const std::wstring path = dir.Join(L"wide.jpg");
  ASSERT_TRUE(WriteTestJpeg(path, 400, 300, 1, [](Gdiplus::Graphics& g) { g.Clear(Gdiplus::Color(255, 255, 255, 255)); },
                            true));
  photos.push_back(PhotoItem{path});
  Open(1);
  TurnDuringDecode::turned.Reset(CreateEventW(NULL, TRUE, FALSE, NULL));
  TurnDuringDecode::resume.Reset(CreateEventW(NULL, TRUE, FALSE, NULL));
  TurnDuringDecode::calls = 0;
  DecodeImage_CL::SetDecodeHookForTests(&TurnDuringDecode::Hook);
  // Two threads: the first request's full decode is held while a second
  // request for the turned photo is served.
  strip.Worker().SetThreadCount(2);
  strip.Worker().SetTargetWindow(host.Window());
  strip.Worker().Start();
  CaptureClient(host.Window());  // paints the cell: the first request
  ASSERT_TRUE(PumpUntil([] { return WaitForSingleObject(TurnDuringDecode::turned.Get(), 0) == WAIT_OBJECT_0; },
                        20000));
  // What the turn command does on the window's side once the file turned.
  strip.Cache().Remove(ThumbnailCacheKey(0));
  InvalidateRect(strip.hwnd, NULL, FALSE);
  // The quick picture of the first request, then both pictures of the
  // second one; only then does the first request's old picture arrive.
  const bool second = PumpUntil([&] { return host.decodesDone >= 3; }, 20000);
  SetEvent(TurnDuringDecode::resume.Get());
  ASSERT_TRUE(second);
  ASSERT_TRUE(PumpUntil([&] { return host.decodesDone >= 4; }, 20000));
  DecodeImage_CL::SetDecodeHookForTests(nullptr);
  Pump();
  // Turned right, the 400 x 300 photo is upright 300 x 400: 108 x 144 at
  // x = 42, black beside it, where the old landscape thumbnail was white.
  const Capture shot = CaptureClient(host.Window());
  EXPECT_TRUE(shot.IsBlack(2 + 20, 2 + 72));
  EXPECT_TRUE(shot.IsWhite(2 + 96, 2 + 72));
  EXPECT_TRUE(shot.IsBlack(2 + 171, 2 + 72));
  EXPECT_EQ(4, host.decodesDone);
}

TEST_F(StripWindow, AFileChangedOnDiskIsShownAnewOncePerChange) {
  TempDir dir;
  const std::wstring path = dir.Join(L"changing.jpg");
  ASSERT_TRUE(WriteChanged(path, TwoColourJpeg(kRed, kRed), 1));
  photos.push_back(PhotoItem{path});
  Open(1);
  CaptureClient(host.Window());
  ASSERT_TRUE(DecodeAll(1));
  // 800 x 600 fills the 192 x 144 thumbnail.
  EXPECT_TRUE(IsRed(CaptureClient(host.Window()), 2 + 96, 2 + 72));
  const auto decodesAfterRepaints = [&](int expected) {
    for (int i = 0; i < 3; ++i) {
      CaptureClient(host.Window());
      PumpUntil([&] { return host.decodesDone >= expected + 1; }, 200);
    }
    return host.decodesDone;
  };

  // Rewritten by another program: the next repaint shows the new picture,
  // and nothing more is decoded while the file stays as it is.
  ASSERT_TRUE(WriteChanged(path, TwoColourJpeg(kBlue, kBlue), 2));
  CaptureClient(host.Window());
  ASSERT_TRUE(PumpUntil([&] { return host.decodesDone >= 2; }, 10000));
  EXPECT_TRUE(IsBlue(CaptureClient(host.Window()), 2 + 96, 2 + 72));
  EXPECT_EQ(2, decodesAfterRepaints(2));

  // Cut short, as while it is still being copied: decoded, and once more
  // since the picture was incomplete; then left alone.
  const Bytes whole = TwoColourJpeg(kRed, kBlue);
  ASSERT_TRUE(WriteChanged(path, Bytes(whole.begin(), whole.begin() + whole.size() / 2), 3));
  CaptureClient(host.Window());
  ASSERT_TRUE(PumpUntil([&] { return host.decodesDone >= 4; }, 10000));
  EXPECT_EQ(4, decodesAfterRepaints(4));
  // Completed on disk: decoded once more at the next repaint.
  ASSERT_TRUE(WriteChanged(path, whole, 4));
  CaptureClient(host.Window());
  ASSERT_TRUE(PumpUntil([&] { return host.decodesDone >= 5; }, 10000));
  const Capture shot = CaptureClient(host.Window());
  EXPECT_TRUE(IsRed(shot, 2 + 96, 2 + 20));
  EXPECT_TRUE(IsBlue(shot, 2 + 96, 2 + 124));
  EXPECT_EQ(5, decodesAfterRepaints(5));
}

TEST(StripTiming, EveryVisibleCellShowsAPictureLongBeforeAFullDecodeCouldEnd) {
  // Camera-like 12-megapixel photos with embedded thumbnails, one stored
  // upright and one needing a quarter turn: a full decode of each takes
  // about a third of a second under Wine.
  TempDir dir;
  const auto paint = [](Gdiplus::Graphics& g) {
    g.Clear(Gdiplus::Color(255, 120, 170, 230));
    Gdiplus::SolidBrush ground(Gdiplus::Color(255, 60, 140, 60));
    g.FillRectangle(&ground, 0, 1800, 4000, 1200);
  };
  const std::wstring sources[] = {dir.Join(L"source-1.jpg"), dir.Join(L"source-6.jpg")};
  ASSERT_TRUE(WriteTestJpeg(sources[0], 4000, 3000, 1, paint, true));
  ASSERT_TRUE(WriteTestJpeg(sources[1], 4000, 3000, 6, paint, true));
  const int kVisible = 5;
  PhotoList photos;
  for (int i = 0; i < kVisible + 3; ++i) {
    const std::wstring path = dir.Join(L"photo-" + std::to_wstring(i) + L".jpg");
    ASSERT_TRUE(CopyFileW(sources[i % 2].c_str(), path.c_str(), FALSE));
    photos.push_back(PhotoItem{path});
  }
  TestHost host(kVisible * kCellWidth, StripHeight());
  MyPictureListView_CL strip(&photos);
  ASSERT_TRUE(strip.Create(host.Window()));
  host.strip = &strip;
  SetUpStrip(strip, 0, 0, kVisible * kCellWidth, static_cast<unsigned>(photos.size()));
  strip.Worker().SetTargetWindow(host.Window());
  strip.Worker().Start();
  const auto cellsWithAPicture = [](const Capture& shot) {
    int n = 0;
    for (int i = 0; i < kVisible; ++i) n += shot.IsBlack(i * kCellWidth + 2 + 96, 2 + 72) ? 0 : 1;
    return n;
  };

  const DWORD firstPaint = GetTickCount();
  CaptureClient(host.Window());
  const DWORD painted = GetTickCount() - firstPaint;
  // When the last visible cell got its first picture; 0 while one has none.
  const auto allShown = [&]() -> DWORD {
    DWORD last = 0;
    for (int i = 0; i < kVisible; ++i) {
      DWORD first = 0;
      for (const TestHost::Arrival& a : host.pictures) {
        if (a.cell == i) {
          first = a.tick - firstPaint + 1;
          break;
        }
      }
      if (first == 0) return 0;
      last = std::max(last, first - 1);
    }
    return last;
  };
  // The screenshot a person looks at: 50 ms after the strip first painted.
  PumpUntil([&] { return GetTickCount() - firstPaint >= painted + 50; }, 1000);
  const Capture at50 = CaptureClient(host.Window());
  at50.SavePng(ScreenshotPath(L"strip-50ms-after-first-paint.png"));
  std::printf("first paint took %lu ms; 50 ms after it %d of %d cells show a picture\n",
              static_cast<unsigned long>(painted), cellsWithAPicture(at50), kVisible);
  PumpUntil([&] { return allShown() != 0; }, 5000);
  std::printf("every visible cell showed a picture %lu ms after the first paint began\n",
              static_cast<unsigned long>(allShown()));
  // With full decodes alone, five cells on at most four threads need two
  // 12-megapixel decodes in a row: more than half a second. Quick pictures
  // take a few milliseconds each.
  EXPECT_GT(host.pictures.size(), 0u);
  EXPECT_LT(allShown(), 400u);
  EXPECT_EQ(kVisible, cellsWithAPicture(CaptureClient(host.Window())));
}

TEST_F(StripWindow, DroppedFilesReachTheParent) {
  photos.push_back(PhotoItem{CorpusPhoto(L"exr_orientation_f1t.jpg")});
  Open(1);
  EXPECT_NE(0, GetWindowLongW(strip.hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  HDROP drop = MakeDrop({L"C:\\photos\\a.jpg", L"C:\\photos"});
  SendMessageW(strip.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  ASSERT_EQ(1u, host.drops.size());
  EXPECT_EQ(reinterpret_cast<WPARAM>(drop), host.drops[0]);
  EXPECT_EQ(2u, DragQueryFileW(drop, 0xFFFFFFFF, NULL, 0));
  DragFinish(drop);
}

}  // namespace
