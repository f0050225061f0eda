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

// A quarter turn of picture in memory, the same for every picture the pane
// keeps.
void TurnQuarter(Gdiplus::Bitmap* picture, bool clockwise) {
  if (picture) picture->RotateFlip(clockwise ? Gdiplus::Rotate90FlipNone : Gdiplus::Rotate270FlipNone);
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
  if (!kept.picture) return BitmapPtr();
  const int w = static_cast<int>(kept.picture->GetWidth());
  const int h = static_cast<int>(kept.picture->GetHeight());
  const FitSize fit = FitInside(width, height, w, h);
  if (fit.width == w && fit.height == h) {
    // Already the pane's size (the worker fitted it): a plain copy.
    BitmapPtr copy(kept.picture->Clone(0, 0, w, h, kPreviewPixelFormat));
    if (copy && copy->GetLastStatus() == Gdiplus::Ok) return copy;
  }
  return QuickFit(kept.picture.get(), width, height);
}

void MyPictureImage_CL::Request(const std::wstring& path, int width, int height) {
  if (!hwnd) return;
  loader.SetTarget(hwnd, WM_PREVIEW_DONE);
  // The asked-for photo goes first: it replaces a neighbour's decode still
  // waiting, and one in progress is dropped when it arrives.
  DropPrefetch();
  waitingSequence = loader.Request(path, width, height);
  waitingPath = path;
  waitingWidth = width;
  waitingHeight = height;
}

void MyPictureImage_CL::ShowPhoto(const std::wstring& path, int width, int height, Gdiplus::Bitmap* quick,
                                  const PhotoNeighbours* around) {
  const PhotoNeighbours now = around ? *around : PhotoNeighbours();
  if (now.before != wanted.before || now.after != wanted.after) prefetched[0] = prefetched[1] = false;
  wanted = now;
  if (!kept.Holds(path)) {
    // The photo shown so far may be a neighbour of this one: kept as such
    // (the old picture goes otherwise: three pane-sized pictures at most).
    KeptPhoto before = std::move(kept);
    ForgetPhoto();
    KeptPhoto* next = Neighbour(path);
    // A neighbour whose file changed since is not shown: it is decoded again.
    if (next && !next->origin.Stale(ReadFileStamp(path))) {
      kept = std::move(*next);
      *next = KeptPhoto();
    }
    KeepNeighbour(std::move(before));
  }
  KeepOnlyWantedNeighbours();
  if (kept.Holds(path)) {
    ShowFitted(KeptFitted(width, height));
    // A pane grown past what the kept picture was decoded for gets a
    // sharper one in the background; until then the kept one is enlarged.
    // So does a file that changed on disk; until then the old picture shows.
    const bool coversPane = CoversPane(width, height);
    const bool asked = Waiting() && waitingPath == path && waitingWidth >= width && waitingHeight >= height;
    if ((!coversPane || kept.origin.Stale(ReadFileStamp(path))) && !asked) Request(path, width, height);
    PrefetchWhenIdle();
    return;
  }
  ShowFitted(QuickFit(quick, width, height));
  // A neighbour's decode of this very photo on its way becomes the answer.
  if (prefetchSequence != 0 && prefetchPath == path && prefetchWidth >= width && prefetchHeight >= height) {
    waitingSequence = prefetchSequence;
    waitingPath = path;
    waitingWidth = prefetchWidth;
    waitingHeight = prefetchHeight;
    prefetchSequence = 0;
  }
  const bool asked = Waiting() && waitingPath == path && waitingWidth >= width && waitingHeight >= height;
  if (!asked) Request(path, width, height);
}

KeptPhoto* MyPictureImage_CL::Neighbour(const std::wstring& path) {
  for (KeptPhoto& neighbour : neighbours) {
    if (neighbour.Holds(path)) return &neighbour;
  }
  return nullptr;
}

Gdiplus::Bitmap* MyPictureImage_CL::KeptNeighbour(const std::wstring& path) const {
  for (const KeptPhoto& neighbour : neighbours) {
    if (neighbour.Holds(path)) return neighbour.picture.get();
  }
  return nullptr;
}

