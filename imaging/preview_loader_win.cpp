#include "preview_loader.h"

#include <new>
#include <utility>

#include "exception_guard.h"

namespace {

std::atomic<PreviewLoader_CL::PostHook> g_postHook{nullptr};

}  // namespace

std::atomic<long> PreviewLoader_CL::Result::live_{0};

void PreviewLoader_CL::SetPostHookForTests(PostHook hook) { g_postHook = hook; }

PreviewLoader_CL::~PreviewLoader_CL() {
  CancelWaiting();
  Stop();
}

void PreviewLoader_CL::SetTarget(HWND window, UINT message) {
  if (HasThread()) return;
  target_ = window;
  message_ = message;
}

int PreviewLoader_CL::Request(const std::wstring& path, int width, int height) {
  if (!HasThread()) Start(0);
  if (!IsRunning()) return 0;
  // Made here, so that the worker needs no memory to answer it.
  ResultPtr answer = CallGuarded(ResultPtr(), [&] {
    ResultPtr made(new Result);
    made->path = path;
    return made;
  });
  if (!answer) return 0;
  if (++nextSequence_ <= 0) nextSequence_ = 1;
  answer->sequence = nextSequence_;
  {
    CriticalSection_CL::Scope hold(Lock());
    waiting_.answer = std::move(answer);
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

void PreviewLoader_CL::ShutdownAndDrain() {
  CancelWaiting();
  Stop();
  undelivered_.Clear();
  UndeliveredResults<Result>::DeleteQueued(target_, message_);
}

int PreviewLoader_CL::OnThreadMessage(UINT message, WPARAM, LPARAM) {
  if (message == WM_THREAD_QUIT) return 0;
  if (message != WM_THREAD_NOTIFY) return 1;
  for (;;) {
    Waiting work;
    {
      CriticalSection_CL::Scope hold(Lock());
      if (!waiting_.answer) break;
      work = std::move(waiting_);
      waiting_ = Waiting();
    }
    Result& answer = *work.answer;
    // Asked before the bytes are read: a change while they are is seen later.
    answer.stamp = ReadFileStamp(answer.path);
    // A decode that throws (out of memory) is answered as a failed one.
    const bool decoded = !decode_ || RunGuarded([&] {
      answer.picture = decode_(answer.path, work.width, work.height, &answer.complete);
    });
    if (!decoded) answer.picture.reset();
    if (!answer.picture) answer.complete = false;
    const PostHook post = g_postHook;
    undelivered_.Deliver(target_, message_, static_cast<WPARAM>(answer.sequence), std::move(work.answer),
                         post ? post : &PostMessageW);
  }
  return 1;
}
