// The network half of the update check: the GET of the version file and its
// body, run on a worker thread that the start-up waits for only so long.
// WinINet's own time-outs cover neither the name lookup nor a server that
// sends one byte at a time, so the wait has a deadline of its own. A worker
// still running at the deadline is left behind: it owns its state together
// with this object, whichever lets go last frees it, and it writes nothing
// but that state (no log, no settings), so it can outlive the check safely.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The longest the check holds up the start for the exchange, from the first
// call to the end of the body.
constexpr DWORD kUpdateFetchDeadlineMs = 4000;

class UpdateFetch_CL {
 public:
  UpdateFetch_CL(const std::wstring& host, int port, const std::wstring& path,
                 DWORD deadlineMs = kUpdateFetchDeadlineMs);
  virtual ~UpdateFetch_CL();
  UpdateFetch_CL(const UpdateFetch_CL&) = delete;
  UpdateFetch_CL& operator=(const UpdateFetch_CL&) = delete;

  // Runs the whole exchange (a usable body is read too) and waits for it up
  // to the deadline. False when a step failed or the deadline passed before
  // the answer came; either is logged as the step's failure (a deadline as
  // ERROR_INTERNET_TIMEOUT). On success `contentLength` is the announced
  // length, -1 when the header is missing. Call once.
  bool SendRequest(std::int32_t* contentLength);
  // The body the exchange read: true only when exactly `length` bytes
  // arrived before the deadline.
  bool ReadBody(std::int32_t length, std::string* body);

  struct Shared;  // the state the worker shares with this object

 private:
  Shared* shared_;
  DWORD deadlineMs_;
  bool finished_ = false;  // the worker ended before the deadline
};
