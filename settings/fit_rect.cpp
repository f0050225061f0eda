#include "fit_rect.h"

FloatRect FitRect(const FloatRect& box, std::int32_t pictureWidth, std::int32_t pictureHeight) {
  FloatRect fit;
  if (pictureWidth <= 0 || pictureHeight <= 0) {
    // Nothing to fit: a division by zero would give infinities or NaN.
    fit.x = box.width * 0.5f + box.x;
    fit.y = box.height * 0.5f + box.y;
    return fit;
  }
  const float a = static_cast<float>(pictureWidth);
  const float b = static_cast<float>(pictureHeight);
  if (a < b) {
    fit.height = box.height;
    fit.width = a * box.height / b;
    if (box.width < fit.width) {
      fit.width = box.width;
      fit.height = b * box.width / a;
    }
  } else {
    fit.width = box.width;
    fit.height = b * box.width / a;
    if (box.height < fit.height) {
      fit.height = box.height;
      fit.width = a * box.height / b;
    }
  }
  fit.x = (box.width - fit.width) * 0.5f + box.x;
  fit.y = (box.height - fit.height) * 0.5f + box.y;
  return fit;
}
