// The process entry point of snapvane-cli. Windows hands over the arguments as
// UTF-16 (wmain); elsewhere they are taken as UTF-8.
#include <string>
#include <vector>

#include "cli_runner.h"
#include "std_console.h"
#include "utf8.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
#else
int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8ToWide(argv[i]));
#endif
  StdConsole_CL console;
  const int status = RunCli(args, console);
  console.Flush();
  return status;
}
