// A progress bar ("msctls_progress32"). Made by ControlFactory_CL.
#pragma once

#include "control_base.h"

class ProgressBar_CL : public ControlBase_CL {
 public:
  ProgressBar_CL() : ControlBase_CL(kControlProgressBar) {}
};
