#include "my_picture_image.h"

#include <algorithm>

#include "bitmap_builders.h"
#include "cannot_show.h"
#include "fit_rect.h"
#include "image_list.h"
#include "picture_scaler.h"
#include "resource_ids.h"
#include "shell_helpers.h"
#include "thread_messages.h"

// The window menu's texts, so that a command reads alike wherever it is chosen.
const ContextMenuEntry MyPictureImage_CL::kContextMenu[] = {
    {IDM_ROTATE_LEFT, L"左に９０度回転", 3},
    {IDM_ROTATE_RIGHT, L"右に９０度回転", 4},
    {0, nullptr, -1},
    {IDM_SUPPORT_SITE, L"サポートサイトへ", 1},
};
const std::size_t MyPictureImage_CL::kContextMenuSize =
    sizeof(MyPictureImage_CL::kContextMenu) / sizeof(MyPictureImage_CL::kContextMenu[0]);

namespace {

// picture fitted inside width x height: resampled directly when the scale
// allows it (see ScaleBilinear), through GDI+ when it shrinks more.
BitmapPtr QuickFit(Gdiplus::Bitmap* picture, int width, int height) {
  if (!picture) return BitmapPtr();
  const int w = static_cast<int>(picture->GetWidth());
  const int h = static_cast<int>(picture->GetHeight());
  const FitSize fit = FitInside(width, height, w, h);
  if (fit.width <= 0 || fit.height <= 0) return BitmapPtr();
  if (2 * fit.width >= w && 2 * fit.height >= h) {
    if (BitmapPtr scaled = ScaleBilinear(picture, fit.width, fit.height)) return scaled;
  }
  return FitCopy(picture, width, height);
}

// Whether a w x h picture fitted into width x height would be enlarged.
bool Enlarged(int width, int height, int w, int h) {
  const FitSize fit = FitInside(width, height, w, h);
  return fit.width > w || fit.height > h;
}

}  // namespace

MyPictureImage_CL::MyPictureImage_CL() {}

BitmapPtr MyPictureImage_CL::DecodeForPane(const std::wstring& path, int width, int height, bool* complete) {
  BitmapPtr picture = DecodeUprightFor(path, width, height, complete);
  if (!picture) return picture;
  const int w = static_cast<int>(picture->GetWidth());
  const int h = static_cast<int>(picture->GetHeight());
  const FitSize fit = FitInside(width, height, w, h);
  if (fit.width <= 0 || fit.height <= 0 || (fit.width >= w && fit.height >= h)) return picture;
  // Kept as it is when no memory is left for the smaller copy. The decode
  // already came close to the pane, so this is usually a direct resample,
  // much cheaper than GDI+'s scaled drawing.
  BitmapPtr fitted = QuickFit(picture.get(), width, height);
  return fitted ? std::move(fitted) : std::move(picture);
}

MyPictureImage_CL::~MyPictureImage_CL() { loader.ShutdownAndDrain(); }

LRESULT MyPictureImage_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PREVIEW_DONE) {
    handled = 1;
    OnLoaded(PreviewLoader_CL::TakeResult(lParam));
    return 0;
  }
  // The system drops a destroyed window's messages unread: what they carry
  // is deleted while it can still be found.
  if (message == WM_DESTROY) loader.ShutdownAndDrain();
  if (message == WM_PAINT) BeforePaint();
  const LRESULT result = PictureImage_CL::HandleMessage(window, message, wParam, lParam);
  if (message == WM_DROPFILES) {
    // The main window registers what was dropped, wherever it landed.
    SendMessageW(GetParent(window), WM_DROPFILES, wParam, lParam);
  }
  return result;
}

void MyPictureImage_CL::ShowFitted(BitmapPtr fitted) {
  // A pane that has just shrunk may show bars for the picture fitted to its
  // old size; the new picture is fitted to the whole pane and needs none.
  // Taken away first, so that the pane is painted once, at its whole size.
  HideScrollBars();
  SetImage(std::move(fitted));
  UpdateScrollBars();
}

BitmapPtr MyPictureImage_CL::KeptFitted(int width, int height) const {
  if (!kept) return BitmapPtr();
  const int w = static_cast<int>(kept->GetWidth());
  const int h = static_cast<int>(kept->GetHeight());
  const FitSize fit = FitInside(width, height, w, h);
  if (fit.width == w && fit.height == h) {
    // Already the pane's size (the worker fitted it): a plain copy.
    BitmapPtr copy(kept->Clone(0, 0, w, h, kPreviewPixelFormat));
    if (copy && copy->GetLastStatus() == Gdiplus::Ok) return copy;
  }
  return QuickFit(kept.get(), width, height);
}

void MyPictureImage_CL::Request(const std::wstring& path, int width, int height) {
  if (!hwnd) return;
  loader.SetTarget(hwnd, WM_PREVIEW_DONE);
  waitingSequence = loader.Request(path, width, height);
  waitingPath = path;
  waitingWidth = width;
  waitingHeight = height;
}

