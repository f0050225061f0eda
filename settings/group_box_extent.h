// The extent that a group box must reach to enclose the controls it was told
// about, measured from its own top-left corner. It only grows.
#pragma once

struct GroupBoxExtent {
  int contentWidth = 0;
  int contentHeight = 0;
};

// Group box top-left (groupLeft, groupTop) and a control's right and bottom
// edges, all in the parent's client coordinates.
void IncludeControl(GroupBoxExtent* extent, int groupLeft, int groupTop, int controlRight,
                    int controlBottom);
