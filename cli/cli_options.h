// The command line of snapvane-cli: one command, its paths and its switches.
#pragma once

#include <string>
#include <vector>

enum CliCommand_EN { kCommandNone, kCommandInfo, kCommandLeft, kCommandRight };

struct CliOptions {
  CliCommand_EN command = kCommandNone;
  bool json = false;
  bool keepTime = false;
  bool addTag = false;  // give photos without an Orientation entry one
  bool withRaw = false;  // turn each JPEG's raw twins that showed the same way with it
  std::vector<std::wstring> paths;
};

enum CliParse_EN { kParseRun, kParseHelp, kParseUsageError };

// Parses the arguments that follow the program name. Switches may stand
// anywhere; after "--" every argument is a path. On kParseUsageError `error`
// holds a one-line reason.
CliParse_EN ParseCliOptions(const std::vector<std::wstring>& args, CliOptions* options,
                            std::wstring* error);

// The text --help prints.
extern const char kCliUsage[];
