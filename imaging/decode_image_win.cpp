#include "decode_image.h"

#include <algorithm>
#include <new>

#include "bitmap_builders.h"
#include "embedded_picture.h"
#include "exception_guard.h"
#include "shown_bytes.h"

namespace {

// One counter for the whole program, so sequence numbers never repeat.
LONG volatile g_sequence = 1;
DecodeImage_CL::DecodeHook g_decodeHook = nullptr;
DecodeImage_CL::PostHook g_postHook = nullptr;

bool BySequence(const DecodeImage_CL::ItemPtr& a, const DecodeImage_CL::ItemPtr& b) {
  return a->sequence < b->sequence;
}

}  // namespace

// A further thread serving its owner's queue.
class DecodeImage_CL::Helper : public ThreadBase_CL {
 public:
  Helper(DecodeImage_CL* owner, int index) : owner_(owner), index_(index) {}
  ~Helper() override { Stop(); }
  int OnThreadMessage(UINT message, WPARAM, LPARAM) override {
    if (message != WM_DECODE_REQUEST || owner_->StopRequested()) return 0;
    return owner_->Drain(index_, this);
  }

 private:
  DecodeImage_CL* owner_;
  int index_;
};

std::atomic<long> DecodeImage_CL::DecodeItem_CL::live_{0};

void DecodeImage_CL::SetDecodeHookForTests(DecodeHook hook) { g_decodeHook = hook; }

void DecodeImage_CL::SetPostHookForTests(PostHook hook) { g_postHook = hook; }

DecodeImage_CL::ItemPtr DecodeImage_CL::NewItem(const std::wstring& path, int width, int height) {
  return CallGuarded(ItemPtr(), [&] { return ItemPtr(new DecodeItem_CL(path, width, height)); });
}

int DecodeImage_CL::DefaultThreadCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  const int cores = static_cast<int>(info.dwNumberOfProcessors);
  return std::min(std::max(cores, 1), static_cast<int>(kMaxThreads));
}

DecodeImage_CL::DecodeImage_CL() : threadCount_(DefaultThreadCount()) { SetStartOnce(true); }

DecodeImage_CL::~DecodeImage_CL() { Shutdown(); }

void DecodeImage_CL::SetThreadCount(int count) {
  if (HasThread()) return;
  threadCount_ = std::min(std::max(count, 1), static_cast<int>(kMaxThreads));
}

ThreadBase_CL* DecodeImage_CL::ThreadAt(int thread) {
  if (thread == 0) return this;
  const std::size_t helper = static_cast<std::size_t>(thread - 1);
  return helper < helpers_.size() ? helpers_[helper].get() : nullptr;
}

void DecodeImage_CL::Start() {
  ThreadBase_CL::Start(0);
  // The shared lock comes to life on the first thread; without it no
  // second thread may touch the queue.
  if (!IsRunning()) return;
  CriticalSection_CL::Scope hold(Lock());
  for (int i = static_cast<int>(helpers_.size()) + 1; i < threadCount_; ++i) {
    std::unique_ptr<Helper> helper(new (std::nothrow) Helper(this, i));
    if (!helper) break;
    helper->Start(0);
    if (!helper->IsRunning()) break;
    helpers_.push_back(std::move(helper));
  }
  // Requests queued before the threads existed posted their wake-ups to
  // nobody.
  WakeIdleThreads();
}

void DecodeImage_CL::WakeIdleThreads() {
  if (quick_.empty() && full_.empty()) return;
  for (int t = 0; t <= static_cast<int>(helpers_.size()) && t < kMaxThreads; ++t) {
    if (awake_[t]) continue;
    ThreadBase_CL* thread = ThreadAt(t);
    if (thread && thread->Post(WM_DECODE_REQUEST, 0, 0)) awake_[t] = true;
  }
}

int DecodeImage_CL::Enqueue(ItemPtr item) {
  if (!item) return 0;
  CriticalSection_CL::Scope hold(Lock());
  const int sequence = static_cast<int>(InterlockedExchangeAdd(&g_sequence, 1));
  item->sequence = sequence;
  try {
    // Without quick pictures the request waits for its full decode at once;
    // it is the newest, so it belongs at the back either way.
    (quickPictures_ ? quick_ : full_).push_back(std::move(item));
  } catch (const std::bad_alloc&) {
    return 0;
  }
  // A thread that is draining picks the request up itself.
  if (bursting_ == 0) WakeIdleThreads();
  return sequence;
}

