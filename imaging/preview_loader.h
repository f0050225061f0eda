// The preview's decoder: one worker thread that makes the upright picture of
// one photo at a time for the preview pane. Only the newest request counts:
// a request replaces the one still waiting, and the receiver drops results
// of any request but its latest (by sequence number), so clicking through
// many photos decodes only what is still wanted and the user-interface
// thread never waits for a decode.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "gdiplus_types.h"
#include "thread_base.h"

class PreviewLoader_CL : public ThreadBase_CL {
 public:
  // One finished request, posted to the target window as lParam of the
  // target message (wParam: its sequence number); the receiver owns it.
  struct Result {
    int sequence = 0;
    std::wstring path;
    // The upright picture; null when the photo could not be read or decoded.
    BitmapPtr picture;
  };
  typedef std::unique_ptr<Result> ResultPtr;
  // Makes the upright picture of path for a target of width x height device
  // pixels. Runs on the worker thread.
  typedef BitmapPtr (*DecodeFunction)(const std::wstring& path, int width, int height);

  explicit PreviewLoader_CL(DecodeFunction decode) : decode_(decode) {}
  // Finishes the decode in progress (its result is posted or deleted) and
  // ends the thread.
  ~PreviewLoader_CL() override;

  // Where results go; set before the first request.
  void SetTarget(HWND window, UINT message) {
    target_ = window;
    message_ = message;
  }
  // Starts the worker if it is not running, replaces any request still
  // waiting by this one and returns its sequence number (never 0). Without
  // a worker nothing is decoded and 0 is returned.
  int Request(const std::wstring& path, int width, int height);
  // Drops the request still waiting, if any.
  void CancelWaiting();

  static ResultPtr TakeResult(LPARAM lParam) { return ResultPtr(reinterpret_cast<Result*>(lParam)); }

  int OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Waiting {
    int sequence = 0;  // 0: nothing waiting
    std::wstring path;
    int width = 0;
    int height = 0;
  };

  DecodeFunction decode_;
  HWND target_ = NULL;
  UINT message_ = 0;
  int nextSequence_ = 0;  // user-interface thread only
  Waiting waiting_;       // under the lock
};
