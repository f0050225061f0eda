#include "group_box_include.h"

#include "group_box_extent.h"
#include "window_layout.h"

void IncludeInGroupBox(GroupBox_CL* box, HWND control) {
  if (box == NULL || box->hwnd == NULL || control == NULL) return;
  const RECT group = WindowRectInParent(box->hwnd);
  const RECT inner = WindowRectInParent(control);
  GroupBoxExtent extent;
  extent.contentWidth = box->contentWidth;
  extent.contentHeight = box->contentHeight;
  IncludeControl(&extent, group.left, group.top, inner.right, inner.bottom);
  box->contentWidth = extent.contentWidth;
  box->contentHeight = extent.contentHeight;
}
