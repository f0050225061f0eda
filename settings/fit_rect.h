// The largest rectangle of a picture's aspect ratio that fits centred in a box.
#pragma once

#include <cstdint>

struct FloatRect {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

// Touches two opposite sides of `box` and is centred between the other two.
// A picture without a size gives an empty rectangle at the box's centre.
FloatRect FitRect(const FloatRect& box, std::int32_t pictureWidth, std::int32_t pictureHeight);
