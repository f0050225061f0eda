// The buttons of the main window's toolbar.
#pragma once

#include <windows.h>

#include <string>

#include "image_list.h"
#include "tool_bar.h"

// Width of the images in "ToolBar.bmp".
const int kToolbarImageWidth = 48;

// Creates the toolbar in parent with the images of the strip in imagePath
// (none when it is missing) and its buttons: open file, open folder, a
// separator, turn left, turn right. Returns the toolbar window.
HWND BuildMainToolbar(ToolBar_CL& toolbar, ImageList_CL& images, HWND parent,
                      const std::wstring& imagePath);
