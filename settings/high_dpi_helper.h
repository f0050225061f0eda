// Scales sizes given in 96-DPI pixels to the DPI of the screen or of the
// monitor a window is on. A process the system scales sees 96 DPI there and
// keeps the sizes; a DPI-aware one sees the real DPI and must grow them
// itself, or everything it lays out comes out small.
#pragma once

#include <cstdint>

// The platform's MulDiv: number * numerator / denominator through 64 bits,
// rounded to the nearest integer with halves away from zero; -1 when the
// denominator is 0 or the result does not fit in 32 bits.
std::int32_t MulDivRound(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

class HighDpiHelper_CL {
 public:
  // DPI-aware at 96 DPI until DetectDpi runs.
  HighDpiHelper_CL() = default;
  HighDpiHelper_CL(bool aware, std::int32_t screenDpiX, std::int32_t screenDpiY)
      : dpiAware(aware ? 1 : 0), dpiX(screenDpiX), dpiY(screenDpiY) {}
  virtual ~HighDpiHelper_CL() = default;

  // Asks the system whether the process is DPI-aware and the screen's DPI
  // (Windows builds only; window_dpi.h gives a window's own).
  void DetectDpi();
  void SetDpi(std::int32_t x, std::int32_t y) {
    dpiX = x;
    dpiY = y;
  }

  std::int32_t ScaleX(std::int32_t value) const;
  std::int32_t ScaleY(std::int32_t value) const;

  bool IsDpiAware() const { return dpiAware != 0; }
  std::int32_t GetDpiX() const { return dpiX; }
  std::int32_t GetDpiY() const { return dpiY; }

 private:
  std::int32_t dpiAware = 1;
  std::int32_t dpiX = 96;
  std::int32_t dpiY = 96;
};