void MyPictureImage_CL::ShowPhoto(const std::wstring& path, int width, int height, Gdiplus::Bitmap* quick) {
  if (kept && keptPath == path) {
    ShowFitted(KeptFitted(width, height));
    // A pane grown past what the kept picture was decoded for gets a
    // sharper one in the background; until then the kept one is enlarged.
    // So does a file that changed on disk; until then the old picture shows.
    const bool coversPane = CoversPane(width, height);
    const bool asked = Waiting() && waitingPath == path && waitingWidth >= width && waitingHeight >= height;
    if ((!coversPane || keptOrigin.Stale(ReadFileStamp(path))) && !asked) Request(path, width, height);
    return;
  }
  // The old picture goes first: two large pictures at once may not fit in a
  // 32-bit process.
  ForgetPhoto();
  ShowFitted(QuickFit(quick, width, height));
  const bool asked = Waiting() && waitingPath == path && waitingWidth >= width && waitingHeight >= height;
  if (!asked) Request(path, width, height);
}

void MyPictureImage_CL::OnLoaded(PreviewLoader_CL::ResultPtr result) {
  // Only the latest request counts: a photo clicked past, or turned since.
  if (!result || result->sequence == 0 || result->sequence != waitingSequence) return;
  waitingSequence = 0;
  const SIZE pane = PaneSize();
  const bool same = kept && keptPath == result->path;
  if (!result->picture) {
    if (same && result->stamp == keptOrigin.stamp) {
      // The file is as it was: the kept picture still shows it, and the
      // failure (out of memory, say) is not tried again at every paint.
      keptOrigin.retried = true;
      return;
    }
    // A failure is not kept: the photo may be readable the next time.
    ForgetPhoto();
    ShowFitted(CannotShowPicture(pane.cx, pane.cy));
    return;
  }
  keptOrigin = (same ? keptOrigin : PictureOrigin()).Next(result->stamp, result->complete);
  kept = std::move(result->picture);
  keptPath = result->path;
  keptFull = Enlarged(waitingWidth, waitingHeight, static_cast<int>(kept->GetWidth()),
                      static_cast<int>(kept->GetHeight()));
  ShowFitted(KeptFitted(pane.cx, pane.cy));
}

Gdiplus::Bitmap* MyPictureImage_CL::ShowTurned(const std::wstring& path, bool clockwise) {
  const Gdiplus::RotateFlipType turn = clockwise ? Gdiplus::Rotate90FlipNone : Gdiplus::Rotate270FlipNone;
  const SIZE pane = PaneSize();
  if (kept && keptPath == path) {
    kept->RotateFlip(turn);
    ShowFitted(KeptFitted(pane.cx, pane.cy));
    if (Waiting() && waitingPath == path) {
      // A sharper picture on its way was decoded before the turn.
      Request(path, std::max(waitingWidth, static_cast<int>(pane.cx)),
              std::max(waitingHeight, static_cast<int>(pane.cy)));
    } else if (!CoversPane(pane.cx, pane.cy)) {
      // Turned, a picture fitted to the pane's other shape is enlarged: a
      // sharper one is asked for in the background, as after a click.
      Request(path, pane.cx, pane.cy);
    }
    return kept.get();
  }
  if (Waiting() && waitingPath == path) {
    if (Gdiplus::Bitmap* shown = Image()) {
      shown->RotateFlip(turn);
      ShowFitted(QuickFit(shown, pane.cx, pane.cy));
    }
    Request(path, pane.cx, pane.cy);
  }
  return nullptr;
}

void MyPictureImage_CL::BeforePaint() {
  for (PreviewLoader_CL::ResultPtr& result : loader.TakeUndelivered()) OnLoaded(std::move(result));
  if (!kept || Waiting() || !keptOrigin.Stale(ReadFileStamp(keptPath))) return;
  const SIZE pane = PaneSize();
  Request(keptPath, pane.cx, pane.cy);
}

void MyPictureImage_CL::TakeStampAfterTurn(const std::wstring& path) {
  if (kept && keptPath == path) keptOrigin.stamp = ReadFileStamp(path);
}

void MyPictureImage_CL::ShowChanged(const std::wstring& path) {
  const bool shown = (kept && keptPath == path) || (Waiting() && waitingPath == path);
  if (!shown) return;
  // Nothing kept of it can be trusted: black until the file's own picture
  // arrives.
  ForgetPhoto();
  const SIZE pane = PaneSize();
  ShowFitted(BitmapPtr());
  Request(path, pane.cx, pane.cy);
}

bool MyPictureImage_CL::CoversPane(int width, int height) const {
  return kept && (keptFull || !Enlarged(width, height, static_cast<int>(kept->GetWidth()),
                                        static_cast<int>(kept->GetHeight())));
}

void MyPictureImage_CL::ForgetPhoto() {
  kept.reset();
  keptPath.clear();
  keptOrigin = PictureOrigin();
  keptFull = false;
}

void MyPictureImage_CL::ShowNothing() {
  loader.CancelWaiting();
  waitingSequence = 0;
  ForgetPhoto();
  ShowFitted(BitmapPtr());
}

void MyPictureImage_CL::ShowFile(const std::wstring& path) {
  // A photo's picture still on its way must not replace this one.
  loader.CancelWaiting();
  waitingSequence = 0;
  if (!path.empty() && LoadedFile() == path) return;
  ForgetPhoto();
  LoadFile(path);
}

void MyPictureImage_CL::ShowContextMenu() {
  if (!hwnd) return;
  ShowPaneContextMenu(GetParent(hwnd), ProgramFolderFile(L"menu_image.bmp"), kContextMenu,
                      kContextMenuSize);
}
