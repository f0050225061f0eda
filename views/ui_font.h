// The Japanese UI font of the views' own texts (captions, notes drawn in a
// pane), with fallbacks where the system lacks it.
#pragma once

#include <memory>

#include "gdiplus_include.h"

// "MS UI Gothic" at this size in points and style, measured at dpi (0: at
// the DPI of the device it is drawn on). Where GDI+ does not know
// that family by name, the font GDI maps it to (a substitute where the system
// has one), and last the system's generic sans-serif family.
std::unique_ptr<Gdiplus::Font> MakeUiFont(float points, int style, int dpi = 0);
