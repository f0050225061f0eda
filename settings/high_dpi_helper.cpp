#include "high_dpi_helper.h"

#include "dpi_scale.h"

std::int32_t MulDivRound(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  // Rounding on magnitudes makes halves go away from zero.
  const bool negative = (product < 0) != (denominator < 0);
  const std::uint64_t p = product < 0 ? 0u - static_cast<std::uint64_t>(product)
                                      : static_cast<std::uint64_t>(product);
  const std::uint64_t d = denominator < 0 ? 0u - static_cast<std::uint64_t>(denominator)
                                          : static_cast<std::uint64_t>(denominator);
  const std::uint64_t q = (p + d / 2) / d;
  if (!negative && q > 0x7FFFFFFFu) return -1;
  if (negative && q > 0x80000000u) return -1;
  return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(q))
                  : static_cast<std::int32_t>(q);
}

std::int32_t HighDpiHelper_CL::ScaleX(std::int32_t value) const { return ScaleForDpi(value, dpiX); }

std::int32_t HighDpiHelper_CL::ScaleY(std::int32_t value) const { return ScaleForDpi(value, dpiY); }
