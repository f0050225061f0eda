#include "easy_thread_base.h"

#include "exception_guard.h"
#include "thread_start.h"

EasyThreadBase_CL::~EasyThreadBase_CL() { Wait(); }

bool EasyThreadBase_CL::Run(INT_PTR param1, INT_PTR param2) {
  // Overwriting the handle of an earlier run would lose that thread.
  if (thread_) Wait();
  running_ = 1;
  param1_ = param1;
  param2_ = param2;
  cancel_ = 0;
  if (!started_) started_.Reset(CreateEventW(NULL, FALSE, FALSE, NULL));
  if (!started_) {
    running_ = 0;
    return false;
  }
  if (!StartThreadAndWait(&EasyThreadBase_CL::EasyThreadProc, this, started_.Get(), thread_, threadId_)) {
    running_ = 0;
    return false;
  }
  return true;
}

void EasyThreadBase_CL::Wait() {
  if (thread_) {
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    threadId_ = 0;
  }
  started_.Reset();
}

DWORD WINAPI EasyThreadBase_CL::EasyThreadProc(LPVOID param) {
  EasyThreadBase_CL* self = static_cast<EasyThreadBase_CL*>(param);
  self->running_ = 1;
  SignalQueueReady(self->started_.Get());
  // Work that fails ends early; the end is still reported, so an owner
  // waiting for it is never left waiting.
  RunGuarded([&] { self->ThreadMain(self->param1_, self->param2_); });
  RunGuarded([&] { self->OnThreadEnd(self->cancel_ != 0 ? 1 : 0); });
  self->running_ = 0;
  return 0;
}
