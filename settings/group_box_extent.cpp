#include "group_box_extent.h"

void IncludeControl(GroupBoxExtent* extent, int groupLeft, int groupTop, int controlRight,
                    int controlBottom) {
  if (extent == nullptr) return;
  if (groupLeft + extent->contentWidth < controlRight) {
    extent->contentWidth = controlRight - groupLeft;
  }
  if (groupTop + extent->contentHeight < controlBottom) {
    extent->contentHeight = controlBottom - groupTop;
  }
}
