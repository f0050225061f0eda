#include "update_fetch.h"

#include <process.h>
#include <wininet.h>

#include "inet_http.h"
#include "version_file.h"

namespace {

enum FetchStep { kOpening, kConnecting, kRequesting, kReading, kDone };

}  // namespace

struct UpdateFetch_CL::Shared {
  Shared(const std::wstring& host_, int port_, const std::wstring& path_)
      : host(host_), path(path_), port(static_cast<INTERNET_PORT>(port_)) {
    InitializeCriticalSection(&lock);
  }
  ~Shared() { DeleteCriticalSection(&lock); }
  Shared(const Shared&) = delete;
  Shared& operator=(const Shared&) = delete;

  // Two owners: the worker and the UpdateFetch_CL. The last one frees it.
  void Release() {
    if (InterlockedDecrement(&owners) == 0) delete this;
  }

  void SetStep(FetchStep next) {
    EnterCriticalSection(&lock);
    step = next;
    LeaveCriticalSection(&lock);
  }

  LONG owners = 2;
  const std::wstring host;
  const std::wstring path;
  const INTERNET_PORT port;
  CRITICAL_SECTION lock;  // guards step, sent and contentLength
  FetchStep step = kOpening;
  bool sent = false;
  std::int32_t contentLength = -1;
  // The worker's alone until it ends.
  InetHttp_CL http;
  bool bodyRead = false;
  std::string body;
};

namespace {

unsigned __stdcall FetchThread(void* parameter) {
  UpdateFetch_CL::Shared* shared = static_cast<UpdateFetch_CL::Shared*>(parameter);
  InetHttp_CL& http = shared->http;
  http.DeferLog();
  bool ok = http.Open() != NULL;
  if (ok) {
    shared->SetStep(kConnecting);
    ok = http.Connect(shared->host, shared->port) != NULL;
  }
  if (ok) {
    shared->SetStep(kRequesting);
    ok = http.SendGet(shared->path) != 0;
  }
  if (ok) {
    const std::int32_t length = http.ContentLength();
    EnterCriticalSection(&shared->lock);
    shared->sent = true;
    shared->contentLength = length;
    shared->step = kReading;
    LeaveCriticalSection(&shared->lock);
    // Nothing but a usable version file is worth waiting for.
    if (IsUsableContentLength(length)) {
      const std::int32_t read = http.ReadBody(length);
      if (read == length && http.Body()) {
        shared->body.assign(reinterpret_cast<const char*>(http.Body()), static_cast<std::size_t>(read));
        shared->bodyRead = true;
      }
    }
  }
  shared->SetStep(kDone);
  shared->Release();
  return 0;
}

const wchar_t* FailureOfStep(FetchStep step) {
  switch (step) {
    case kOpening:
      return kInternetOpenFailure;
    case kConnecting:
      return kInternetConnectFailure;
    case kRequesting:
      return kHttpSendRequestFailure;
    default:
      return NULL;  // the body's reading logs nothing
  }
}

}  // namespace

UpdateFetch_CL::UpdateFetch_CL(const std::wstring& host, int port, const std::wstring& path,
                               DWORD deadlineMs)
    : shared_(new Shared(host, port, path)), deadlineMs_(deadlineMs) {}

UpdateFetch_CL::~UpdateFetch_CL() { shared_->Release(); }

bool UpdateFetch_CL::SendRequest(std::int32_t* contentLength) {
  // The worker gets its own reference; if it cannot start, it never ran.
  InterlockedIncrement(&shared_->owners);
  const uintptr_t started = _beginthreadex(NULL, 0, FetchThread, shared_, 0, NULL);
  if (started == 0) {
    InterlockedDecrement(&shared_->owners);
    WriteInetFailureLog(kInternetOpenFailure, GetLastError());
    return false;
  }
  const HANDLE thread = reinterpret_cast<HANDLE>(started);
  finished_ = WaitForSingleObject(thread, deadlineMs_) == WAIT_OBJECT_0;
  CloseHandle(thread);  // a worker still running goes on; its state stays alive

  if (finished_) {
    // The worker is gone: its client and results are this thread's now.
    shared_->http.WriteDeferredLog();
    if (!shared_->sent) return false;
    *contentLength = shared_->contentLength;
    return true;
  }

  EnterCriticalSection(&shared_->lock);
  const FetchStep step = shared_->step;
  const bool sent = shared_->sent;
  const std::int32_t length = shared_->contentLength;
  LeaveCriticalSection(&shared_->lock);
  if (sent) {
    *contentLength = length;  // the body did not come in time
    return true;
  }
  if (const wchar_t* failure = FailureOfStep(step)) WriteInetFailureLog(failure, ERROR_INTERNET_TIMEOUT);
  return false;
}

bool UpdateFetch_CL::ReadBody(std::int32_t length, std::string* body) {
  if (!finished_ || !shared_->bodyRead || shared_->contentLength != length) return false;
  *body = shared_->body;
  return true;
}
