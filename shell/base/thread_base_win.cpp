#include "thread_base.h"

#include "exception_guard.h"
#include "thread_start.h"

ThreadBase_CL::~ThreadBase_CL() { Stop(); }

void ThreadBase_CL::Start(int) {
  if (startOnce_ && started_) return;
  // A second thread would leave the first one running with nobody able to
  // stop it.
  if (thread_) return;
  stop_ = 0;
  started_.Reset(CreateEventW(NULL, FALSE, FALSE, NULL));
  if (!started_) return;
  if (!StartThreadAndWait(&ThreadBase_CL::ThreadProc, this, started_.Get(), thread_, threadId_)) {
    started_.Reset();
  }
}

void ThreadBase_CL::Stop() {
  if (thread_) {
    // A full queue refuses the message; try again while the thread lives.
    while (!PostThreadMessageW(threadId_, WM_THREAD_QUIT, 0, 0)) {
      if (WaitForSingleObject(thread_.Get(), 0) != WAIT_TIMEOUT) break;
      Sleep(10);
    }
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    threadId_ = 0;
  }
  started_.Reset();
}

void ThreadBase_CL::PostNotify() { Post(WM_THREAD_NOTIFY, 0, 0); }

bool ThreadBase_CL::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId_ == 0) return false;
  return PostThreadMessageW(threadId_, message, wParam, lParam) != 0;
}

DWORD WINAPI ThreadBase_CL::ThreadProc(LPVOID param) {
  ThreadBase_CL* self = static_cast<ThreadBase_CL*>(param);
  // Created here, on the first start only: a restarted worker keeps its lock.
  const bool locked = self->lock_.Initialize();
  self->running_ = locked ? 1 : 0;
  SignalQueueReady(self->started_.Get());
  // Without its lock the worker cannot share anything safely: it ends, and
  // what is posted to it stays unserved.
  MSG msg;
  while (self->running_) {
    // WM_QUIT is delivered whatever the filter; it ends the loop as well.
    const BOOL got = GetMessageW(&msg, NULL, WM_THREAD_FIRST, WM_THREAD_LAST);
    if (got == 0 || got == -1) break;
    // A handler that fails gives up that one message; the thread serves on
    // (a quit still ends it).
    const int result = CallGuarded(0, [&] {
      return self->OnThreadMessage(msg.message, msg.wParam, msg.lParam);
    });
    if (result == 0 && msg.message == WM_THREAD_QUIT) self->running_ = 0;
  }
  self->running_ = 0;
  return 0;
}
