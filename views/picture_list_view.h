// The picture grid as a list of photo thumbnails with file-name captions:
// each cell is a black tile with the thumbnail at the thumbnail offset and
// the file name in white along its bottom edge. Owns the thumbnail cache and
// the caption font. Its own painter renders missing thumbnails at once; the
// application's strip replaces it with one that decodes in the background.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "movie_bitmap_chche_base.h"
#include "picture_list_base.h"

class PictureListView_CL : public PictureListBase_CL {
 public:
  PictureListView_CL();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  ~PictureListView_CL() override;
  void DrawCell(Gdiplus::Graphics& graphics, const RECT& cell, int index) override;
  void PaintAll(Gdiplus::Graphics& graphics) override;
  void SetUserValue(int value) override;
  // Empties the thumbnail cache as well: no thumbnail outlives the count.
  HRESULT SetCount(unsigned count) override;

  MovieBitmapChcheBase_CL& Cache() { return cache; }
  // The captions and notes in a font of their size at dpi.
  void SetFontDpi(int dpi);
  const Gdiplus::Font* CaptionFont() const { return captionFont.get(); }
  // The text a caption box of this width shows for path: the file name,
  // shortened in its middle when it does not fit.
  std::wstring CaptionShown(Gdiplus::Graphics& graphics, const std::wstring& path, float width);

  // One full photo path per item, for users of this class itself.
  std::vector<std::wstring> paths;
  // Drawn in the middle of the list while it has no items; none when empty.
  std::wstring emptyHint;

 protected:
  // The black tile; one pixel at the right and the bottom keeps the
  // background colour between cells.
  void DrawTile(Gdiplus::Graphics& graphics, const RECT& cell);
  // A bitmap at its own size at the cell's thumbnail offset.
  void DrawThumbnail(Gdiplus::Graphics& graphics, Gdiplus::Bitmap* bitmap, const RECT& cell);
  // The caption of path, centred in a box of the given width whose bottom
  // lies on bottomEdge.
  void DrawCaption(Gdiplus::Graphics& graphics, const std::wstring& path, float left, float bottomEdge,
                   float width);

  // In place of the thumbnail of a photo that cannot be shown.
  void DrawCannotShow(Gdiplus::Graphics& graphics, const RECT& cell);

  MovieBitmapChcheBase_CL cache;
  std::unique_ptr<Gdiplus::Font> captionFont;
  std::unique_ptr<Gdiplus::Font> noteFont;
};
