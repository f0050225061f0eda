#include "my_picture_image.h"

#include "bitmap_builders.h"
#include "image_list.h"

// The second item reads differently from the window menu's.
const ContextMenuEntry MyPictureImage_CL::kContextMenu[] = {
    {191, L"左に９０度回転", 3},
    {192, L"右回９０度回転", 4},
    {0, nullptr, -1},
    {180, L"サポートサイトへ", 1},
};
const std::size_t MyPictureImage_CL::kContextMenuSize =
    sizeof(MyPictureImage_CL::kContextMenu) / sizeof(MyPictureImage_CL::kContextMenu[0]);

MyPictureImage_CL::~MyPictureImage_CL() {}

LRESULT MyPictureImage_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = PictureImage_CL::HandleMessage(window, message, wParam, lParam);
  if (message == WM_DROPFILES) {
    // The main window registers what was dropped, wherever it landed.
    SendMessageW(GetParent(window), WM_DROPFILES, wParam, lParam);
  }
  return result;
}

BitmapPtr MyPictureImage_CL::FittedPhoto(const std::wstring& path, int width, int height) {
  if (!hasKept || keptPath != path) {
    // The old picture goes first: two full-size photos at once may not fit
    // in a 32-bit process.
    ForgetPhoto();
    kept = DecodeUpright(path);
    keptPath = path;
    hasKept = true;
  }
  return FitCopy(kept.get(), width, height);
}

void MyPictureImage_CL::ForgetPhoto() {
  kept.reset();
  keptPath.clear();
  hasKept = false;
}

void MyPictureImage_CL::ShowFile(const std::wstring& path) {
  if (!path.empty() && LoadedFile() == path) return;
  ForgetPhoto();
  LoadFile(path);
}

void MyPictureImage_CL::ShowContextMenu() {
  if (!hwnd) return;
  ShowPaneContextMenu(GetParent(hwnd), ProgramFolderFile(L"menu_image.bmp"), kContextMenu,
                      kContextMenuSize);
}
