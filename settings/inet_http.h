// A minimal HTTP GET client over WinINet for the update check: one request,
// always answered by the server itself, with short time-outs so that a silent
// server cannot hold up the start of the program for long.
#pragma once

#include <windows.h>

#include <wininet.h>

#include <cstdint>
#include <string>

#include "win_handles.h"

struct InternetHandleTraits {
  typedef HINTERNET Type;
  static HINTERNET Empty() { return NULL; }
  static void Close(HINTERNET handle) { InternetCloseHandle(handle); }
};
typedef UniqueResource_CL<InternetHandleTraits> UniqueInternetHandle;

struct GlobalMemoryTraits {
  typedef unsigned char* Type;
  static unsigned char* Empty() { return NULL; }
  static void Close(unsigned char* memory) { GlobalFree(memory); }
};
typedef UniqueResource_CL<GlobalMemoryTraits> UniqueGlobalBytes;

// The user agent: "Internet" and "Explorer" are joined by the full-width
// space U+3000.
extern const wchar_t kInetAgent[];
// Each of connecting, sending and waiting for the answer gives up after this.
constexpr DWORD kInetTimeoutMs = 3000;
// Always from the server: no cached copy, nothing stored in the cache, and
// caches on the way are asked not to answer either.
constexpr DWORD kInetRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;

class InetHttp_CL {
 public:
  InetHttp_CL() {}
  virtual ~InetHttp_CL() {}
  InetHttp_CL(const InetHttp_CL&) = delete;
  InetHttp_CL& operator=(const InetHttp_CL&) = delete;

  // Each failing step writes one log line with the error, or, after
  // DeferLog, keeps it for WriteDeferredLog. They return the new handle (null
  // on failure) or 1/0.
  HINTERNET Open();
  HINTERNET Connect(const std::wstring& host, INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT);
  int SendGet(const std::wstring& path);
  // Reads the body of the sent request into `body` (NUL-terminated) and
  // returns the number of bytes read. -1 reads until the server stops, but
  // never keeps more than kVersionFileMaxBytes: a longer body reads as 0.
  // Another length outside 0..kVersionFileMaxBytes reads nothing.
  std::int32_t ReadBody(std::int32_t length);

  // For a client on a worker thread: failures are kept, not logged, so that
  // only the thread that owns the log writes to it.
  void DeferLog() { deferLog = true; }
  // Logs the kept failure, if any, and forgets it.
  void WriteDeferredLog();

  const unsigned char* Body() const { return body.Get(); }
  std::int32_t ContentLength() const { return contentLength; }
  DWORD StatusCode() const { return statusCode; }

 private:
  UniqueInternetHandle internet;
  UniqueInternetHandle connection;
  UniqueInternetHandle request;
  UniqueGlobalBytes body;
  std::int32_t contentLength = 0;  // -1 when the response had no Content-Length
  DWORD statusCode = 0;            // recorded only
  bool deferLog = false;
  const wchar_t* failedFormat = NULL;  // the kept failure's log line
  DWORD failedCode = 0;

  void LogFailure(const wchar_t* format);
};

// The log line of a failing step, with the code as the log shows it: a
// Win32 error as its HRESULT.
void WriteInetFailureLog(const wchar_t* format, DWORD code);

// The log lines of the steps, with the error code and its text.
extern const wchar_t kInternetOpenFailure[];
extern const wchar_t kInternetConnectFailure[];
extern const wchar_t kHttpOpenRequestFailure[];
extern const wchar_t kHttpSendRequestFailure[];
