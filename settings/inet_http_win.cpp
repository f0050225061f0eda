#include "inet_http.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "log_file.h"
#include "version_file.h"

const wchar_t kInetAgent[] = L"Microsoft Internet\x3000" L"Explorer";
const wchar_t kInternetOpenFailure[] = L"InternetOpen()エラー = 0x%08x : %s";
const wchar_t kInternetConnectFailure[] = L"InternetConnect()エラー = 0x%08x : %s";
const wchar_t kHttpOpenRequestFailure[] = L"HttpOpenRequest()エラー = 0x%08x : %s";
const wchar_t kHttpSendRequestFailure[] = L"HttpSendRequest()エラー = 0x%08x : %s";

void WriteInetFailureLog(const wchar_t* format, DWORD code) {
  if (static_cast<LONG>(code) > 0) code = (code & 0xFFFF) | 0x80070000;
  g_logFile.Write(format, code, FormatErrorMessage(code).c_str());
}

namespace {

// Set on every handle along the way: Windows hands them down from the root
// handle, Wine only keeps them where they were set.
void SetTimeouts(HINTERNET handle) {
  DWORD timeout = kInetTimeoutMs;
  InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
  InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
}

unsigned char* AllocateBody(std::size_t size) {
  return static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
}

}  // namespace

void InetHttp_CL::LogFailure(const wchar_t* format) {
  const DWORD code = GetLastError();
  if (deferLog) {
    failedFormat = format;
    failedCode = code;
  } else {
    WriteInetFailureLog(format, code);
  }
}

void InetHttp_CL::WriteDeferredLog() {
  if (failedFormat != NULL) WriteInetFailureLog(failedFormat, failedCode);
  failedFormat = NULL;
}

HINTERNET InetHttp_CL::Open() {
  internet.Reset(InternetOpenW(kInetAgent, INTERNET_OPEN_TYPE_PRECONFIG, NULL, NULL, 0));
  if (!internet) {
    LogFailure(kInternetOpenFailure);
    return NULL;
  }
  SetTimeouts(internet.Get());
  return internet.Get();
}

HINTERNET InetHttp_CL::Connect(const std::wstring& host, INTERNET_PORT port) {
  connection.Reset();
  if (internet) {
    connection.Reset(InternetConnectW(internet.Get(), host.c_str(), port, NULL, NULL,
                                      INTERNET_SERVICE_HTTP, 0, 0));
  } else {
    SetLastError(ERROR_INVALID_HANDLE);
  }
  if (!connection) {
    LogFailure(kInternetConnectFailure);
    return NULL;
  }
  SetTimeouts(connection.Get());
  return connection.Get();
}

int InetHttp_CL::SendGet(const std::wstring& path) {
  statusCode = 0;
  request.Reset();
  if (connection) {
    request.Reset(HttpOpenRequestW(connection.Get(), L"GET", path.c_str(), NULL, NULL, NULL,
                                   kInetRequestFlags, 0));
  } else {
    SetLastError(ERROR_INVALID_HANDLE);
  }
  if (!request) {
    LogFailure(kHttpOpenRequestFailure);
    return 0;
  }
  SetTimeouts(request.Get());
  if (!HttpSendRequestW(request.Get(), NULL, 0, NULL, 0)) {
    LogFailure(kHttpSendRequestFailure);
    return 0;
  }

  DWORD status = 0;
  DWORD size = sizeof status;
  if (HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                     NULL)) {
    statusCode = status;
  }
  wchar_t length[128] = L"";  // 256 bytes
  DWORD lengthSize = sizeof length;
  if (HttpQueryInfoW(request.Get(), HTTP_QUERY_CONTENT_LENGTH, length, &lengthSize, NULL)) {
    const long value = std::wcstol(length, NULL, 10);
    // Out of range reads as "too long", which the caller rejects.
    contentLength = value > kVersionFileMaxBytes ? kVersionFileMaxBytes + 1
                    : value < -1                  ? -2
                                                  : static_cast<std::int32_t>(value);
  } else {
    contentLength = -1;
  }
  return 1;
}

std::int32_t InetHttp_CL::ReadBody(std::int32_t length) {
  body.Reset();
  if (!request) return 0;

  if (length == -1) {
    std::vector<unsigned char> collected;
    unsigned char chunk[4096];
    for (;;) {
      DWORD read = 0;
      if (!InternetReadFile(request.Get(), chunk, sizeof chunk, &read)) {
        collected.clear();
        break;
      }
      if (read == 0) break;
      if (collected.size() + read > static_cast<std::size_t>(kVersionFileMaxBytes)) {
        collected.clear();  // not the version file; the rest is not worth waiting for
        break;
      }
      collected.insert(collected.end(), chunk, chunk + read);
    }
    body.Reset(AllocateBody(collected.size() + 1));
    if (!body) return 0;
    if (!collected.empty()) std::memcpy(body.Get(), collected.data(), collected.size());
    return static_cast<std::int32_t>(collected.size());
  }

  if (length < 0 || length > kVersionFileMaxBytes) return 0;
  body.Reset(AllocateBody(static_cast<std::size_t>(length) + 1));
  if (!body) return 0;
  // A read may deliver less than asked while the rest is still on its way.
  DWORD total = 0;
  while (total < static_cast<DWORD>(length)) {
    DWORD read = 0;
    if (!InternetReadFile(request.Get(), body.Get() + total, static_cast<DWORD>(length) - total,
                          &read)) {
      return 0;
    }
    if (read == 0) break;
    total += read;
  }
  body.Get()[length] = 0;
  return static_cast<std::int32_t>(total);
}
