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

namespace {

bool HasExtension(const std::wstring& name, const wchar_t* const* extensions, std::size_t count) {
  const std::wstring extension = FileNameExtension(name);
  for (std::size_t i = 0; i < count; ++i) {
    if (EqualsIgnoringAsciiCase(extension, extensions[i])) return true;
  }
  return false;
}

}  // namespace

namespace {

const wchar_t* const kJpegExtensions[] = {L".jpg", L".jpeg"};
const wchar_t* const kRawExtensions[] = {L".dng", L".cr2", L".nef", L".nrw", L".arw", L".sr2", L".pef",
                                         L".srw", L".erf", L".3fr", L".orf", L".rw2", L".cr3"};
const wchar_t* const kOtherExtensions[] = {L".tif", L".tiff", L".png"};

template <std::size_t N>
bool HasOneOf(const std::wstring& name, const wchar_t* const (&extensions)[N]) {
  return HasExtension(name, extensions, N);
}

}  // namespace

bool IsPhotoFileName(const std::wstring& name) {
  return HasOneOf(name, kJpegExtensions) || HasOneOf(name, kRawExtensions) || HasOneOf(name, kOtherExtensions);
}

bool IsJpegFileName(const std::wstring& name) { return HasOneOf(name, kJpegExtensions); }

bool IsRawFileName(const std::wstring& name) { return HasOneOf(name, kRawExtensions); }

bool SameNameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}
