// Puts a bitmap's pixels on a device context with plain GDI. GDI+ as Wine
// implements it draws a pane-sized picture in tens of milliseconds; handing
// the same pixels to SetDIBitsToDevice or StretchDIBits takes a few.
#pragma once

#include <windows.h>

#include "gdiplus_types.h"

// picture drawn into the rectangle x, y, width x height of dc: pixel for
// pixel when the sizes match, otherwise resampled with HALFTONE. 32-bit
// pictures are drawn opaque (their alpha is not blended). False, with
// nothing drawn, when the picture's pixels cannot be read.
bool DrawPixels(HDC dc, Gdiplus::Bitmap* picture, int x, int y, int width, int height);
