// Sizes drawn and laid out for 96 DPI, brought to the DPI of the monitor a
// window is on, and the picture files drawn for each scale.
#pragma once

#include <string>

const int kBaseDpi = 96;

// value * dpi / 96, rounded to the nearest pixel; value itself for a DPI
// that is not positive (the system could not tell).
int ScaleForDpi(int value, int dpi);

// The scales the pictures beside the program are drawn at, in percent.
const int kPictureScales[] = {100, 150, 200};

// The drawn scale nearest to dpi; between two, the smaller, so that an image
// never outgrows the room the layout gives it by more than half a step.
int PictureScalePercent(int dpi);

// The file of a picture drawn at percent: the name itself at 100 %, else
// "_150" (or "_200") before its extension: "ToolBar.bmp" -> "ToolBar_150.bmp".
std::wstring PictureFileForScale(const std::wstring& name, int percent);

// The size in pixels of a font of points at dpi (72 points an inch).
float FontPixelsForDpi(float points, int dpi);
