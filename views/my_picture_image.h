// The main window's preview pane: the picture pane that hands files dropped
// on it to the main window and offers the preview's pop-up menu. Photos are
// decoded on the pane's own worker, newest request first; the pane keeps the
// upright picture of the photo it shows, so that a new pane size costs a
// fit and a turn a quarter turn in memory, not a decode. While nothing is
// asked for, the worker decodes the photos before and after the one shown
// at pane size and the pane keeps them too (three pictures at most), so
// that moving to a neighbour shows it sharp at once.
#pragma once

#include <cstddef>
#include <string>

#include "kept_photo.h"
#include "picture_image.h"
#include "popup_menu.h"
#include "preview_loader.h"

class MyPictureImage_CL : public PictureImage_CL {
 public:
  MyPictureImage_CL();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Ends the worker first; results still on their way are deleted (already
  // at the window's WM_DESTROY, while its messages can still be read).
  ~MyPictureImage_CL() override;

  // The preview's pop-up menu at the cursor, owned by the pane's parent.
  void ShowContextMenu();

  // Shows the photo at path fitted inside width x height. The photo kept is
  // only fitted again, at once, and decoded again in the background when its
  // file changed since (see PictureOrigin); so is it at a repaint. Any other photo is decoded on the worker
  // (the newest request wins); until its picture arrives the pane shows
  // quick, a small picture of the same photo (its thumbnail; may be null:
  // black), enlarged. A photo that cannot be read shows "表示できません" and
  // is not kept: showing it again tries the file again.
  // around names the photo's neighbours in the list: a picture kept of one
  // of them is shown at once (unless its file changed since), the pictures
  // of other photos go, and once the pane is idle the worker decodes the
  // neighbours not kept yet. Without it no neighbour is kept.
  void ShowPhoto(const std::wstring& path, int width, int height, Gdiplus::Bitmap* quick,
                 const PhotoNeighbours* around = nullptr);
  // After the photo at path was turned a quarter (clockwise or not): the
  // picture kept of it is turned in memory and shown at once, and returned.
  // A neighbour's kept picture is turned the same way (and returned when
  // the photo shown is another).
  // Null when no picture of that photo is kept: a decode of it on its way is
  // started again (its old result would be stale) and what the pane shows
  // meanwhile is turned; another photo's picture stays as it is.
  // When the turned picture no longer covers the pane, a sharper one is
  // asked for in the background.
  Gdiplus::Bitmap* ShowTurned(const std::wstring& path, bool clockwise);
  // The file at path was just turned by this program, which turns the kept
  // picture to match (ShowTurned): the file's new stamp is taken, so that
  // the turn is not mistaken for a change made elsewhere.
  void TakeStampAfterTurn(const std::wstring& path);
  // After the file at path changed in a way no picture in memory can follow:
  // when it is the photo shown, what is kept of it goes and it is decoded
  // again.
  void ShowChanged(const std::wstring& path);
  // Lets go of the kept picture: the next ShowPhoto decodes the file again.
  void ForgetPhoto();
  // Lets go of the neighbours' pictures and of their decode on its way.
  void ForgetNeighbours();
  // The upright picture kept; null when none is.
  Gdiplus::Bitmap* KeptPicture() const { return kept.picture.get(); }
  // The picture kept of a neighbour at path; null when none is.
  Gdiplus::Bitmap* KeptNeighbour(const std::wstring& path) const;
  // True while a photo's picture is on its way from the worker.
  bool Waiting() const { return waitingSequence != 0; }
  // True while a neighbour's picture is on its way from the worker.
  bool Prefetching() const { return prefetchSequence != 0; }

  // A black pane; a photo's picture still on its way is dropped.
  void ShowNothing();

  // A picture of the program's own at its natural size (LoadFile), in place
  // of any photo. Nothing happens when it is shown already: at its own size
  // it needs nothing from a new pane size.
  void ShowFile(const std::wstring& path);

  static const ContextMenuEntry kContextMenu[];
  static const std::size_t kContextMenuSize;

 private:
  // Shows a picture fitted to the whole pane (so without scroll bars).
  void ShowFitted(BitmapPtr fitted);
  // The kept picture fitted inside width x height; null without one.
  BitmapPtr KeptFitted(int width, int height) const;
  // Whether the kept picture fits inside width x height without being
  // enlarged (or is the photo's full size anyway).
  bool CoversPane(int width, int height) const;
  void Request(const std::wstring& path, int width, int height);
  void OnLoaded(PreviewLoader_CL::ResultPtr result);
  // The answer to the photo asked for: kept and shown, or its failure.
  void TakeAnswer(PreviewLoader_CL::ResultPtr result);
  // Before a paint: answers whose message was lost are taken, and the kept
  // picture is asked for again when its file changed.
  void BeforePaint();

  // The worker's decode: the upright picture, shrunk to the pane there when
  // it came larger, so that fits and turns on this thread stay small.
  static BitmapPtr DecodeForPane(const std::wstring& path, int width, int height, bool* complete);

  // The neighbour's picture kept for path; null when none is.
  KeptPhoto* Neighbour(const std::wstring& path);
  // Keeps photo as a neighbour when it is one of the neighbours wanted.
  void KeepNeighbour(KeptPhoto photo);
  // Drops what is not a neighbour wanted now.
  void KeepOnlyWantedNeighbours();
  // Asks the worker for a neighbour not kept yet, when nothing else is
  // waiting.
  void PrefetchWhenIdle();
  void OnNeighbourLoaded(PreviewLoader_CL::ResultPtr result);
  // Gives up the neighbour's decode on its way: its answer is dropped.
  void DropPrefetch();

  PreviewLoader_CL loader{&MyPictureImage_CL::DecodeForPane};
  KeptPhoto kept;
  // The photos before and after the one shown, their pictures once decoded,
  // and whether each (after, before) was asked for since they became the
  // neighbours (a photo that cannot be read is not asked for again and
  // again).
  PhotoNeighbours wanted;
  KeptPhoto neighbours[2];
  bool prefetched[2] = {false, false};
  // A neighbour's decode on its way (0: none), its photo and its size.
  int prefetchSequence = 0;
  std::wstring prefetchPath;
  int prefetchWidth = 0;
  int prefetchHeight = 0;
  // The request on its way (0: none), its photo and the size it was for.
  int waitingSequence = 0;
  std::wstring waitingPath;
  int waitingWidth = 0;
  int waitingHeight = 0;
};
