// GDI+ for the imaging code, and the owner every GDI+ bitmap is held by.
#pragma once

#include <memory>

#include "gdiplus_include.h"

// Deleting the wrapper disposes the native image (through GDI+'s own
// allocator, which its operator delete uses).
typedef std::unique_ptr<Gdiplus::Bitmap> BitmapPtr;
