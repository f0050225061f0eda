#include "next_token.h"

bool NextToken(std::wstring& source, std::wstring& token) {
  token.clear();
  if (source.empty()) return false;
  std::size_t start = 0;
  // Compared unsigned, so that no character above U+007F counts as a blank
  // where wchar_t is signed.
  while (start < source.size() && static_cast<unsigned long>(source[start]) <= 32) ++start;
  const std::size_t comma = source.find(L',', start);
  if (comma == std::wstring::npos) {
    token.assign(source, start, std::wstring::npos);
    source.clear();
  } else {
    token.assign(source, start, comma - start);
    source.erase(0, comma + 1);
  }
  return true;
}
