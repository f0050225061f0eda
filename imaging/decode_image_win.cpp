#include "decode_image.h"

#include <new>

#include "bitmap_builders.h"
#include "source_photo.h"

namespace {

// One counter for the whole program, so sequence numbers never repeat.
LONG volatile g_sequence = 1;
DecodeImage_CL::DecodeHook g_decodeHook = nullptr;

}  // namespace

void DecodeImage_CL::SetDecodeHookForTests(DecodeHook hook) { g_decodeHook = hook; }

DecodeImage_CL::DecodeImage_CL() { SetStartOnce(true); }

DecodeImage_CL::~DecodeImage_CL() { Shutdown(); }

void DecodeImage_CL::Start() {
  ThreadBase_CL::Start(0);
  // A request queued before the thread existed posted its wake-up to nobody.
  CriticalSection_CL::Scope hold(Lock());
  if (!queue_.empty()) Post(WM_DECODE_REQUEST, 0, 0);
}

int DecodeImage_CL::Enqueue(ItemPtr item) {
  if (!item) return 0;
  CriticalSection_CL::Scope hold(Lock());
  const int sequence = static_cast<int>(InterlockedExchangeAdd(&g_sequence, 1));
  item->sequence = sequence;
  try {
    queue_.push_back(std::move(item));
  } catch (const std::bad_alloc&) {
    return 0;
  }
  // With more than one waiting, the worker is draining already or has a
  // wake-up on its way.
  if (queue_.size() == 1) Post(WM_DECODE_REQUEST, 0, 0);
  return sequence;
}

std::size_t DecodeImage_CL::QueuedCount() {
  CriticalSection_CL::Scope hold(Lock());
  return queue_.size();
}

void DecodeImage_CL::Shutdown() {
  // The handler sees the flag after the request in progress and returns;
  // the quit message that Stop posts then ends the loop.
  RequestStop();
  Stop();
  CriticalSection_CL::Scope hold(Lock());
  queue_.clear();
}

int DecodeImage_CL::OnThreadMessage(UINT message, WPARAM, LPARAM) {
  if (message != WM_DECODE_REQUEST || StopRequested()) return 0;
  while (IsRunning()) {
    ItemPtr item;
    {
      CriticalSection_CL::Scope hold(Lock());
      if (queue_.empty()) return 0;
      item = std::move(queue_.back());
      queue_.pop_back();
    }
    Decode(item.get());
    OnDecoded(std::move(item));
    if (StopRequested()) return 0;
  }
  return 0;
}

void DecodeImage_CL::Decode(DecodeItem_CL* item) {
  SourcePhoto_CL photo;
  // A file that cannot be read, or a picture without a size, yields no
  // thumbnail; the queue goes on.
  photo.Load(item->path);
  if (g_decodeHook) g_decodeHook(*item);
  item->result = UprightThumbnail(photo, item->width, item->height, item->pixelFormat);
}

void DecodeImage_CL::OnDecoded(ItemPtr item) {
  const HWND target = target_;
  if (!target) return;
  DecodeItem_CL* raw = item.release();
  if (PostMessageW(target, WM_DECODE_DONE, static_cast<WPARAM>(raw->sequence), reinterpret_cast<LPARAM>(raw))) {
    return;
  }
  // Nobody received it (the window is gone): it is still ours to delete.
  delete raw;
}
