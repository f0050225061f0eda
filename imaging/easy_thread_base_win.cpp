#include "easy_thread_base.h"

#include "exception_guard.h"
#include "thread_messages.h"

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
  DWORD id = 0;
  HANDLE thread = CreateThread(NULL, 0, &EasyThreadBase_CL::EasyThreadProc, this, 0, &id);
  if (!thread) {
    running_ = 0;
    return false;
  }
  threadId_ = id;
  thread_.Reset(thread);
  HANDLE waits[2] = {started_.Get(), thread_.Get()};
  WaitForMultipleObjects(2, waits, FALSE, INFINITE);
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
  MSG msg;
  PeekMessageW(&msg, NULL, WM_THREAD_FIRST, WM_THREAD_LAST, PM_NOREMOVE);
  SetEvent(self->started_.Get());
  // Work that fails ends early; the end is still reported, so an owner
  // waiting for it is never left waiting.
  RunGuarded([&] { self->ThreadMain(self->param1_, self->param2_); });
  RunGuarded([&] { self->OnThreadEnd(self->cancel_ != 0 ? 1 : 0); });
  self->running_ = 0;
  return 0;
}
