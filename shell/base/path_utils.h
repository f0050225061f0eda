// Splitting paths and formatting numbers. Paths use "\" as the separator and
// are taken as they are: nothing is normalised.
#pragma once

#include <cstdint>
#include <string>

// Index of the last occurrence of `c`, or -1 for an empty text or no match.
int FindLastChar(const std::wstring& text, wchar_t c);

// The part before the last "\"; empty when there is none.
std::wstring PathDirectory(const std::wstring& path);
// The part after the last "\"; the whole path when there is none.
std::wstring PathFileName(const std::wstring& path);
// The part from the last "." to the end, the dot included, case kept; empty
// when there is no dot.
std::wstring PathExtension(const std::wstring& path);

// Decimal text of a signed 32-bit number.
std::wstring IntToString(std::int32_t value);
