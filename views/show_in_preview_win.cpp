// SaveData_CL::ShowInPreview lives with the preview it fills.
#include "my_picture_image.h"
#include "save_data.h"

void SaveData_CL::ShowInPreview(int index) {
  MyPictureImage_CL* preview = previewControl;
  if (!preview || !preview->hwnd) return;
  // A pane that has just shrunk may show bars for the picture fitted to its
  // old size; the new picture is fitted to the whole pane and needs none.
  const SIZE pane = preview->PaneSize();
  BitmapPtr fitted;
  if (index >= 0 && static_cast<std::size_t>(index) < photos.size()) {
    // Shrunk to the pane here, so that repaints only draw a bitmap of the
    // pane's size. The photo is decoded only when it is not the one the
    // preview keeps, so a resize costs a fit. A photo that cannot be read
    // leaves the pane black.
    fitted = preview->FittedPhoto(photos[static_cast<std::size_t>(index)].path, pane.cx, pane.cy);
  }
  preview->SetImage(std::move(fitted));
  preview->HideScrollBars();
  preview->UpdateScrollBars();
  InvalidateRect(preview->hwnd, NULL, FALSE);
}
