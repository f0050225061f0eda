#include "version_file.h"

const wchar_t kHtmlPageVersion[] = L"0.0.0.0";

namespace {

const std::size_t kVersionChars = 7;
const std::size_t kAddressStart = 9;
const std::size_t kTrailingBytes = 2;

std::wstring Widen(const unsigned char* bytes, std::size_t count) {
  std::wstring text;
  text.reserve(count);
  for (std::size_t i = 0; i < count; ++i) text += static_cast<wchar_t>(bytes[i]);
  return text;
}

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  std::size_t i = 0;
  for (; prefix[i] != L'\0'; ++i) {
    if (i >= text.size()) return false;
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsUsableContentLength(std::int32_t contentLength) {
  return contentLength >= kVersionFileMinBytes && contentLength <= kVersionFileMaxBytes;
}

bool ParseVersionFile(const unsigned char* body, std::size_t length, VersionFileInfo* info) {
  if (body == nullptr || info == nullptr || length < static_cast<std::size_t>(kVersionFileMinBytes)) {
    return false;
  }
  std::size_t versionChars = 0;
  while (versionChars < kVersionChars && body[versionChars] != 0) ++versionChars;
  // A shorter version padded to the field's seven bytes with a line break,
  // blanks or NULs is that version, not a longer, newer-looking one.
  while (versionChars > 0 && (body[versionChars - 1] == '\r' || body[versionChars - 1] == '\n' ||
                              body[versionChars - 1] == ' ' || body[versionChars - 1] == '\t')) {
    --versionChars;
  }
  info->published = body[0] == '<' ? std::wstring(kHtmlPageVersion) : Widen(body, versionChars);
  info->siteAddress =
      Widen(body + kAddressStart, length - kAddressStart - kTrailingBytes);
  return true;
}

bool IsInstalledVersionOlder(const std::wstring& installed, const std::wstring& published) {
  const std::size_t common = installed.size() < published.size() ? installed.size() : published.size();
  for (std::size_t i = 0; i < common; ++i) {
    // By code value, whatever the signedness of wchar_t.
    const unsigned long a = static_cast<unsigned long>(installed[i]);
    const unsigned long b = static_cast<unsigned long>(published[i]);
    if (a != b) return a < b;
  }
  return installed.size() < published.size();
}

bool IsOpenableSiteAddress(const std::wstring& address) {
  std::size_t hostStart = 0;
  if (StartsWithNoCase(address, L"http://")) {
    hostStart = 7;
  } else if (StartsWithNoCase(address, L"https://")) {
    hostStart = 8;
  } else {
    return false;
  }
  if (address.size() <= hostStart || address[hostStart] == L'/') return false;
  for (wchar_t c : address) {
    const unsigned long code = static_cast<unsigned long>(c);
    if (code <= 0x20 || code >= 0x7F || c == L'"') return false;
  }
  return true;
}

std::wstring MakeNoticeText(const std::wstring& installed, const std::wstring& latest) {
  return L"最新のバージョン" + latest + L"が公開されています。" + L"\r\n" +
         L"サイトへ移動しますか？\r\n\r\n" + L"\x3000（現在インストールされているバージョンは" +
         installed + L"です。）\r\n";
}
