#include "ui_font.h"

#include "win_handles.h"

namespace {

const wchar_t kUiFace[] = L"MS UI Gothic";

}  // namespace

std::unique_ptr<Gdiplus::Font> MakeUiFont(float points, int style) {
  std::unique_ptr<Gdiplus::Font> font(new Gdiplus::Font(kUiFace, points, style, Gdiplus::UnitPoint));
  if (font->IsAvailable()) return font;
  {
    WindowDc_CL screen(NULL);
    if (screen) {
      LOGFONTW logFont = {};
      logFont.lfHeight = -MulDiv(static_cast<int>(points + 0.5f), GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
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
  font.reset(new Gdiplus::Font(name, points, style, Gdiplus::UnitPoint));
  return font;
}
