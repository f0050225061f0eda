// Where snapvane-cli writes: results to the output, errors and progress to
// the error stream. Text is UTF-8; the console decides how to show it.
#pragma once

#include <string>

class CliConsole_CL {
 public:
  virtual ~CliConsole_CL() {}
  virtual void Out(const std::string& utf8) = 0;
  virtual void Err(const std::string& utf8) = 0;
};
