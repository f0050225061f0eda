// How far a registration has come, as a position of the progress bar.
#pragma once

#include <cstdint>

// The bar runs from 0 to this.
constexpr std::uint32_t kProgressRangeMax = 2000;

// done x 2000 / total, truncated; 0 while there is nothing to do. Steps are
// whole paths: a folder, however large, is one step.
std::uint32_t ProgressPosition(std::uint64_t done, std::uint64_t total);
