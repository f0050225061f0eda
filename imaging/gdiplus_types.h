// GDI+ for the imaging code, and the owner every GDI+ bitmap is held by.
#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>

// The GDI+ headers use min and max, which NOMINMAX keeps out of the global
// namespace.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

// Deleting the wrapper disposes the native image (through GDI+'s own
// allocator, which its operator delete uses).
typedef std::unique_ptr<Gdiplus::Bitmap> BitmapPtr;
