#include "placement_math.h"

ButtonPairPlacement PlaceButtonPairIn(const PlacementRect& client, int firstWidth,
                                      int secondWidth, int secondHeight) {
  const int cornerX = client.right - kButtonPairMargin;
  const int cornerY = client.bottom - kButtonPairMargin;
  ButtonPairPlacement placement;
  placement.second.x = cornerX - secondWidth;
  placement.second.y = cornerY - secondHeight;
  placement.first.x = placement.second.x - kButtonPairMargin - firstWidth;
  placement.first.y = placement.second.y;
  return placement;
}

PlacementPoint CenterIn(const PlacementRect& reference, int width, int height) {
  PlacementPoint p;
  p.x = reference.left + (reference.right - width - reference.left) / 2;
  p.y = reference.top + (reference.bottom - height - reference.top) / 2;
  return p;
}
