// Thread message numbers of the worker threads. Workers wait for and read only
// messages in WM_THREAD_FIRST..WM_THREAD_LAST, so anything else posted to a
// worker thread stays in its queue unserved.
#pragma once

enum : unsigned {
  WM_THREAD_FIRST = 1224,
  WM_THREAD_NOTIFY = 1225,   // general wake-up; the decode worker ignores it
  WM_THREAD_QUIT = 1226,     // end the worker's loop
  WM_DECODE_REQUEST = 1228,  // the decode queue became non-empty
  WM_THREAD_LAST = 5320,     // WM_THREAD_FIRST + 4096
};

// Window message from the decode worker to its target window: wParam is the
// request's sequence number, lParam the finished request, which the receiver
// then owns.
enum : unsigned { WM_DECODE_DONE = 4234 };

// Window message from the preview's decoder to the preview pane: wParam is the
// request's sequence number, lParam the finished request, which the receiver
// then owns.
enum : unsigned { WM_PREVIEW_DONE = 4235 };
