// A long-lived worker thread with its own thread message queue. It serves the
// messages WM_THREAD_FIRST..WM_THREAD_LAST one at a time until a handler
// returns 0 for WM_THREAD_QUIT.
//
// A subclass must stop the thread (Stop) in its own destructor: by the time
// this class's destructor runs, the subclass's handler is gone.
#pragma once

#include <windows.h>

#include <atomic>

#include "critical_section.h"
#include "thread_messages.h"
#include "win_handles.h"

class ThreadBase_CL {
 public:
  ThreadBase_CL() {}
  virtual ~ThreadBase_CL();
  ThreadBase_CL(const ThreadBase_CL&) = delete;
  ThreadBase_CL& operator=(const ThreadBase_CL&) = delete;

  // Serves one message on the worker thread. Returning 0 for WM_THREAD_QUIT
  // ends the loop; any other result keeps the thread alive.
  virtual int OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // Starts the thread and returns once its message queue exists, so a
  // message posted right after Start is never lost. Does nothing while a
  // thread runs. Returns at once, without a thread, when the thread or its
  // hand-shake event cannot be created. The argument is not used.
  virtual void Start(int unused);
  // Asks the loop to end with WM_THREAD_QUIT and waits for the thread.
  // Nothing happens when no thread was started.
  virtual void Stop();
  // Posts WM_THREAD_NOTIFY (0, 0).
  virtual void PostNotify();

  // Posts a thread message to the worker; false when there is no worker or
  // its queue refused the message.
  bool Post(UINT message, WPARAM wParam, LPARAM lParam);

  DWORD ThreadId() const { return threadId_; }
  bool HasThread() const { return thread_.IsValid(); }
  // True while the thread's loop runs.
  bool IsRunning() const { return running_ != 0; }

  // The stop flag asks a handler doing long work to give it up; the loop
  // itself never looks at it. Start clears it.
  void RequestStop() { stop_ = 1; }
  bool StopRequested() const { return stop_ != 0; }

  // Once set, a second Start returns at once as long as the hand-shake event
  // exists (that is, until Stop).
  void SetStartOnce(bool once) { startOnce_ = once ? 1 : 0; }

 protected:
  // Guards what a subclass shares between its owner and the worker. It is
  // initialised on the worker when the thread first starts; until then
  // taking it does nothing.
  CriticalSection_CL& Lock() { return lock_; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID self);

  UniqueHandle thread_;
  DWORD threadId_ = 0;
  UniqueHandle started_;  // auto-reset; signalled once the queue exists
  std::atomic<long> stop_{0};
  std::atomic<long> running_{0};
  CriticalSection_CL lock_;
  int startOnce_ = 0;
};