void MyPictureImage_CL::KeepNeighbour(KeptPhoto photo) {
  if (!photo.picture || (photo.path != wanted.before && photo.path != wanted.after)) return;
  if (photo.path == kept.path || Neighbour(photo.path)) return;
  for (KeptPhoto& neighbour : neighbours) {
    if (!neighbour.picture) {
      neighbour = std::move(photo);
      return;
    }
  }
}

void MyPictureImage_CL::KeepOnlyWantedNeighbours() {
  for (KeptPhoto& neighbour : neighbours) {
    const bool wantedOne = neighbour.path == wanted.before || neighbour.path == wanted.after;
    if (!wantedOne || neighbour.path == kept.path) neighbour = KeptPhoto();
  }
  if (prefetchPath != wanted.before && prefetchPath != wanted.after) DropPrefetch();
}

void MyPictureImage_CL::DropPrefetch() {
  if (prefetchSequence == 0) return;
  prefetchSequence = 0;
  // Not decoded after all: asked for again once the pane is idle.
  if (prefetchPath == wanted.after) prefetched[0] = false;
  if (prefetchPath == wanted.before) prefetched[1] = false;
}

void MyPictureImage_CL::PrefetchWhenIdle() {
  if (!hwnd || Waiting() || prefetchSequence != 0) return;
  const std::wstring* paths[2] = {&wanted.after, &wanted.before};
  for (int i = 0; i < 2; ++i) {
    const std::wstring& path = *paths[i];
    if (path.empty() || prefetched[i] || path == kept.path || Neighbour(path)) continue;
    prefetched[i] = true;
    const SIZE pane = PaneSize();
    loader.SetTarget(hwnd, WM_PREVIEW_DONE);
    prefetchSequence = loader.Request(path, pane.cx, pane.cy);
    prefetchPath = path;
    prefetchWidth = pane.cx;
    prefetchHeight = pane.cy;
    return;
  }
}

void MyPictureImage_CL::OnNeighbourLoaded(PreviewLoader_CL::ResultPtr result) {
  prefetchSequence = 0;
  // A damaged or cut-off file is left for the asked-for decode, which
  // retries it and shows what it can.
  if (result->picture && result->complete) {
    KeptPhoto photo;
    photo.path = result->path;
    photo.origin = PictureOrigin().Next(result->stamp, true);
    photo.full = Enlarged(prefetchWidth, prefetchHeight, static_cast<int>(result->picture->GetWidth()),
                          static_cast<int>(result->picture->GetHeight()));
    photo.picture = std::move(result->picture);
    KeepNeighbour(std::move(photo));
  }
  PrefetchWhenIdle();
}

void MyPictureImage_CL::ForgetNeighbours() {
  wanted = PhotoNeighbours();
  for (KeptPhoto& neighbour : neighbours) neighbour = KeptPhoto();
  prefetchSequence = 0;
}

void MyPictureImage_CL::OnLoaded(PreviewLoader_CL::ResultPtr result) {
  if (!result || result->sequence == 0) return;
  if (result->sequence == prefetchSequence) {
    OnNeighbourLoaded(std::move(result));
    return;
  }
  // Only the latest request counts: a photo clicked past, or turned since.
  if (result->sequence != waitingSequence) return;
  waitingSequence = 0;
  TakeAnswer(std::move(result));
  // Whatever the answer, the pane is idle after it.
  PrefetchWhenIdle();
}

void MyPictureImage_CL::TakeAnswer(PreviewLoader_CL::ResultPtr result) {
  const SIZE pane = PaneSize();
  const bool same = kept.picture && kept.path == result->path;
  if (!result->picture) {
    if (same && result->stamp == kept.origin.stamp) {
      // The file is as it was: the kept picture still shows it, and the
      // failure (out of memory, say) is not tried again at every paint.
      kept.origin.retried = true;
      return;
    }
    // A failure is not kept: the photo may be readable the next time.
    ForgetPhoto();
    ShowFitted(CannotShowPicture(pane.cx, pane.cy));
    return;
  }
  kept.origin = (same ? kept.origin : PictureOrigin()).Next(result->stamp, result->complete);
  kept.picture = std::move(result->picture);
  kept.path = result->path;
  kept.full = Enlarged(waitingWidth, waitingHeight, static_cast<int>(kept.picture->GetWidth()),
                      static_cast<int>(kept.picture->GetHeight()));
  ShowFitted(KeptFitted(pane.cx, pane.cy));
}

