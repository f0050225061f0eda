// Paths between the program's wide strings and the bytes a POSIX file system
// uses for names (UTF-8). A name that is not valid UTF-8 still round-trips:
// each byte that cannot be decoded becomes the lone code point U+DC00 + byte
// and is written back as that byte, so every file a folder search finds can
// be opened again by the path it was given.
#pragma once

#ifndef _WIN32

#include <cstddef>
#include <string>

std::string NativePathFromWide(const std::wstring& path);
std::wstring WideFromNativePath(const char* bytes, std::size_t size);
inline std::wstring WideFromNativePath(const std::string& bytes) {
  return WideFromNativePath(bytes.data(), bytes.size());
}

#endif