void DecodeImage_CL::EndBurst() {
  if (bursting_ > 0) --bursting_;
  if (bursting_ > 0) return;
  CriticalSection_CL::Scope hold(Lock());
  WakeIdleThreads();
}

std::size_t DecodeImage_CL::QueuedCount() {
  CriticalSection_CL::Scope hold(Lock());
  return quick_.size() + full_.size();
}

void DecodeImage_CL::Shutdown() {
  // The handlers see the flag after the request in progress and return; the
  // quit messages that Stop posts then end the loops.
  RequestStop();
  Stop();
  for (std::unique_ptr<Helper>& helper : helpers_) helper->Stop();
  CriticalSection_CL::Scope hold(Lock());
  quick_.clear();
  full_.clear();
  undelivered_.Clear();
  helpers_.clear();
  for (bool& flag : awake_) flag = false;
}

void DecodeImage_CL::ShutdownAndDrain() {
  // No thread posts any more once Shutdown returns: what the queue holds
  // now is all there will be.
  Shutdown();
  UndeliveredResults<DecodeItem_CL>::DeleteQueued(target_, WM_DECODE_DONE);
}

std::vector<DecodeImage_CL::ItemPtr> DecodeImage_CL::TakeUndelivered() { return undelivered_.Take(); }

int DecodeImage_CL::OnThreadMessage(UINT message, WPARAM, LPARAM) {
  if (message != WM_DECODE_REQUEST || StopRequested()) return 0;
  return Drain(0, this);
}

int DecodeImage_CL::Drain(int thread, ThreadBase_CL* self) {
  while (self->IsRunning()) {
    ItemPtr item;
    bool quick = false;
    {
      CriticalSection_CL::Scope hold(Lock());
      // Every quick picture before any full decode: a page shows at once.
      if (!quick_.empty()) {
        item = std::move(quick_.back());
        quick_.pop_back();
        quick = true;
      } else if (!full_.empty()) {
        item = std::move(full_.back());
        full_.pop_back();
      } else {
        awake_[thread] = false;
        return 0;
      }
    }
    if (quick) {
      // Out of memory, there is no quick picture; the full decode follows.
      BitmapPtr picture = CallGuarded(BitmapPtr(), [&] { return DecodeEmbedded(*item); });
      if (picture) {
        ItemPtr first = NewItem(item->path, item->width, item->height);
        if (first) {
          first->sequence = item->sequence;
          first->pixelFormat = item->pixelFormat;
          first->cacheKey = item->cacheKey;
          first->preliminary = true;
          first->result = std::move(picture);
          // Posted before the request can reach a full decode, so the
          // final result always arrives after it.
          OnDecoded(std::move(first));
        }
      }
      CriticalSection_CL::Scope hold(Lock());
      try {
        full_.insert(std::upper_bound(full_.begin(), full_.end(), item, BySequence), std::move(item));
      } catch (const std::bad_alloc&) {
        // Dropped: its cell keeps what it shows until it is painted anew.
      }
    } else {
      // A decode that fails (out of memory) delivers the request without a
      // thumbnail, as for a photo that cannot be read; the queue goes on.
      if (!RunGuarded([&] { Decode(item.get()); })) item->result.reset();
      OnDecoded(std::move(item));
    }
    if (StopRequested()) return 0;
  }
  return 0;
}

void DecodeImage_CL::Decode(DecodeItem_CL* item) {
  // A file that cannot be read, or a picture without a size, yields no
  // thumbnail; the queue goes on.
  // Asked before the bytes are read: a change while they are is seen later.
  item->stamp = ReadFileStamp(item->path);
  ShownBytes shown = ReadPhotoBytes(item->path);
  if (g_decodeHook) g_decodeHook(*item);
  item->result =
      ThumbnailFromShown(std::move(shown), item->width, item->height, item->pixelFormat, &item->complete);
}

BitmapPtr DecodeImage_CL::DecodeEmbedded(const DecodeItem_CL& item) {
  return LoadEmbeddedThumbnail(item.path, item.width, item.height, item.pixelFormat);
}

void DecodeImage_CL::OnDecoded(ItemPtr item) {
  // One whose message cannot be posted is taken at the owner's next paint,
  // so that its cell does not keep the placeholder; Shutdown deletes what
  // is never taken (the window is gone).
  if (!item) return;
  const WPARAM sequence = static_cast<WPARAM>(item->sequence);
  const PostHook post = g_postHook ? g_postHook : &PostMessageW;
  undelivered_.Deliver(target_, WM_DECODE_DONE, sequence, std::move(item), post);
}
