#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "command_line.h"

namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* entries) const { LocalFree(entries); }
};

}  // namespace

bool SplitCommandLine(const std::wstring& commandLine, std::vector<std::wstring>* argv) {
  argv->clear();
  int count = 0;
  // The platform allocates the array; it is released however few entries it holds.
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> entries(
      CommandLineToArgvW(commandLine.c_str(), &count));
  if (!entries) return false;
  for (int i = 0; i < count; ++i) argv->push_back(entries.get()[i] ? entries.get()[i] : L"");
  return true;
}

void CommandLine_CL::Parse() { ParseCommandLine(GetCommandLineW()); }

void CommandLine_CL::ParseCommandLine(const std::wstring& commandLine) {
  std::vector<std::wstring> argv;
  if (!SplitCommandLine(commandLine, &argv)) argv.clear();
  ParseArguments(argv);
}
