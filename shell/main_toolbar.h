// The buttons of the main window's toolbar.
#pragma once

#include <windows.h>

#include <string>

#include "image_list.h"
#include "tool_bar.h"
#include "win_handles.h"

// Creates the toolbar in parent with the images of the strip in imagePath
// (none when it is missing) drawn nearest to dpi and its buttons: open file,
// open folder, a separator, turn left, turn right. Returns the toolbar
// window.
HWND BuildMainToolbar(ToolBar_CL& toolbar, ImageList_CL& images, HWND parent, const std::wstring& imagePath,
                      int dpi = 96);

// Images and label font for dpi, the buttons sized for them in full. The
// font is kept in labelFont, which must outlive the toolbar's use of it.
void SetMainToolbarDpi(ToolBar_CL& toolbar, ImageList_CL& images, UniqueFont& labelFont,
                       const std::wstring& imagePath, int dpi);
