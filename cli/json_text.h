// JSON string literals for the --json output.
#pragma once

#include <string>

// The text as a quoted JSON string in UTF-8: quotes, backslashes and control
// characters escaped, other characters written as they are. A lone UTF-16
// surrogate (possible in a Windows file name) is kept as a \u escape, so the
// name survives exactly.
std::string JsonQuote(const std::wstring& text);
std::string JsonQuote(const std::string& utf8);
