// The main window's preview pane: the picture pane that hands files dropped
// on it to the main window and offers the preview's pop-up menu. It keeps
// the upright full-size picture of the photo it shows, so that a new pane
// size costs a fit, not a decode.
#pragma once

#include <cstddef>
#include <string>

#include "picture_image.h"
#include "popup_menu.h"

class MyPictureImage_CL : public PictureImage_CL {
 public:
  MyPictureImage_CL() {}
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~MyPictureImage_CL() override;

  // The preview's pop-up menu at the cursor, owned by the pane's parent.
  void ShowContextMenu();

  // The photo at path, upright and fitted inside width x height (not yet
  // shown). The photo kept is only fitted again; another is decoded and
  // kept in its place. Null when the photo cannot be read or decoded; that
  // is kept too, so that resizing does not try the file again and again.
  BitmapPtr FittedPhoto(const std::wstring& path, int width, int height);
  // Lets go of the kept picture: the next FittedPhoto decodes the file
  // again (after a turn has changed its Orientation).
  void ForgetPhoto();
  // The upright full-size picture kept; null when none is.
  Gdiplus::Bitmap* KeptPicture() const { return kept.get(); }

  // A picture of the program's own at its natural size (LoadFile), in place
  // of any photo. Nothing happens when it is shown already: at its own size
  // it needs nothing from a new pane size.
  void ShowFile(const std::wstring& path);

  static const ContextMenuEntry kContextMenu[];
  static const std::size_t kContextMenuSize;

 private:
  BitmapPtr kept;
  std::wstring keptPath;
  bool hasKept = false;  // also when the photo kept could not be decoded
};
