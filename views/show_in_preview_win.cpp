// SaveData_CL::ShowInPreview lives with the preview it fills.
#include "bitmap_builders.h"
#include "my_picture_image.h"
#include "save_data.h"

void SaveData_CL::ShowInPreview(int index) {
  MyPictureImage_CL* preview = previewControl;
  if (!preview || !preview->hwnd) return;
  RECT client;
  GetClientRect(preview->hwnd, &client);
  BitmapPtr fitted;
  if (index >= 0 && static_cast<std::size_t>(index) < photos.size()) {
    // Decoded once, made upright and shrunk to the pane here, so that
    // repaints only draw a bitmap of the pane's size. A photo that cannot
    // be read leaves the pane black.
    fitted = LoadPreview(photos[static_cast<std::size_t>(index)].path, client.right, client.bottom);
  }
  preview->SetImage(std::move(fitted));
  preview->UpdateScrollBars();
  InvalidateRect(preview->hwnd, NULL, FALSE);
}
