// Reading a photo's bytes into memory, with the file opened shared so that
// neither a turn nor another program is ever locked out, and closed again
// before anything is decoded from them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The first limit bytes of the file at path, or all of a shorter file. A file
// longer than limit yields nothing when cutAtLimit is false (it is then not
// read at all). Empty when the file cannot be opened or read, or is empty.
std::vector<unsigned char> ReadFileBytes(const std::wstring& path, std::size_t limit, bool cutAtLimit);
