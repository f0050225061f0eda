// Progress of a long run on the error stream: one line at every tenth of
// the way, and only when there are more than a few hundred photos, so short
// runs and scripts see nothing.
#pragma once

#include <cstddef>

#include "cli_console.h"

class ProgressMeter_CL {
 public:
  static const std::size_t kThreshold = 300;  // more photos than this show progress

  // verb: what is done to each photo ("turned", "read"); not owned.
  ProgressMeter_CL(CliConsole_CL& console, std::size_t total, const char* verb);
  void Done(std::size_t count);  // count photos are finished so far

 private:
  CliConsole_CL& console_;
  std::size_t total_;
  const char* verb_;
  std::size_t nextTenth_ = 1;
};
