// The main window's thumbnail strip: the photo list as one row of
// thumbnails, decoded in the background by the strip's own worker. A cell
// whose thumbnail is not cached gets a blank placeholder at once and a
// decode request; the finished thumbnail, delivered to the main window by
// WM_DECODE_DONE, replaces the placeholder (AcceptDecoded): first the quick
// picture from the photo's embedded thumbnail, then the full decode. A cell
// whose file changed on disk since its thumbnail was decoded is decoded
// again when it is painted, showing the old thumbnail until then.
#pragma once

#include <cstddef>
#include <map>

#include "decode_image.h"
#include "photo_item.h"
#include "picture_list_view.h"
#include "popup_menu.h"

class MyPictureListView_CL : public PictureListView_CL {
 public:
  // photos: the shared photo list, read by index; not owned.
  explicit MyPictureListView_CL(const PhotoList* photos);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Stops the worker before anything else goes: requests still waiting are
  // dropped, the one in progress is finished.
  ~MyPictureListView_CL() override;
  void DrawCell(Gdiplus::Graphics& graphics, const RECT& cell, int index) override;
  // The cells of one paint ask for their thumbnails as one burst.
  void PaintAll(Gdiplus::Graphics& graphics) override;
  // A new photo list: results still on their way belong to the old one.
  HRESULT SetCount(unsigned count) override;

  // The strip's pop-up menu at the cursor, owned by the strip's parent.
  void ShowContextMenu();
  // The photo's full path: the caption shows only its name, shortened.
  std::wstring GetToolTipText(int index) override;
  // The lParam of a WM_DECODE_DONE: its thumbnail, if any, goes into the
  // cache under the photo's index and the strip repaints; the request is
  // deleted in every case. Only the cell's latest request counts, and only
  // while the cell's entry is still cached: a result for a photo that was
  // turned (its entry removed) or asked for again meanwhile shows the old
  // picture and is dropped.
  void AcceptDecoded(LPARAM lParam);

  // After photo index was turned a quarter (clockwise or not): its cached
  // thumbnail is made again in memory, without a decode. From upright (the
  // photo's turned picture, may be null) by the thumbnail rule when given;
  // otherwise the cached thumbnail's picture is turned. A thumbnail still
  // being decoded is asked for again. Results of decodes started before the
  // turn are dropped.
  void ShowTurned(int index, Gdiplus::Image* upright, bool clockwise);
  // The file at path was just turned by this program, which turns its
  // thumbnails to match (ShowTurned): the file's new stamp is taken for
  // every cell of it, so that the turn is not mistaken for a change made
  // elsewhere.
  void TakeStampAfterTurn(const std::wstring& path);
  // After photo index's file changed: its thumbnail is dropped and decoded
  // again when the cell is painted; results of decodes started before are
  // dropped.
  void ShowChanged(int index);

  // The owner sets the worker's target window and starts it after Create.
  DecodeImage_CL& Worker() { return worker; }

  static const ContextMenuEntry kContextMenu[];
  static const std::size_t kContextMenuSize;

 private:
  void Accept(DecodeImage_CL::ItemPtr item);
  // Queues a decode of cell index; false when there is no memory for it.
  bool Ask(int index, const std::wstring& path);
  // Whether the thumbnail cached for cell index no longer shows its file.
  bool Stale(int index, const std::wstring& path) const;

  const PhotoList* photos;
  DecodeImage_CL worker;
  // Per cell with a request on its way: that request's sequence number.
  std::map<int, int> pending;
  // Per cell: what its last full decode was made from.
  std::map<int, PictureOrigin> origins;
};
