// The process's standard output and error. Output is buffered and flushed at
// the end (and before anything goes to the error stream, so the two stay in
// order on one terminal).
#pragma once

#include "cli_console.h"

class StdConsole_CL : public CliConsole_CL {
 public:
  StdConsole_CL();
  ~StdConsole_CL() override;
  StdConsole_CL(const StdConsole_CL&) = delete;
  StdConsole_CL& operator=(const StdConsole_CL&) = delete;

  void Out(const std::string& utf8) override;
  void Err(const std::string& utf8) override;
  void Flush();

 private:
#ifdef _WIN32
  void* outConsole_ = nullptr;  // console handles, not owned; null when redirected
  void* errConsole_ = nullptr;
#endif
};
