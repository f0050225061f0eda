// A group box frame. Made by ControlFactory_CL.
#pragma once

#include "control_base.h"

class GroupBox_CL : public ControlBase_CL {
 public:
  GroupBox_CL() : ControlBase_CL(kControlGroupBox) {}

  // The extent of the controls the group box was told to enclose, from its
  // own top-left corner (see IncludeInGroupBox).
  int contentWidth = 0;
  int contentHeight = 0;
};
