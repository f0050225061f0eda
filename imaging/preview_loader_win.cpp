#include "preview_loader.h"

#include <new>
#include <utility>

PreviewLoader_CL::~PreviewLoader_CL() {
  CancelWaiting();
  Stop();
}

int PreviewLoader_CL::Request(const std::wstring& path, int width, int height) {
  if (!HasThread()) Start(0);
  if (!IsRunning()) return 0;
  if (++nextSequence_ <= 0) nextSequence_ = 1;
  {
    CriticalSection_CL::Scope hold(Lock());
    waiting_.sequence = nextSequence_;
    waiting_.path = path;
    waiting_.width = width;
    waiting_.height = height;
  }
  // One wake-up per request; one that finds nothing waiting costs nothing.
  PostNotify();
  return nextSequence_;
}

void PreviewLoader_CL::CancelWaiting() {
  if (!HasThread()) return;
  CriticalSection_CL::Scope hold(Lock());
  waiting_ = Waiting();
}

int PreviewLoader_CL::OnThreadMessage(UINT message, WPARAM, LPARAM) {
  if (message == WM_THREAD_QUIT) return 0;
  if (message != WM_THREAD_NOTIFY) return 1;
  for (;;) {
    Waiting work;
    {
      CriticalSection_CL::Scope hold(Lock());
      if (waiting_.sequence == 0) break;
      work = std::move(waiting_);
      waiting_ = Waiting();
    }
    ResultPtr result(new (std::nothrow) Result);
    if (!result) continue;
    result->sequence = work.sequence;
    result->path = work.path;
    if (decode_) result->picture = decode_(work.path, work.width, work.height);
    if (target_ && PostMessageW(target_, message_, static_cast<WPARAM>(work.sequence),
                                reinterpret_cast<LPARAM>(result.get()))) {
      result.release();  // the target owns it now
    }
  }
  return 1;
}
