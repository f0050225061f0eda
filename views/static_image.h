// A custom control over a "Static" window that may hold a GDI bitmap.
#pragma once

#include "control_base.h"
#include "win_handles.h"

class StaticImage_CL : public ControlBase_CL {
 public:
  explicit StaticImage_CL(int kind) : ControlBase_CL(kind) {}
  ~StaticImage_CL() override;

  UniqueBitmap bitmap;
};
