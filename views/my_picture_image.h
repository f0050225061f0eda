// The main window's preview pane: the picture pane that hands files dropped
// on it to the main window and offers the preview's pop-up menu.
#pragma once

#include <cstddef>

#include "picture_image.h"
#include "popup_menu.h"

class MyPictureImage_CL : public PictureImage_CL {
 public:
  MyPictureImage_CL() {}
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~MyPictureImage_CL() override;

  // The preview's pop-up menu at the cursor, owned by the pane's parent.
  void ShowContextMenu();

  static const ContextMenuEntry kContextMenu[];
  static const std::size_t kContextMenuSize;
};
