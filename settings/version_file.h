// "Version.txt" on the update server: the newest published version in its
// first seven bytes, two skipped bytes (CR LF), the address of the download
// page, and a final CR LF that is dropped. Bytes are taken as single-byte
// characters. Nothing here trusts the server: sizes are bounded and the
// address must be a plain web address before anything may open it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The real file is a few dozen bytes; anything announced beyond this is not
// it, and is not read.
constexpr std::int32_t kVersionFileMaxBytes = 65536;
// Seven bytes of version, two skipped, the final CR LF and at least nothing
// in between: a shorter body cannot hold both fields.
constexpr std::int32_t kVersionFileMinBytes = 11;
// An HTML page (a server's error page) counts as this version, so the
// installed one is never older than it.
extern const wchar_t kHtmlPageVersion[];  // "0.0.0.0"

struct VersionFileInfo {
  // Up to 7 characters, stopping at a NUL byte, without trailing CR, LF,
  // blanks and tabs.
  std::wstring published;
  std::wstring siteAddress;  // bytes 9 to N - 3
};

// False when the announced length is worth no reading at all: absent (-1),
// negative, too short to hold the fields, or beyond kVersionFileMaxBytes.
bool IsUsableContentLength(std::int32_t contentLength);

// Splits a body of `length` bytes; false (and `info` untouched) when the body
// is too short to hold both fields.
bool ParseVersionFile(const unsigned char* body, std::size_t length, VersionFileInfo* info);

// True when the installed version text is smaller than the published one:
// compared character by character by code value, the shorter text being the
// smaller when one is the start of the other. So "1.0.2" is older than
// "1.0.2.0". (ParseVersionFile has already dropped a line break or blanks
// that pad the version field.)
bool IsInstalledVersionOlder(const std::wstring& installed, const std::wstring& published);

// Only an http:// or https:// address (scheme in any letter case) with a host
// part, made of printable ASCII without blanks or double quotes, may be handed
// to the shell: anything else could name a local file or program, or break out
// of the quoted argument the browser is started with.
bool IsOpenableSiteAddress(const std::wstring& address);

// The text of the update notice, in the dialog and in the message box.
std::wstring MakeNoticeText(const std::wstring& installed, const std::wstring& latest);
