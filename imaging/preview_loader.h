// The preview's decoder: one worker thread that makes the upright picture of
// one photo at a time for the preview pane. Only the newest request counts:
// a request replaces the one still waiting, and the receiver drops results
// of any request but its latest (by sequence number), so clicking through
// many photos decodes only what is still wanted and the user-interface
// thread never waits for a decode.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "file_stamp.h"
#include "gdiplus_types.h"
#include "thread_base.h"
#include "undelivered_results.h"

class PreviewLoader_CL : public ThreadBase_CL {
 public:
  // One request and, once it is done, its answer, posted to the target
  // window as lParam of the target message (wParam: its sequence number);
  // the receiver owns it. Every request is answered, a failed one too, so
  // that nobody waits for good.
  struct Result {
    Result() { ++live_; }
    ~Result() { --live_; }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    // Answers alive in the whole program: waiting, being decoded, on their
    // way in a message or held by a receiver.
    static long LiveCount() { return live_; }

    int sequence = 0;
    std::wstring path;
    // The upright picture; null when the photo could not be read or decoded.
    BitmapPtr picture;
    // The file as it was before it was read, and whether its bytes made a
    // whole picture.
    FileStamp stamp;
    bool complete = true;

   private:
    static std::atomic<long> live_;
  };
  typedef std::unique_ptr<Result> ResultPtr;
  // Makes the upright picture of path for a target of width x height device
  // pixels; sets *complete to false for damaged or cut-off data. Runs on the
  // worker thread.
  typedef BitmapPtr (*DecodeFunction)(const std::wstring& path, int width, int height, bool* complete);

  // Test seam: posts finished requests in place of PostMessageW. Null in the
  // program.
  typedef UndeliveredResults<Result>::PostFunction PostHook;
  static void SetPostHookForTests(PostHook hook);

  explicit PreviewLoader_CL(DecodeFunction decode) : decode_(decode) {}
  // Finishes the decode in progress (its result is posted or deleted) and
  // ends the thread.
  ~PreviewLoader_CL() override;

  // Where results go; set before the first request (later calls are ignored
  // while the worker runs).
  void SetTarget(HWND window, UINT message);
  // Starts the worker if it is not running, replaces any request still
  // waiting by this one and returns its sequence number (never 0). Without
  // a worker, or without memory for the request, nothing is decoded and 0
  // is returned.
  int Request(const std::wstring& path, int width, int height);
  // Drops the request still waiting, if any.
  void CancelWaiting();

  // The answers whose message could not be posted, for the receiver to take
  // at its next paint as if they had arrived.
  std::vector<ResultPtr> TakeUndelivered() { return undelivered_.Take(); }
  // For the target window's WM_DESTROY: the worker ends, and the answers
  // posted to the window and not yet taken are deleted.
  void ShutdownAndDrain();

  static ResultPtr TakeResult(LPARAM lParam) { return ResultPtr(reinterpret_cast<Result*>(lParam)); }

  int OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Waiting {
    ResultPtr answer;  // null: nothing waiting
    int width = 0;
    int height = 0;
  };

  DecodeFunction decode_;
  std::atomic<HWND> target_{NULL};
  std::atomic<UINT> message_{0};
  int nextSequence_ = 0;  // user-interface thread only
  Waiting waiting_;       // under the lock
  UndeliveredResults<Result> undelivered_{Lock()};
};
