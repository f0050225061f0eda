// Why a photo could not be turned or read, in words a user understands.
#pragma once

#include <string>

#include "hresult.h"
#include "orientation.h"

// The reason for a failed TurnPhoto: "no Orientation entry", "not a photo
// the program can turn", "write-protected", "in use by another program", why the file cannot be
// opened, or "error 0x........: TEXT" for anything else. Looks at the file
// again only to tell these apart, so a successful turn costs nothing extra.
// UTF-8.
std::string DescribeTurnFailure(HRESULT hr, const TurnReport& report, const std::wstring& path);

// Why the file cannot be opened for reading ("file not found", "access
// denied", "in use by another program", "cannot open the file"), or empty
// when it can.
std::string OpenFailure(const std::wstring& path);

// "error 0x80070005: access denied"; the text part is left out when unknown.
std::string DescribeError(HRESULT hr);

// The platform's own wording for an error code, or empty (UTF-8).
std::string SystemErrorText(HRESULT hr);

// The reason an open for reading just failed, from the C runtime's error
// state (errno, and on Windows the system error behind it).
std::string LastOpenFailure();
