#include "cli_options.h"

const char kCliUsage[] =
    "Usage: snapvane-cli [--json] [--keep-time] [--add-tag] [--with-raw] COMMAND PATH...\n"
    "\n"
    "Turns photos (JPEG, TIFF, DNG, camera raw files, PNG) a quarter turn by\n"
    "rewriting their Orientation value in place; the image data is never\n"
    "re-encoded.\n"
    "\n"
    "Commands:\n"
    "  info PATH...    show each photo's byte order, Orientation value and the\n"
    "                  file offset of that value\n"
    "  left PATH...    turn each photo a quarter turn counter-clockwise\n"
    "  right PATH...   turn each photo a quarter turn clockwise\n"
    "\n"
    "A PATH naming a folder stands for every photo file in it and in all its\n"
    "subfolders; a PATH naming a file is used as it is.\n"
    "\n"
    "Options:\n"
    "  --keep-time     leave each turned file's last-write time as it was\n"
    "  --add-tag       give a photo without an Orientation entry one and turn it;\n"
    "                  the file grows, so it is written anew and replaced\n"
    "  --with-raw      also turn each JPEG's raw twins (NAME.CR2, NAME.NEF, ... beside\n"
    "                  NAME.JPG) whose Orientation equals the JPEG's before the turn;\n"
    "                  a twin with another value is left alone and named\n"
    "  --json          print one JSON object per line and photo\n"
    "  -h, --help      show this text\n"
    "  --              treat every later argument as a PATH\n"
    "\n"
    "Exit status: 0 when every photo succeeded, 1 when some failed, 2 for a usage\n"
    "error.\n";

namespace {

bool IsHelp(const std::wstring& arg) {
  if (arg == L"-h" || arg == L"--help") return true;
#ifdef _WIN32
  if (arg == L"/?") return true;
#endif
  return false;
}

bool LooksLikeOption(const std::wstring& arg) {
  // A lone "-" is a name like any other.
  return arg.size() > 1 && arg[0] == L'-';
}

CliCommand_EN CommandNamed(const std::wstring& name) {
  if (name == L"info") return kCommandInfo;
  if (name == L"left") return kCommandLeft;
  if (name == L"right") return kCommandRight;
  return kCommandNone;
}

}  // namespace

CliParse_EN ParseCliOptions(const std::vector<std::wstring>& args, CliOptions* options,
                            std::wstring* error) {
  *options = CliOptions();
  error->clear();
  // Help wins over any mistake around it: someone asking for help after a
  // typo should get it.
  for (const std::wstring& arg : args) {
    if (arg == L"--") break;
    if (IsHelp(arg)) return kParseHelp;
  }

  bool onlyPaths = false;
  for (const std::wstring& arg : args) {
    if (!onlyPaths && LooksLikeOption(arg)) {
      if (arg == L"--") {
        onlyPaths = true;
      } else if (arg == L"--json") {
        options->json = true;
      } else if (arg == L"--keep-time") {
        options->keepTime = true;
      } else if (arg == L"--add-tag") {
        options->addTag = true;
      } else if (arg == L"--with-raw") {
        options->withRaw = true;
      } else {
        *error = L"unknown option '" + arg + L"'";
        return kParseUsageError;
      }
      continue;
    }
    if (options->command == kCommandNone) {
      options->command = CommandNamed(arg);
      if (options->command == kCommandNone) {
        *error = L"unknown command '" + arg + L"' (expected info, left or right)";
        return kParseUsageError;
      }
      continue;
    }
    options->paths.push_back(arg);
  }

  if (options->command == kCommandNone) {
    *error = L"no command given (expected info, left or right)";
    return kParseUsageError;
  }
  if (options->paths.empty()) {
    *error = L"no PATH given";
    return kParseUsageError;
  }
  if (options->keepTime && options->command == kCommandInfo) {
    *error = L"--keep-time applies only to left and right";
    return kParseUsageError;
  }
  if (options->addTag && options->command == kCommandInfo) {
    *error = L"--add-tag applies only to left and right";
    return kParseUsageError;
  }
  if (options->withRaw && options->command == kCommandInfo) {
    *error = L"--with-raw applies only to left and right";
    return kParseUsageError;
  }
  return kParseRun;
}
