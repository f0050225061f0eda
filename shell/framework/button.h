// A push button. Made by ControlFactory_CL.
#pragma once

#include "control_base.h"

class Button_CL : public ControlBase_CL {
 public:
  Button_CL() : ControlBase_CL(kControlButton) {}
};
