// GDI+ for every part of the program that draws or decodes with it: include
// this header, never <gdiplus.h> itself.
#pragma once

#include <windows.h>

#include <algorithm>

// The GDI+ headers use min and max, which NOMINMAX keeps out of the global
// namespace.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
