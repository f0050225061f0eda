#include "command_line.h"

namespace {

bool IsOption(const std::wstring& argument) {
  return !argument.empty() && (argument[0] == L'/' || argument[0] == L'-');
}

}  // namespace

void CommandLine_CL::ParseArguments(const std::vector<std::wstring>& argv) {
  arguments.clear();
  if (argv.size() < 2) return;
  for (std::size_t i = 1; i < argv.size(); ++i) {
    std::wstring argument = argv[i];
    if (!argument.empty() && argument[0] == L'-') argument[0] = L'/';
    arguments.push_back(argument);
  }
  for (const std::wstring& argument : arguments) OnArgument(argument);
}

int CommandLine_CL::CountFiles() const {
  int count = 0;
  for (const std::wstring& argument : arguments) {
    if (!IsOption(argument)) ++count;
  }
  return count;
}

std::wstring CommandLine_CL::GetFile(int n) const {
  if (n < 0) return std::wstring();
  int seen = 0;
  for (const std::wstring& argument : arguments) {
    if (IsOption(argument)) continue;
    if (seen == n) return argument;
    ++seen;
  }
  return std::wstring();
}

void CommandLine_CL::OnArgument(std::wstring) {}
