// What a cell and the preview show for a photo that cannot be shown (a text
// file under a photo's name, an empty or broken file): a dark box that says
// so, rather than a black one that looks like a dark photo.
#pragma once

#include <string>

#include "gdiplus_types.h"

extern const wchar_t kCannotShowText[];  // "表示できません"

// Fills box dark grey and writes the text centred in it, in the given font.
void DrawCannotShow(Gdiplus::Graphics& graphics, const Gdiplus::RectF& box, const Gdiplus::Font* font);

// A width x height picture of the same, for the preview; null without memory.
BitmapPtr CannotShowPicture(int width, int height);

// Writes text centred in box in colour, wrapped by words; for notes drawn in a
// pane (the empty strip's hint).
void DrawNote(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box,
              const Gdiplus::Font* font, Gdiplus::ARGB colour);
