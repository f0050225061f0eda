// The diagnostic log: "log.txt" in the data folder, UTF-16 with a byte order
// mark, one time-stamped entry per Write, emptied once it has grown past 32 MiB.
#pragma once

#include <cstdint>
#include <string>

#include "log_line.h"

class LogFile {
 public:
  static constexpr std::int32_t kMaxSize = 33554432;  // 32 MiB

  LogFile() = default;
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  void SetPath(const std::wstring& newPath) { path = newPath; }
  const std::wstring& GetPath() const { return path; }

  // Windows builds only from here on. Nothing is reported: an entry that
  // cannot be written, or one written before the path is set, is dropped.

  // printf-style; "%s" takes a wide string. The message is cut at
  // kLogMessageMaxChars characters.
  void Write(const wchar_t* format, ...);
  // One entry holding `message` as it is, stamped with the current local time.
  void WriteMessage(const std::wstring& message);
  // One entry stamped with `time`.
  void WriteMessageAt(const LogTime& time, const std::wstring& message);

 private:
  std::wstring path;  // empty until start-up sets it
};

// The one log of the process (Windows builds only).
extern LogFile g_logFile;

// The system's one-line message text for an error code, or an empty string
// when the system has none (Windows builds only).
std::wstring FormatErrorMessage(std::uint32_t code);
