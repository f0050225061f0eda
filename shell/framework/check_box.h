// An automatic check box. Made by ControlFactory_CL.
#pragma once

#include "control_base.h"

class CheckBox_CL : public ControlBase_CL {
 public:
  CheckBox_CL() : ControlBase_CL(kControlCheckBox) {}
};
