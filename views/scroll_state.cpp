#include "scroll_state.h"

int ScrollState::Clamp(int pos) const {
  if (pos > maximum - page) pos = maximum - page;
  if (pos < minimum) pos = minimum;
  return pos;
}

int ScrollState::PositionAfterRequest(int request) const {
  int delta = 0;
  switch (request) {
    case kScrollLineBack:
      delta = -lineStep;
      break;
    case kScrollLineForward:
      delta = lineStep;
      break;
    case kScrollPageBack:
      delta = -page;
      break;
    case kScrollPageForward:
      delta = page;
      break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
      delta = trackPosition - position;
      break;
    default:
      break;
  }
  return Clamp(position + delta);
}

int ScrollState::PositionAfterWheel(int wheelDelta) const {
  const int step = WheelStepSize();
  return Clamp(wheelDelta > 0 ? position - step : position + step);
}
