// The preview filled from the shared photo list.
#include "show_in_preview.h"

#include "my_picture_image.h"
#include "my_picture_list_view.h"
#include "save_data.h"
#include "thumbnail_picture.h"

void ShowInPreview(SaveData_CL& data, int index) {
  MyPictureImage_CL* preview = data.previewControl;
  if (!preview || !preview->hwnd) return;
  // Fitted to the whole pane: a picture fitted to it needs no scroll bars.
  const SIZE pane = preview->PaneSize();
  if (index < 0 || static_cast<std::size_t>(index) >= data.photos.size()) {
    preview->ShowNothing();
    return;
  }
  // Until the photo's own picture arrives from the preview's worker, its
  // thumbnail from the strip stands in, so a click changes the pane at once.
  BitmapPtr quick;
  if (data.listControl) quick = ThumbnailPicture(data.listControl->Cache().Find(ThumbnailCacheKey(index)));
  // The photos on either side are kept decoded for the next move.
  const PhotoList& photos = data.photos;
  PhotoNeighbours around;
  const std::size_t at = static_cast<std::size_t>(index);
  if (at > 0) around.before = photos[at - 1].path;
  if (at + 1 < photos.size()) around.after = photos[at + 1].path;
  preview->ShowPhoto(photos[at].path, pane.cx, pane.cy, quick.get(), &around);
}
