#include "my_picture_list_view.h"

#include "bitmap_builders.h"
#include "exception_guard.h"
#include "image_list.h"
#include "picture_width.h"
#include "resource_ids.h"
#include "shell_helpers.h"
#include "thumbnail_picture.h"

// The window menu's texts, so that a command reads alike wherever it is chosen.
const ContextMenuEntry MyPictureListView_CL::kContextMenu[] = {
    {IDM_ROTATE_LEFT, L"左に９０度回転", 3},
    {IDM_ROTATE_RIGHT, L"右に９０度回転", 4},
    {0, nullptr, -1},
    {IDM_SUPPORT_SITE, L"サポートサイトへ", 1},
};
const std::size_t MyPictureListView_CL::kContextMenuSize =
    sizeof(MyPictureListView_CL::kContextMenu) / sizeof(MyPictureListView_CL::kContextMenu[0]);

MyPictureListView_CL::MyPictureListView_CL(const PhotoList* photos) : photos(photos) {
  emptyHint =
      L"写真がありません。\n"
      L"「ファイルを開く」「フォルダを開く」で開くか、写真やフォルダをここへドロップしてください。";
}

MyPictureListView_CL::~MyPictureListView_CL() { worker.Shutdown(); }

LRESULT MyPictureListView_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_CLOSE) {
    handled = 1;
    return 0;
  }
  const LRESULT result = PictureListBase_CL::HandleMessage(window, message, wParam, lParam);
  if (message == WM_DROPFILES) {
    // The main window registers what was dropped, wherever it landed.
    SendMessageW(GetParent(window), WM_DROPFILES, wParam, lParam);
  }
  return result;
}

void MyPictureListView_CL::PaintAll(Gdiplus::Graphics& graphics) {
  // Results whose message could not be posted arrive here instead.
  for (DecodeImage_CL::ItemPtr& item : worker.TakeUndelivered()) Accept(std::move(item));
  worker.BeginBurst();
  PictureListView_CL::PaintAll(graphics);
  worker.EndBurst();
}

void MyPictureListView_CL::DrawCell(Gdiplus::Graphics& graphics, const RECT& cell, int index) {
  DrawTile(graphics, cell);
  if (!photos || !grid.IsItem(index) || static_cast<std::size_t>(index) >= photos->size()) return;
  const std::wstring& path = (*photos)[static_cast<std::size_t>(index)].path;
  if (PictureWidth(path) > 0) {
    const std::uint64_t key = ThumbnailCacheKey(index);
    if (Gdiplus::Bitmap* thumbnail = cache.Find(key)) {
      DrawThumbnail(graphics, thumbnail, cell);
      // Shown as it is until the new one comes; asked for once per change.
      if (Stale(index, path)) Ask(index, path);
    } else {
      const int width = grid.layout.ThumbnailWidth();
      const int height = grid.layout.ThumbnailHeight();
      BitmapPtr placeholder = CreateBitmap(width, height, kThumbnailPixelFormat);
      if (placeholder) {
        Gdiplus::Graphics blank(placeholder.get());
        blank.Clear(Gdiplus::Color(0xFF000000));
      }
      Gdiplus::Bitmap* shown = placeholder.get();
      // Cached before the request is queued: while it is there, later paints
      // find it and ask for nothing more.
      if (cache.Add(key, std::move(placeholder)) != S_OK) shown = nullptr;
      DrawThumbnail(graphics, shown, cell);
      // Without a request on its way the placeholder goes again, so the next
      // paint asks once more.
      if (!Ask(index, path)) cache.Remove(key);
    }
  } else {
    DrawCannotShow(graphics, cell);
  }
  DrawCaption(graphics, path, static_cast<float>(cell.left), static_cast<float>(cell.bottom - 1),
              static_cast<float>(cell.right - cell.left - 1));
}

bool MyPictureListView_CL::Ask(int index, const std::wstring& path) {
  DecodeImage_CL::ItemPtr item =
      DecodeImage_CL::NewItem(path, grid.layout.ThumbnailWidth(), grid.layout.ThumbnailHeight());
  if (!item) return false;
  item->cacheKey = index;
  const int sequence = worker.Enqueue(std::move(item));
  return sequence != 0 && RunGuarded([&] { pending[index] = sequence; });
}

bool MyPictureListView_CL::Stale(int index, const std::wstring& path) const {
  if (pending.count(index) != 0) return false;
  const auto origin = origins.find(index);
  return origin != origins.end() && origin->second.Stale(ReadFileStamp(path));
}

void MyPictureListView_CL::TakeStampAfterTurn(const std::wstring& path) {
  if (!photos) return;
  const FileStamp stamp = ReadFileStamp(path);
  for (auto& origin : origins) {
    const std::size_t index = static_cast<std::size_t>(origin.first);
    if (index < photos->size() && (*photos)[index].path == path) origin.second.stamp = stamp;
  }
}

HRESULT MyPictureListView_CL::SetCount(unsigned count) {
  pending.clear();
  origins.clear();
  return PictureListView_CL::SetCount(count);
}

void MyPictureListView_CL::AcceptDecoded(LPARAM lParam) { Accept(DecodeImage_CL::TakeItem(lParam)); }

void MyPictureListView_CL::Accept(DecodeImage_CL::ItemPtr item) {
  if (!item) return;
  const auto wanted = pending.find(item->cacheKey);
  if (wanted == pending.end() || wanted->second != item->sequence) return;
  if (!item->preliminary) pending.erase(wanted);
  const std::uint64_t key = ThumbnailCacheKey(item->cacheKey);
  if (!cache.Contains(key)) return;
  if (!item->preliminary) {
    // A failure is remembered too, so that it is tried again only once the
    // file changes, not at every paint.
    RunGuarded([&] {
      PictureOrigin& origin = origins[item->cacheKey];
      origin = origin.Next(item->stamp, item->complete && item->result);
    });
  }
  if (!item->result) return;
  cache.Add(key, std::move(item->result));
  Invalidate();
}

void MyPictureListView_CL::ShowTurned(int index, Gdiplus::Image* upright, bool clockwise) {
  const std::uint64_t key = ThumbnailCacheKey(index);
  const auto wanted = pending.find(index);
  const bool decoding = wanted != pending.end();
  // Whatever is on its way shows the photo as it was.
  if (decoding) pending.erase(wanted);
  BitmapPtr turned;
  if (upright) {
    turned = RenderThumbnail(upright, grid.layout.ThumbnailWidth(), grid.layout.ThumbnailHeight());
  } else if (!decoding) {
    turned = TurnedThumbnail(cache.Find(key), clockwise);
  }
  if (turned) {
    cache.Add(key, std::move(turned));
  } else {
    // Decoded again from the file when the cell is painted.
    cache.Remove(key);
  }
  InvalidateItem(index);
}

std::wstring MyPictureListView_CL::GetToolTipText(int index) {
  if (!photos || index < 0 || static_cast<std::size_t>(index) >= photos->size()) return std::wstring();
  return (*photos)[static_cast<std::size_t>(index)].path;
}

void MyPictureListView_CL::ShowChanged(int index) {
  pending.erase(index);
  cache.Remove(ThumbnailCacheKey(index));
  Invalidate();
}

void MyPictureListView_CL::ShowContextMenu() {
  if (!hwnd) return;
  ShowPaneContextMenu(GetParent(hwnd), ProgramFolderFile(L"menu_image.bmp"), kContextMenu,
                      kContextMenuSize);
}
