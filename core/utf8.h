// Conversions between wide strings (UTF-16 on Windows, UTF-32 elsewhere) and
// UTF-8, for POSIX file names and for text printed by the command-line tool.
// Invalid sequences become U+FFFD.
#pragma once

#include <string>

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
