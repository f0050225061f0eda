#include "turn_failure.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "utf8.h"

std::string SystemErrorText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  // A Win32 error wrapped in an HRESULT is described by its own number.
  DWORD code = static_cast<DWORD>(hr);
  if ((code & 0xFFFF0000u) == 0x80070000u) code &= 0xFFFFu;
  const DWORD length = FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0,
                                      nullptr);
  std::wstring text;
  if (length != 0 && buffer) text.assign(buffer, length);
  if (buffer) LocalFree(buffer);
  // The system's texts end in a full stop and a line break.
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.' || text.back() == L'\x3002')) {
    text.pop_back();
  }
  return WideToUtf8(text);
}

std::string LastOpenFailure() {
  // The C runtime folds a sharing violation into EACCES; the system error it
  // keeps beside errno tells the two apart.
  switch (_doserrno) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "in use by another program";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "file not found";
    case ERROR_ACCESS_DENIED:
      return "access denied";
    default:
      break;
  }
  switch (errno) {
    case ENOENT:
      return "file not found";
    case EACCES:
      return "access denied";
    default:
      return "cannot open the file";
  }
}
