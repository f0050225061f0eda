// The background thumbnail decoder: worker threads, one per core, that serve
// one queue of requests newest first and post each finished thumbnail to a
// window. Every request is answered twice when it can be: first, at once,
// from the small thumbnail the camera embedded in the photo (a preliminary
// result), then from the full decode, which replaces it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "file_stamp.h"
#include "gdiplus_types.h"
#include "pixel_formats.h"
#include "thread_base.h"
#include "undelivered_results.h"

class DecodeImage_CL : public ThreadBase_CL {
 public:
  // One request: a photo file and the thumbnail size wanted.
  class DecodeItem_CL {
   public:
    // Copies the path: may throw std::bad_alloc (NewItem does not).
    DecodeItem_CL(const std::wstring& path, int width, int height)
        : path(path), width(width), height(height) {
      ++live_;
    }
    virtual ~DecodeItem_CL() { --live_; }
    DecodeItem_CL(const DecodeItem_CL&) = delete;
    DecodeItem_CL& operator=(const DecodeItem_CL&) = delete;

    // Requests alive in the whole program: queued, being decoded, on their
    // way in a message or held by a receiver.
    static long LiveCount() { return live_; }

    int sequence = 0;  // given by Enqueue, in queueing order
    std::wstring path;
    int width;
    int height;
    int pixelFormat = kThumbnailPixelFormat;
    // The thumbnail; null when the photo could not be read or decoded. The
    // receiver takes it out (std::move) to keep it.
    BitmapPtr result;
    int cacheKey = 0;  // the photo's index in the list, set by the requester
    // True for the quick picture from the embedded thumbnail; the request's
    // full decode follows under the same sequence number.
    bool preliminary = false;
    // The file as it was before its bytes were read, and whether they made a
    // whole picture, so that a cell whose file changes is decoded again.
    FileStamp stamp;
    bool complete = true;

   private:
    static std::atomic<long> live_;
  };
  typedef std::unique_ptr<DecodeItem_CL> ItemPtr;

  // A new request, or null when there is no memory for it.
  static ItemPtr NewItem(const std::wstring& path, int width, int height);

  // Test seam: called on the worker after a request's photo file has been
  // read and before its thumbnail is drawn. Null in the program.
  typedef void (*DecodeHook)(const DecodeItem_CL& item);
  static void SetDecodeHookForTests(DecodeHook hook);
  // Test seam: posts finished requests in place of PostMessageW. Null in
  // the program.
  typedef BOOL(WINAPI* PostHook)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void SetPostHookForTests(PostHook hook);

  // At most this many decode threads, whatever the number of cores: more
  // would only contend for the same disk and memory bandwidth. A thumbnail
  // is decoded at the scale of its cell, so each thread holds little more
  // than the photo's bytes; a photo libjpeg-turbo refuses is decoded in full
  // by GDI+, which holds about 100 MB for a 12-megapixel photo, and a 32-bit
  // process has 2 GB of address space.
  static const int kMaxThreads = 4;
  // One per core, within 1..kMaxThreads.
  static int DefaultThreadCount();

  DecodeImage_CL();
  ~DecodeImage_CL() override;

  // How many threads serve the queue; set before Start (later calls are
  // ignored). Clamped to 1..kMaxThreads.
  void SetThreadCount(int count);
  int ThreadCount() const { return threadCount_; }
  // Whether requests get the quick picture from the embedded thumbnail
  // first (the default). Set before Start.
  void SetQuickPictures(bool on) { quickPictures_ = on; }

  // The window WM_DECODE_DONE goes to; set before Start. Without one,
  // finished requests are deleted.
  void SetTargetWindow(HWND window) { target_ = window; }
  HWND TargetWindow() const { return target_; }

  using ThreadBase_CL::Start;
  // Starts the workers. Requests queued before it are served as well.
  void Start();

  // Queues a request (the queue owns it from here) and returns its sequence
  // number; 0 when there is no request or no memory for it. A request wakes
  // only the threads that are idle: one wake-up drains the lot.
  int Enqueue(ItemPtr item);
  // Requests waiting for either stage.
  std::size_t QueuedCount();
  // Between these, requests are queued without waking anyone; the end wakes
  // the idle threads once. A page of cells is queued as one burst, so that
  // every cell's quick picture comes before any full decode even on a
  // single thread. User-interface thread only.
  void BeginBurst() { ++bursting_; }
  void EndBurst();

  // The destruction rule, for subclasses to run in their own destructors:
  // each thread finishes and delivers the request in progress, every
  // waiting one is deleted without being decoded, and the threads end.
  void Shutdown();
  // For a target window that is going away (its WM_DESTROY), on its thread:
  // Shutdown, then every finished request posted to the window and not yet
  // taken is deleted, so none is lost in the queue with its thumbnail.
  void ShutdownAndDrain();

  // The finished requests whose WM_DECODE_DONE could not be posted (the
  // window's queue was full), for the owner to take as if they had arrived.
  // User-interface thread.
  std::vector<ItemPtr> TakeUndelivered();

  // The request a WM_DECODE_DONE carries, owned by the caller.
  static ItemPtr TakeItem(LPARAM lParam) { return ItemPtr(reinterpret_cast<DecodeItem_CL*>(lParam)); }

  int OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Reads the photo, decodes it at the scale of the cell, makes it upright
  // and draws the thumbnail into item->result. On a worker thread.
  virtual void Decode(DecodeItem_CL* item);
  // The quick picture for item from the photo's embedded thumbnail, or null
  // when it has none to trust. On a worker thread.
  virtual BitmapPtr DecodeEmbedded(const DecodeItem_CL& item);
  // Hands a finished request, preliminary or final, to the target window.
  // On a worker thread.
  virtual void OnDecoded(ItemPtr item);

 private:
  class Helper;

  // The loop every thread runs on a wake-up: thread is 0 for this object's
  // own thread, 1.. for the helpers; self is that thread's object.
  int Drain(int thread, ThreadBase_CL* self);
  // Posts a wake-up to every idle thread. Under the lock.
  void WakeIdleThreads();
  // Under the lock, or on the user-interface thread.
  ThreadBase_CL* ThreadAt(int thread);

  std::atomic<HWND> target_{NULL};
  int threadCount_;
  bool quickPictures_ = true;
  int bursting_ = 0;
  // Waiting for the quick picture: a stack, the newest request at the back.
  std::vector<ItemPtr> quick_;
  // Waiting for the full decode, in sequence order; served from the back.
  std::vector<ItemPtr> full_;
  // Finished, but their message could not be posted.
  UndeliveredResults<DecodeItem_CL> undelivered_{Lock()};
  std::vector<std::unique_ptr<Helper>> helpers_;
  // Per thread: a wake-up is on its way or the thread is draining.
  bool awake_[kMaxThreads] = {};
};

typedef DecodeImage_CL::DecodeItem_CL DecodeItem_CL;
