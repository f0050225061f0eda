// The program's command line: photo files and folders to register at start.
// Arguments beginning with "-" or "/" are options; none is recognised, so
// they are dropped.
#pragma once

#include <string>
#include <vector>

class CommandLine_CL {
 public:
  CommandLine_CL() {}
  virtual ~CommandLine_CL() {}

#ifdef _WIN32
  // Splits the process's own command line.
  void Parse();
  // Splits a whole command line, program path first, by the platform's rule
  // (blanks separate, double quotes group, backslashes before quotes escape).
  void ParseCommandLine(const std::wstring& commandLine);
#endif

  // Stores argv[1] onwards, a leading "-" rewritten as "/", then calls
  // OnArgument for each stored argument in order. With fewer than two entries
  // nothing is stored.
  void ParseArguments(const std::vector<std::wstring>& argv);

  // The number of file arguments: those not beginning with "/" or "-", the
  // empty argument included.
  int CountFiles() const;
  // The n-th file argument counting from 0, or "" when there are not that many.
  std::wstring GetFile(int n) const;

  std::vector<std::wstring> arguments;

 protected:
  virtual void OnArgument(std::wstring argument);
};

#ifdef _WIN32
// CommandLineToArgvW over a whole command line. False when it fails.
bool SplitCommandLine(const std::wstring& commandLine, std::vector<std::wstring>* argv);
#endif
