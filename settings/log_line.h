// The log's line format: a 26-character local time stamp, the message, and
// CR LF, stored as UTF-16 little-endian bytes.
#pragma once

#include <cstddef>
#include <string>

struct LogTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// Longest message a log entry keeps; longer ones are cut to this length.
const std::size_t kLogMessageMaxChars = 1039;

// "%04d/%02d/%02d %02d:%02d:%02d.%03d : ", 26 characters for valid times.
std::wstring FormatLogTimestamp(const LogTime& time);

// Time stamp followed by the message, cut to kLogMessageMaxChars characters
// (never in the middle of a surrogate pair). No line break.
std::wstring MakeLogLine(const LogTime& time, const std::wstring& message);

// The line as UTF-16 little-endian bytes followed by CR LF (0D 00 0A 00).
// Characters beyond U+FFFF (where wchar_t is 32-bit) become surrogate pairs.
std::string EncodeLogLine(const std::wstring& line);
