#include "ui_font.h"

#include "dpi_scale.h"
#include "win_handles.h"

namespace {

const wchar_t kUiFace[] = L"MS UI Gothic";

}  // namespace

std::unique_ptr<Gdiplus::Font> MakeUiFont(float points, int style, int dpi) {
  // In pixels for a given DPI: a window on a monitor of its own DPI is drawn
  // through a device context that reports the system's.
  const float size = dpi > 0 ? FontPixelsForDpi(points, dpi) : points;
  const Gdiplus::Unit unit = dpi > 0 ? Gdiplus::UnitPixel : Gdiplus::UnitPoint;
  std::unique_ptr<Gdiplus::Font> font(new Gdiplus::Font(kUiFace, size, style, unit));
  if (font->IsAvailable()) return font;
  {
    WindowDc_CL screen(NULL);
    if (screen) {
      LOGFONTW logFont = {};
      const int fontDpi = dpi > 0 ? dpi : GetDeviceCaps(screen.Get(), LOGPIXELSY);
      logFont.lfHeight = -MulDiv(static_cast<int>(points + 0.5f), fontDpi, 72);
      logFont.lfWeight = (style & Gdiplus::FontStyleBold) ? FW_BOLD : FW_NORMAL;
      logFont.lfCharSet = DEFAULT_CHARSET;
      lstrcpynW(logFont.lfFaceName, kUiFace, LF_FACESIZE);
      font.reset(new Gdiplus::Font(screen.Get(), &logFont));
      if (font->IsAvailable()) return font;
    }
  }
  WCHAR name[LF_FACESIZE] = {};
  Gdiplus::GpFontFamily* generic = nullptr;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok && generic) {
    Gdiplus::DllExports::GdipGetFamilyName(generic, name, LANG_NEUTRAL);
    Gdiplus::DllExports::GdipDeleteFontFamily(generic);
  }
  font.reset(new Gdiplus::Font(name, size, style, unit));
  return font;
}
