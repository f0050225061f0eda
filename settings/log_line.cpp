#include "log_line.h"

#include <cstdint>

namespace {

// Zero-padded to at least `width` digits, like "%0*d"; wider values keep all
// their digits, so an odd time never truncates silently.
void AppendNumber(std::wstring& text, int value, int width) {
  long long v = value;
  if (v < 0) {
    text += L'-';
    v = -v;
    --width;
  }
  wchar_t digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<wchar_t>(L'0' + v % 10);
    v /= 10;
  } while (v != 0);
  for (int i = n; i < width; ++i) text += L'0';
  while (n > 0) text += digits[--n];
}

bool IsHighSurrogate(unsigned long c) { return c >= 0xD800 && c <= 0xDBFF; }

void AppendUtf16Unit(std::string& bytes, unsigned long unit) {
  bytes += static_cast<char>(unit & 0xFF);
  bytes += static_cast<char>((unit >> 8) & 0xFF);
}

}  // namespace

std::wstring FormatLogTimestamp(const LogTime& time) {
  std::wstring text;
  text.reserve(26);
  AppendNumber(text, time.year, 4);
  text += L'/';
  AppendNumber(text, time.month, 2);
  text += L'/';
  AppendNumber(text, time.day, 2);
  text += L' ';
  AppendNumber(text, time.hour, 2);
  text += L':';
  AppendNumber(text, time.minute, 2);
  text += L':';
  AppendNumber(text, time.second, 2);
  text += L'.';
  AppendNumber(text, time.milliseconds, 3);
  text += L" : ";
  return text;
}

std::wstring MakeLogLine(const LogTime& time, const std::wstring& message) {
  std::wstring line = FormatLogTimestamp(time);
  std::size_t keep = message.size();
  if (keep > kLogMessageMaxChars) {
    keep = kLogMessageMaxChars;
    // Half a surrogate pair would leave an unreadable character behind.
    if (IsHighSurrogate(static_cast<unsigned long>(message[keep - 1]))) --keep;
  }
  line.append(message, 0, keep);
  return line;
}

std::string EncodeLogLine(const std::wstring& line) {
  std::string bytes;
  bytes.reserve(2 * line.size() + 4);
  for (wchar_t c : line) {
    const unsigned long code = static_cast<std::uint32_t>(c);
    if (code > 0xFFFF && code <= 0x10FFFF) {
      const unsigned long v = code - 0x10000;
      AppendUtf16Unit(bytes, 0xD800 + (v >> 10));
      AppendUtf16Unit(bytes, 0xDC00 + (v & 0x3FF));
    } else if (code > 0x10FFFF) {
      AppendUtf16Unit(bytes, 0xFFFD);
    } else {
      AppendUtf16Unit(bytes, code);
    }
  }
  bytes.append("\r\0\n\0", 4);
  return bytes;
}
