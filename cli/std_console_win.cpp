// A console shows wide text through WriteConsoleW whatever its code page is;
// a file or pipe receives UTF-8, so scripts read one encoding everywhere.
#include <windows.h>

#include <cstdio>

#include "std_console.h"
#include "utf8.h"

namespace {

void* ConsoleOf(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
    return nullptr;
  }
  return handle;
}

void WriteConsoleText(void* console, const std::string& utf8) {
  const std::wstring text = Utf8ToWide(utf8);
  std::size_t done = 0;
  while (done < text.size()) {
    // Old consoles refuse very long writes; keep each one modest.
    const DWORD chunk = static_cast<DWORD>(text.size() - done < 8192 ? text.size() - done : 8192);
    DWORD written = 0;
    if (!WriteConsoleW(static_cast<HANDLE>(console), text.data() + done, chunk, &written, nullptr) ||
        written == 0) {
      return;
    }
    done += written;
  }
}

}  // namespace

StdConsole_CL::StdConsole_CL()
    : outConsole_(ConsoleOf(STD_OUTPUT_HANDLE)), errConsole_(ConsoleOf(STD_ERROR_HANDLE)) {}

StdConsole_CL::~StdConsole_CL() { Flush(); }

void StdConsole_CL::Out(const std::string& utf8) {
  if (outConsole_) {
    WriteConsoleText(outConsole_, utf8);
  } else {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  }
}

void StdConsole_CL::Err(const std::string& utf8) {
  std::fflush(stdout);
  if (errConsole_) {
    WriteConsoleText(errConsole_, utf8);
  } else {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
  }
}

void StdConsole_CL::Flush() { std::fflush(stdout); }
