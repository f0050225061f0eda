// The arithmetic of the placement helpers, kept apart from the windows they
// move so it can be checked on its own.
#pragma once

struct PlacementRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct PlacementPoint {
  int x;
  int y;
};

// Gap between a button pair and the client edges, and between the buttons.
constexpr int kButtonPairMargin = 4;

struct ButtonPairPlacement {
  PlacementPoint first;
  PlacementPoint second;
};

// The second button's bottom-right corner goes to the client rectangle's
// corner less the margin; the first sits left of it, the margin apart, with
// the same top.
ButtonPairPlacement PlaceButtonPairIn(const PlacementRect& client, int firstWidth,
                                      int secondWidth, int secondHeight);

// Top-left corner that centres a width x height box over the reference
// rectangle; halves are truncated toward zero.
PlacementPoint CenterIn(const PlacementRect& reference, int width, int height);
