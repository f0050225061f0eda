// A run-once worker thread: Run starts it, it calls ThreadMain and then
// OnThreadEnd with the cancel flag, and ends.
//
// A subclass must Wait in its own destructor: by the time this class's
// destructor runs, the subclass's ThreadMain is gone. Waiting does not ask the
// work to stop; an owner that must not block sets the cancel flag first.
#pragma once

#include <windows.h>

#include <atomic>

#include "win_handles.h"

class EasyThreadBase_CL {
 public:
  EasyThreadBase_CL() {}
  virtual ~EasyThreadBase_CL();
  EasyThreadBase_CL(const EasyThreadBase_CL&) = delete;
  EasyThreadBase_CL& operator=(const EasyThreadBase_CL&) = delete;

  // Starts the work and returns once the thread's message queue exists.
  // A thread left from an earlier run is waited for first. False, without
  // blocking and without calling ThreadMain or OnThreadEnd, when the thread
  // or its hand-shake event cannot be created.
  virtual bool Run(INT_PTR param1, INT_PTR param2);
  // Waits for the thread to end and releases it and the hand-shake event.
  virtual void Wait();

  // Asks the work to stop; ThreadMain decides whether to look.
  void RequestCancel() { cancel_ = 1; }
  bool CancelRequested() const { return cancel_ != 0; }
  bool IsRunning() const { return running_ != 0; }
  DWORD ThreadId() const { return threadId_; }

 protected:
  // The work, on the new thread.
  virtual void ThreadMain(INT_PTR param1, INT_PTR param2) = 0;
  // Right after ThreadMain, on the same thread, with the cancel flag's value
  // (1 when the owner asked the work to stop, 0 otherwise).
  virtual void OnThreadEnd(int cancel) = 0;

 private:
  static DWORD WINAPI EasyThreadProc(LPVOID self);

  UniqueHandle thread_;
  DWORD threadId_ = 0;
  UniqueHandle started_;  // auto-reset; signalled once the queue exists
  std::atomic<long> cancel_{0};
  std::atomic<long> running_{0};
  INT_PTR param1_ = 0;
  INT_PTR param2_ = 0;
};
