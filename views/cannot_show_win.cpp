#include "cannot_show.h"

#include "bitmap_builders.h"
#include "ui_font.h"

const wchar_t kCannotShowText[] = L"表示できません";

namespace {

const Gdiplus::ARGB kCannotShowBack = 0xFF3C3C3C;
const Gdiplus::ARGB kCannotShowInk = 0xFFE0E0E0;

}  // namespace

void DrawNote(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box,
              const Gdiplus::Font* font, Gdiplus::ARGB colour) {
  if (!font || !font->IsAvailable()) return;
  Gdiplus::StringFormat format(0, LANG_NEUTRAL);
  format.SetAlignment(Gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  Gdiplus::SolidBrush ink{Gdiplus::Color(colour)};
  graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font, box, &format, &ink);
}

void DrawCannotShow(Gdiplus::Graphics& graphics, const Gdiplus::RectF& box, const Gdiplus::Font* font) {
  Gdiplus::SolidBrush back{Gdiplus::Color(kCannotShowBack)};
  graphics.FillRectangle(&back, box);
  DrawNote(graphics, kCannotShowText, box, font, kCannotShowInk);
}

BitmapPtr CannotShowPicture(int width, int height) {
  if (width <= 0 || height <= 0) return BitmapPtr();
  BitmapPtr picture = CreateBitmap(width, height, PixelFormat32bppARGB);
  if (!picture) return picture;
  Gdiplus::Graphics graphics(picture.get());
  graphics.Clear(Gdiplus::Color(0xFF000000));
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  const std::unique_ptr<Gdiplus::Font> font = MakeUiFont(14.0f, Gdiplus::FontStyleRegular);
  DrawCannotShow(graphics,
                 Gdiplus::RectF(0.0f, 0.0f, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height)),
                 font.get());
  return picture;
}
