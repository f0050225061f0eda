#include "photo_rule.h"

namespace {

// Only ASCII letters fold: the rule must not depend on the C locale, and
// full-width letters are never part of a photo's extension.
wchar_t FoldAscii(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringAsciiCase(const std::wstring& text, const wchar_t* lower) {
  std::size_t i = 0;
  for (; i < text.size() && lower[i] != L'\0'; ++i) {
    if (FoldAscii(text[i]) != lower[i]) return false;
  }
  return i == text.size() && lower[i] == L'\0';
}

}  // namespace

std::wstring FileNameExtension(const std::wstring& name) {
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return std::wstring();
  return name.substr(dot);
}

bool IsPhotoFileName(const std::wstring& name) {
  static const wchar_t* const kExtensions[] = {L".jpg", L".jpeg"};
  const std::wstring extension = FileNameExtension(name);
  for (const wchar_t* candidate : kExtensions) {
    if (EqualsIgnoringAsciiCase(extension, candidate)) return true;
  }
  return false;
}
