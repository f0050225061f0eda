// What the multiple-selection file dialog returns, turned into full paths.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The dialog's buffer holds NUL-terminated strings one after the other, ended
// by an empty string: with several files chosen the folder and then each
// name in it, with one file chosen only its full path. Reads no further than
// `capacity` characters. An empty buffer gives no path.
std::vector<std::wstring> SplitDialogFileNames(const wchar_t* buffer, std::size_t capacity);
