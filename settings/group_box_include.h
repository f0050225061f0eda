// Tells a group box about a control it encloses. The group box keeps the
// extent in its two extra values: extra1 the width, extra2 the height, from
// its own top-left corner. Nothing moves.
#pragma once

#include <windows.h>

#include "group_box.h"

void IncludeInGroupBox(GroupBox_CL* box, HWND control);
