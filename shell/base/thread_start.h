// The start of a worker thread that takes thread messages: its creator waits
// until the thread's message queue exists, so nothing posted right after the
// start is lost.
#pragma once

#include <windows.h>

#include "win_handles.h"

// Starts proc(param) on a new thread and waits until it has called
// SignalQueueReady(started) or ended, whichever comes first (a thread that
// dies early never leaves its creator waiting). False, with thread and id
// untouched, when no thread could be made.
bool StartThreadAndWait(LPTHREAD_START_ROUTINE proc, void* param, HANDLE started, UniqueHandle& thread,
                        DWORD& id);

// On the new thread: makes its message queue, then wakes the creator.
void SignalQueueReady(HANDLE started);
