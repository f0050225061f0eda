// A window holding the preview above the strip, as the main window lays them
// out, with corpus photos of every Orientation: checked pixel by pixel and
// saved as PNG files under build/ for a person to look at.
#include <gtest/gtest.h>

#include <string>

#include "my_picture_image.h"
#include "my_picture_list_view.h"
#include "save_data.h"
#include "show_in_preview.h"
#include "strip_layout.h"
#include "views_win_support.h"

namespace {

const int kWidth = 1200;
const int kPreviewHeight = 420;

double MeanBrightness(const Capture& c, int left, int top, int right, int bottom) {
  double sum = 0;
  int n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      sum += c.Brightness(x, y);
      ++n;
    }
  }
  return n ? sum / n : 0.0;
}

// A portrait photo's thumbnail: 108 x 144 with black bands at the sides,
// the bright sky of the waterfall photos above the darker ground.
void ExpectUprightPortrait(const Capture& c, int cellX, int cellY, const std::string& what) {
  const int left = cellX + 2;
  const int top = cellY + 2;
  EXPECT_TRUE(c.IsBlack(left + 20, top + 70)) << what << ": left band";
  EXPECT_TRUE(c.IsBlack(left + 172, top + 70)) << what << ": right band";
  EXPECT_FALSE(c.IsBlack(left + 96, top + 70)) << what << ": picture";
  const double sky = MeanBrightness(c, left + 42, top, left + 150, top + 20);
  const double ground = MeanBrightness(c, left + 42, top + 110, left + 150, top + 125);
  EXPECT_GT(sky, ground + 20) << what << ": sky " << sky << ", ground " << ground;
}

TEST(Screenshot, PreviewAndStripShowEveryOrientationUpright) {
  const int stripHeight = StripHeight();
  TestHost host(kWidth, kPreviewHeight + stripHeight);
  SaveData_CL data;
  for (int i = 1; i <= 8; ++i) {
    data.photos.push_back(PhotoItem{CorpusPhoto((L"exr_orientation_f" + std::to_wstring(i) + L"t.jpg").c_str())});
  }
  for (int i = 1; i <= 8; ++i) {
    data.photos.push_back(
        PhotoItem{CorpusPhoto((L"exs_orientation_portrait_" + std::to_wstring(i) + L".jpg").c_str())});
  }
  MyPictureImage_CL preview;
  ASSERT_TRUE(preview.Create(host.Window(), PictureImage_CL::kPreviewControlId, kWidth, kPreviewHeight, 0, 0));
  preview.SetDisplayMode(kDisplayNaturalSize);
  data.previewControl = &preview;
  MyPictureListView_CL strip(&data.photos);
  ASSERT_TRUE(strip.Create(host.Window()));
  host.strip = &strip;
  SetUpStrip(strip, 0, kPreviewHeight, kWidth, static_cast<unsigned>(data.photos.size()));
  strip.Worker().SetTargetWindow(host.Window());
  strip.Worker().Start();

  struct View {
    int lastCell;   // brought into view at the right edge
    int previewed;  // the photo in the preview
    const wchar_t* file;
  };
  const View views[] = {{5, 13, L"views-1-f1-f6.png"}, {11, 12, L"views-2-f7-portrait4.png"},
                        {15, 15, L"views-3-portrait3-portrait8.png"}};
  for (const View& view : views) {
    strip.EnsureVisible(view.lastCell);
    strip.EnsureVisible(view.lastCell - 5);
    ShowInPreview(data, view.previewed);
    CaptureClient(host.Window());
    // Every thumbnail and the preview's own picture have arrived.
    ASSERT_TRUE(PumpUntil([&] {
      return host.decodesDone >= static_cast<int>(strip.Cache().Count()) && !preview.Waiting();
    }, 30000));
    const Capture shot = CaptureClient(host.Window());
    ASSERT_TRUE(shot.SavePng(ScreenshotPath(view.file)));

    const int hPos = strip.Grid().layout.Horizontal().position;
    for (int i = view.lastCell - 5; i <= view.lastCell; ++i) {
      const int x = i * kCellWidth - hPos;
      ASSERT_GE(x, 0);
      const std::string what = i < 8 ? "f" + std::to_string(i + 1) : "portrait_" + std::to_string(i - 7);
      if (i < 8) {
        ShowsUprightF(shot, x, kPreviewHeight, what.c_str());
      } else {
        ExpectUprightPortrait(shot, x, kPreviewHeight, what);
      }
      // Every cell has its caption.
      EXPECT_TRUE(shot.HasWhite(x + 10, kPreviewHeight + kCellHeight - 18, x + 186,
                                kPreviewHeight + kCellHeight - 1))
          << what << ": caption";
    }
    // The preview: the upright 450 x 600 photo fitted to 315 x 420, centred.
    const int left = (kWidth - 315) / 2;
    EXPECT_TRUE(shot.IsBlack(left - 3, 200)) << view.file;
    EXPECT_TRUE(shot.IsBlack(left + 318, 200)) << view.file;
    EXPECT_FALSE(shot.IsBlack(left + 157, 210)) << view.file;
    const double sky = MeanBrightness(shot, left + 20, 0, left + 295, 50);
    const double ground = MeanBrightness(shot, left + 20, 330, left + 295, 370);
    EXPECT_GT(sky, ground + 20) << view.file << ": preview upside down?";
  }
}

}  // namespace
