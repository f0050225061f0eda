#include "picture_list_view.h"

#include "bitmap_builders.h"
#include "cannot_show.h"
#include "caption_text.h"
#include "draw_pixels.h"
#include "picture_width.h"
#include "ui_font.h"

namespace {

// The strip's focus frame is 4 pixels wide along the cell's left and right
// edges and reaches 2 pixels up from its bottom: the caption keeps clear of it.
const float kCaptionSideInset = 4.0f;
const float kCaptionBottomInset = 2.0f;

// The empty list's hint, dark on the light background.
const Gdiplus::ARGB kHintColour = 0xFF505050;

// Centred both ways; a text too wide loses its middle. It is shortened to
// fit beforehand, so a glyph measured a hair narrower than drawn is never
// clipped in half.
void SetCaptionFormat(Gdiplus::StringFormat& format) {
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisPath);
  format.SetAlignment(Gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
}

const Gdiplus::RectF kUnboundedBox(0.0f, 0.0f, 32768.0f, 64.0f);

}  // namespace

PictureListView_CL::PictureListView_CL()
    : captionFont(MakeUiFont(10.0f, Gdiplus::FontStyleBold)),
      noteFont(MakeUiFont(10.0f, Gdiplus::FontStyleRegular)) {}

PictureListView_CL::~PictureListView_CL() {
  // The window goes first, so that no paint reaches a half-destroyed list.
  DetachAndDestroy(*this);
  cache.Clear();
}

LRESULT PictureListView_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_CLOSE) {
    handled = 1;
    return 0;
  }
  return PictureListBase_CL::HandleMessage(window, message, wParam, lParam);
}

void PictureListView_CL::PaintAll(Gdiplus::Graphics& graphics) {
  PictureListBase_CL::PaintAll(graphics);
  if (grid.Count() != 0 || emptyHint.empty()) return;
  const GridRect& client = grid.layout.Client();
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  DrawNote(graphics, emptyHint,
           Gdiplus::RectF(static_cast<Gdiplus::REAL>(client.left + 8), static_cast<Gdiplus::REAL>(client.top),
                          static_cast<Gdiplus::REAL>(client.right - client.left - 16),
                          static_cast<Gdiplus::REAL>(client.bottom - client.top)),
           noteFont.get(), kHintColour);
}

void PictureListView_CL::DrawCannotShow(Gdiplus::Graphics& graphics, const RECT& cell) {
  const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(cell.left + grid.layout.OffsetX()),
                           static_cast<Gdiplus::REAL>(cell.top + grid.layout.OffsetY()),
                           static_cast<Gdiplus::REAL>(grid.layout.ThumbnailWidth()),
                           static_cast<Gdiplus::REAL>(grid.layout.ThumbnailHeight()));
  ::DrawCannotShow(graphics, box, noteFont.get());
}

void PictureListView_CL::SetUserValue(int value) { userValue = value; }

HRESULT PictureListView_CL::SetCount(unsigned count) {
  cache.Clear();
  return PictureListBase_CL::SetCount(count);
}

void PictureListView_CL::DrawTile(Gdiplus::Graphics& graphics, const RECT& cell) {
  Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
  graphics.FillRectangle(&black, static_cast<INT>(cell.left), static_cast<INT>(cell.top),
                         static_cast<INT>(cell.right - cell.left - 1),
                         static_cast<INT>(cell.bottom - cell.top - 1));
}

void PictureListView_CL::DrawThumbnail(Gdiplus::Graphics& graphics, Gdiplus::Bitmap* bitmap,
                                       const RECT& cell) {
  if (!bitmap) return;
  // The thumbnail's pixels go straight into the buffer through GDI; what
  // GDI+ drew before them must be there first.
  graphics.Flush(Gdiplus::FlushIntentionSync);
  DrawPixels(backBuffer.Dc(), bitmap, static_cast<int>(cell.left + grid.layout.OffsetX()),
             static_cast<int>(cell.top + grid.layout.OffsetY()), static_cast<int>(bitmap->GetWidth()),
             static_cast<int>(bitmap->GetHeight()));
  GdiFlush();
}

std::wstring PictureListView_CL::CaptionShown(Gdiplus::Graphics& graphics, const std::wstring& path,
                                              float width) {
  const std::wstring text = CaptionText(path);
  if (!captionFont || !captionFont->IsAvailable()) return text;
  Gdiplus::StringFormat format(0, LANG_NEUTRAL);
  SetCaptionFormat(format);
  auto measure = [&](const std::wstring& candidate) -> double {
    Gdiplus::RectF bounds;
    graphics.MeasureString(candidate.c_str(), static_cast<INT>(candidate.size()), captionFont.get(),
                           kUnboundedBox, &format, &bounds);
    return bounds.Width;
  };
  // Shortened here rather than by the trimming alone, which not every
  // GDI+ carries out; a text that fits is left to the format as it is.
  return ShortenInMiddle(text, width - 2.0, measure);
}

void PictureListView_CL::DrawCaption(Gdiplus::Graphics& graphics, const std::wstring& path, float left,
                                     float bottomEdge, float width) {
  if (!captionFont || !captionFont->IsAvailable()) return;
  const std::wstring text = CaptionText(path);
  Gdiplus::RectF bounds;
  graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), captionFont.get(), kUnboundedBox,
                         &bounds);
  const float height = bounds.Height;
  const float boxLeft = left + kCaptionSideInset;
  const float boxWidth = width - 2.0f * kCaptionSideInset;
  const float boxBottom = bottomEdge - kCaptionBottomInset;
  const std::wstring shown = CaptionShown(graphics, path, boxWidth);
  Gdiplus::StringFormat format(0, LANG_NEUTRAL);
  SetCaptionFormat(format);
  Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
  graphics.DrawString(shown.c_str(), static_cast<INT>(shown.size()), captionFont.get(),
                      Gdiplus::RectF(boxLeft, boxBottom - height, boxWidth, height), &format, &white);
}

void PictureListView_CL::DrawCell(Gdiplus::Graphics& graphics, const RECT& cell, int index) {
  DrawTile(graphics, cell);
  const bool known = grid.IsItem(index) && static_cast<std::size_t>(index) < paths.size();
  if (!known) return;
  const std::wstring& path = paths[static_cast<std::size_t>(index)];
  if (PictureWidth(path) > 0) {
    const std::uint64_t key = ThumbnailCacheKey(index);
    if (Gdiplus::Bitmap* thumbnail = cache.Find(key)) {
      DrawThumbnail(graphics, thumbnail, cell);
    } else {
      BitmapPtr rendered =
          LoadThumbnail(path, grid.layout.ThumbnailWidth(), grid.layout.ThumbnailHeight());
      if (rendered) {
        cache.Add(key, std::move(rendered));
        // Drawn by the next paint, from the cache.
        Invalidate();
      }
    }
  } else {
    DrawCannotShow(graphics, cell);
  }
  DrawCaption(graphics, path, static_cast<float>(cell.left), static_cast<float>(cell.bottom),
              static_cast<float>(cell.right - cell.left));
}

void PictureListView_CL::SetFontDpi(int dpi) {
  captionFont = MakeUiFont(10.0f, Gdiplus::FontStyleBold, dpi);
  noteFont = MakeUiFont(10.0f, Gdiplus::FontStyleRegular, dpi);
}
