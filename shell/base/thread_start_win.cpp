#include "thread_start.h"

#include "thread_messages.h"

bool StartThreadAndWait(LPTHREAD_START_ROUTINE proc, void* param, HANDLE started, UniqueHandle& thread,
                        DWORD& id) {
  DWORD newId = 0;
  HANDLE handle = CreateThread(NULL, 0, proc, param, 0, &newId);
  if (!handle) return false;
  id = newId;
  thread.Reset(handle);
  HANDLE waits[2] = {started, handle};
  WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  return true;
}

void SignalQueueReady(HANDLE started) {
  MSG msg;
  // The first peek makes the system create the thread's message queue.
  PeekMessageW(&msg, NULL, WM_THREAD_FIRST, WM_THREAD_LAST, PM_NOREMOVE);
  SetEvent(started);
}
