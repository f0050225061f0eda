// snapvane-cli itself, apart from the process entry point, so that tests can
// run it in-process against a console of their own.
#pragma once

#include <string>
#include <vector>

#include "cli_console.h"

enum : int {
  kExitOk = 0,      // every photo succeeded
  kExitFailed = 1,  // some photo failed
  kExitUsage = 2,   // the command line was wrong; nothing was done
};

// args: the arguments after the program name. Returns the exit status.
int RunCli(const std::vector<std::wstring>& args, CliConsole_CL& console);
