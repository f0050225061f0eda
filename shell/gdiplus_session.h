// A GDI+ session for the life of the object: every GDI+ object must be gone
// before it ends.
#pragma once

#include "gdiplus_include.h"

class GdiplusSession_CL {
 public:
  // Version 1, no debug callback, the background thread and external codecs
  // kept. A failed start-up is not fatal: pictures then simply do not load.
  GdiplusSession_CL() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, NULL) != Gdiplus::Ok) token_ = 0;
  }
  ~GdiplusSession_CL() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession_CL(const GdiplusSession_CL&) = delete;
  GdiplusSession_CL& operator=(const GdiplusSession_CL&) = delete;

 private:
  ULONG_PTR token_ = 0;
};
