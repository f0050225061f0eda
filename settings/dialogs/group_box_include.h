// Tells a group box about a control it encloses. The group box keeps the
// extent in contentWidth and contentHeight, from its own top-left corner.
// Nothing moves.
#pragma once

#include <windows.h>

#include "group_box.h"

void IncludeInGroupBox(GroupBox_CL* box, HWND control);
