#include "progress_rule.h"

std::uint32_t ProgressPosition(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 0;
  if (done >= total) return kProgressRangeMax;
  return static_cast<std::uint32_t>(done * kProgressRangeMax / total);
}