Gdiplus::Bitmap* MyPictureImage_CL::ShowTurned(const std::wstring& path, bool clockwise) {
  const SIZE pane = PaneSize();
  // A neighbour's decode on its way was made before the turn: asked again
  // once idle. A kept neighbour turns as the picture shown does.
  if (prefetchPath == path) DropPrefetch();
  KeptPhoto* neighbour = Neighbour(path);
  if (neighbour) TurnQuarter(neighbour->picture.get(), clockwise);
  if (kept.Holds(path)) {
    TurnQuarter(kept.picture.get(), clockwise);
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
    return kept.picture.get();
  }
  if (Waiting() && waitingPath == path) {
    if (Gdiplus::Bitmap* shown = Image()) {
      TurnQuarter(shown, clockwise);
      ShowFitted(QuickFit(shown, pane.cx, pane.cy));
    }
    Request(path, pane.cx, pane.cy);
  }
  PrefetchWhenIdle();
  return neighbour ? neighbour->picture.get() : nullptr;
}

void MyPictureImage_CL::BeforePaint() {
  for (PreviewLoader_CL::ResultPtr& result : loader.TakeUndelivered()) OnLoaded(std::move(result));
  if (!kept.picture || Waiting() || !kept.origin.Stale(ReadFileStamp(kept.path))) return;
  const SIZE pane = PaneSize();
  Request(kept.path, pane.cx, pane.cy);
}

void MyPictureImage_CL::TakeStampAfterTurn(const std::wstring& path) {
  if (kept.Holds(path)) kept.origin.stamp = ReadFileStamp(path);
  if (KeptPhoto* neighbour = Neighbour(path)) neighbour->origin.stamp = ReadFileStamp(path);
}

void MyPictureImage_CL::ShowChanged(const std::wstring& path) {
  // A neighbour's picture of it cannot be trusted either: decoded again.
  if (KeptPhoto* neighbour = Neighbour(path)) *neighbour = KeptPhoto();
  if (prefetchPath == path) DropPrefetch();
  if (path == wanted.after) prefetched[0] = false;
  if (path == wanted.before) prefetched[1] = false;
  const bool shown = (kept.picture && kept.path == path) || (Waiting() && waitingPath == path);
  if (!shown) return;
  // Nothing kept of it can be trusted: black until the file's own picture
  // arrives.
  ForgetPhoto();
  const SIZE pane = PaneSize();
  ShowFitted(BitmapPtr());
  Request(path, pane.cx, pane.cy);
}

bool MyPictureImage_CL::CoversPane(int width, int height) const {
  return kept.picture && (kept.full || !Enlarged(width, height, static_cast<int>(kept.picture->GetWidth()),
                                        static_cast<int>(kept.picture->GetHeight())));
}

void MyPictureImage_CL::ForgetPhoto() {
  kept.picture.reset();
  kept.path.clear();
  kept.origin = PictureOrigin();
  kept.full = false;
}

void MyPictureImage_CL::ShowNothing() {
  loader.CancelWaiting();
  waitingSequence = 0;
  ForgetPhoto();
  ForgetNeighbours();
  ShowFitted(BitmapPtr());
}

void MyPictureImage_CL::ShowFile(const std::wstring& path) {
  // A photo's picture still on its way must not replace this one.
  loader.CancelWaiting();
  waitingSequence = 0;
  ForgetNeighbours();
  if (!path.empty() && LoadedFile() == path) return;
  ForgetPhoto();
  LoadFile(path);
}

void MyPictureImage_CL::ShowContextMenu() {
  if (!hwnd) return;
  ShowPaneContextMenu(GetParent(hwnd), ProgramFolderFile(L"menu_image.bmp"), kContextMenu,
                      kContextMenuSize);
}
