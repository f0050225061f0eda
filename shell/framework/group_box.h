// A group box frame. Made by ControlFactory_CL.
#pragma once

#include "control_base.h"

class GroupBox_CL : public ControlBase_CL {
 public:
  GroupBox_CL() : ControlBase_CL(kControlGroupBox) {}

  // Two extra values the group box carries; nothing sets them yet.
  int extra1 = 0;
  int extra2 = 0;
};
