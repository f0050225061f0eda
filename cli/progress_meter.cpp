#include "progress_meter.h"

#include <string>

ProgressMeter_CL::ProgressMeter_CL(CliConsole_CL& console, std::size_t total, const char* verb)
    : console_(console), total_(total), verb_(verb) {
  if (total_ <= kThreshold) nextTenth_ = 11;  // never
}

void ProgressMeter_CL::Done(std::size_t count) {
  if (nextTenth_ > 10 || count * 10 < nextTenth_ * total_) return;
  // Several tenths may pass at once when the total is small; report the last.
  while (nextTenth_ <= 10 && count * 10 >= nextTenth_ * total_) ++nextTenth_;
  const std::size_t percent = count * 100 / total_;
  console_.Err("snapvane-cli: " + std::string(verb_) + " " + std::to_string(count) + " of " +
               std::to_string(total_) + " photos (" + std::to_string(percent) + "%)\n");
}
