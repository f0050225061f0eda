// A label ("Static"). Made by ControlFactory_CL.
#pragma once

#include "control_base.h"

class StaticText_CL : public ControlBase_CL {
 public:
  StaticText_CL() : ControlBase_CL(kControlStaticText) {}
};
