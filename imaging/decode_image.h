// The background thumbnail decoder: one worker thread that serves a queue of
// requests newest first and posts each finished thumbnail to a window.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "gdiplus_types.h"
#include "pixel_formats.h"
#include "thread_base.h"

class DecodeImage_CL : public ThreadBase_CL {
 public:
  // One request: a photo file and the thumbnail size wanted.
  class DecodeItem_CL {
   public:
    DecodeItem_CL(const std::wstring& path, int width, int height)
        : path(path), width(width), height(height) {}
    virtual ~DecodeItem_CL() {}
    DecodeItem_CL(const DecodeItem_CL&) = delete;
    DecodeItem_CL& operator=(const DecodeItem_CL&) = delete;

    int sequence = 0;  // given by Enqueue, in queueing order
    std::wstring path;
    int width;
    int height;
    int pixelFormat = kThumbnailPixelFormat;
    // The thumbnail; null when the photo could not be read or decoded. The
    // receiver takes it out (std::move) to keep it.
    BitmapPtr result;
    int cacheKey = 0;  // the photo's index in the list, set by the requester
  };
  typedef std::unique_ptr<DecodeItem_CL> ItemPtr;

  // Test seam: called on the worker after a request's photo file has been
  // read and before its thumbnail is drawn. Null in the program.
  typedef void (*DecodeHook)(const DecodeItem_CL& item);
  static void SetDecodeHookForTests(DecodeHook hook);

  DecodeImage_CL();
  ~DecodeImage_CL() override;

  // The window WM_DECODE_DONE goes to; set before Start. Without one,
  // finished requests are deleted.
  void SetTargetWindow(HWND window) { target_ = window; }
  HWND TargetWindow() const { return target_; }

  using ThreadBase_CL::Start;
  // Starts the worker. Requests queued before it are served as well.
  void Start();

  // Queues a request (the queue owns it from here) and returns its sequence
  // number; 0 when there is no request or no memory for it. Only a request
  // that finds the queue empty wakes the worker: one wake-up drains the lot.
  int Enqueue(ItemPtr item);
  std::size_t QueuedCount();

  // The destruction rule, for subclasses to run in their own destructors:
  // the request in progress is finished and delivered, every waiting one is
  // deleted without being decoded, and the thread ends.
  void Shutdown();

  // The request a WM_DECODE_DONE carries, owned by the caller.
  static ItemPtr TakeItem(LPARAM lParam) { return ItemPtr(reinterpret_cast<DecodeItem_CL*>(lParam)); }

  int OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Reads the photo, makes it upright and draws the thumbnail into
  // item->result. On the worker thread.
  virtual void Decode(DecodeItem_CL* item);
  // Hands a finished request to the target window. On the worker thread.
  virtual void OnDecoded(ItemPtr item);

 private:
  std::atomic<HWND> target_{NULL};
  std::vector<ItemPtr> queue_;  // a stack: the newest request is at the back
};

typedef DecodeImage_CL::DecodeItem_CL DecodeItem_CL;
