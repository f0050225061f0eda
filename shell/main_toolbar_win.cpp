#include "main_toolbar.h"

#include <utility>

#include "main_layout_sizes.h"
#include "resource_ids.h"
#include "window_dpi.h"

namespace {

struct MainButton {
  int image;
  int command;
  const wchar_t* label;
};

// Images: 0 open file, 1 turn left, 2 turn right, 3 open folder.
const MainButton kButtons[] = {
    {0, IDM_OPEN_FILES, L"ファイルを開く"},
    {3, IDM_OPEN_FOLDER, L"フォルダを開く"},
    {1, IDM_ROTATE_LEFT, L"左に９０度回転"},
    {2, IDM_ROTATE_RIGHT, L"右に９０度回転"},
};
// The separator comes after this many buttons.
const int kButtonsBeforeSeparator = 2;

}  // namespace

HWND BuildMainToolbar(ToolBar_CL& toolbar, ImageList_CL& images, HWND parent, const std::wstring& imagePath,
                      int dpi) {
  const HWND window = toolbar.CreateToolbar(parent);
  if (!window) return NULL;
  images.LoadBitmapStripForDpi(imagePath, kToolbarImageWidth, dpi);
  toolbar.SetImageList(images.Handle());
  int record = 0;
  for (const MainButton& b : kButtons) {
    if (record == kButtonsBeforeSeparator) {
      ToolButton separator;
      separator.button.fsStyle = TBSTYLE_SEP;
      toolbar.AddToolButton(NULL, separator);
    }
    ToolButton& button = toolbar.Button(record++);
    button.button.iBitmap = b.image;
    button.button.idCommand = b.command;
    toolbar.AddToolButton(b.label, button);
  }
  return window;
}

void SetMainToolbarDpi(ToolBar_CL& toolbar, ImageList_CL& images, UniqueFont& labelFont,
                       const std::wstring& imagePath, int dpi) {
  if (images.LoadBitmapStripForDpi(imagePath, kToolbarImageWidth, dpi) != 0) {
    toolbar.SetImageList(images.Handle());
  }
  UniqueFont font(CreateIconTitleFont(dpi));
  if (!font) return;
  toolbar.SetFont(font.Get());
  labelFont = std::move(font);
}
