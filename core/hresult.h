// Result codes of the orientation core and the caches. On Windows they are the
// platform's own; elsewhere the same values are defined here, so portable code
// keeps one convention everywhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
typedef std::int32_t HRESULT;
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005u)
#define E_OUTOFMEMORY ((HRESULT)0x8007000Eu)
#define E_INVALIDARG ((HRESULT)0x80070057u)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_PATH_NOT_FOUND 3u
#define ERROR_ACCESS_DENIED 5u
#define ERROR_WRITE_FAULT 29u
#define ERROR_READ_FAULT 30u
#define ERROR_SHARING_VIOLATION 32u
#endif

// The HRESULT_FROM_WIN32 rule: an error code e becomes e itself when it is 0 or
// negative, otherwise 0x80070000 | (e & 0xFFFF).
inline HRESULT HresultFromWin32(unsigned long error) {
  const long e = static_cast<long>(error);
  if (e <= 0) return static_cast<HRESULT>(e);
  return static_cast<HRESULT>(0x80070000u | (static_cast<unsigned>(error) & 0xFFFFu));
}
