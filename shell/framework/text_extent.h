// Sizes of texts as DrawTextW lays them out on the screen, for sizing
// controls to their captions and dialogs to the system font.
#pragma once

#include <windows.h>

// Extent of the text drawn with the font (the screen's current font when null).
SIZE MeasureText(HFONT font, const wchar_t* text);
int MeasureTextWidth(HFONT font, const wchar_t* text);
int MeasureTextHeight(HFONT font, const wchar_t* text);

// The character cell dialogs lay out in: the full-width letter "Ｗ" in the
// system font.
SIZE MeasureCharCell();
