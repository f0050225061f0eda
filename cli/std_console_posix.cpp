#include <cstdio>

#include "std_console.h"

StdConsole_CL::StdConsole_CL() {}

StdConsole_CL::~StdConsole_CL() { Flush(); }

void StdConsole_CL::Out(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void StdConsole_CL::Err(const std::string& utf8) {
  std::fflush(stdout);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
}

void StdConsole_CL::Flush() { std::fflush(stdout); }
