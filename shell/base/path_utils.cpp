#include "path_utils.h"

#include <cstdio>

int FindLastChar(const std::wstring& text, wchar_t c) {
  const std::wstring::size_type at = text.rfind(c);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

std::wstring PathDirectory(const std::wstring& path) {
  const int at = FindLastChar(path, L'\\');
  return at < 0 ? std::wstring() : path.substr(0, static_cast<std::size_t>(at));
}

std::wstring PathFileName(const std::wstring& path) {
  const int at = FindLastChar(path, L'\\');
  return at < 0 ? path : path.substr(static_cast<std::size_t>(at) + 1);
}

std::wstring PathExtension(const std::wstring& path) {
  const int at = FindLastChar(path, L'.');
  return at < 0 ? std::wstring() : path.substr(static_cast<std::size_t>(at));
}

std::wstring IntToString(std::int32_t value) {
  // Formatted as narrow text and widened: digits and "-" are ASCII, and the
  // narrow printf means the same on every runtime.
  char text[16];
  const int n = std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  return std::wstring(text, text + (n > 0 ? n : 0));
}
