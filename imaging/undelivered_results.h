// Finished work a worker thread hands to a window as the lParam of a posted
// message. A post the window's queue refuses (it is full) must not lose the
// work, nor leave its receiver waiting for it for good: such work is kept
// here instead and the window is asked to repaint, and its owner takes the
// work at that paint as if its message had come.
#pragma once

#include <windows.h>

#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "critical_section.h"

template <class Item>
class UndeliveredResults {
 public:
  typedef std::unique_ptr<Item> ItemPtr;
  typedef BOOL(WINAPI* PostFunction)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // lock: the worker's, shared with its owner.
  explicit UndeliveredResults(CriticalSection_CL& lock) : lock_(lock) {}

  // Posts item to window (the window owns it from then on) or keeps it. On
  // the worker thread. Without a window the item is deleted.
  void Deliver(HWND window, UINT message, WPARAM wParam, ItemPtr item, PostFunction post) {
    if (!window || !item) return;
    Item* raw = item.release();
    if (post(window, message, wParam, reinterpret_cast<LPARAM>(raw))) return;
    item.reset(raw);
    {
      CriticalSection_CL::Scope hold(lock_);
      try {
        items_.push_back(std::move(item));
      } catch (const std::bad_alloc&) {
        return;
      }
    }
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }

  // What could not be posted, oldest first; the caller owns it.
  std::vector<ItemPtr> Take() {
    std::vector<ItemPtr> taken;
    CriticalSection_CL::Scope hold(lock_);
    taken.swap(items_);
    return taken;
  }

  void Clear() {
    CriticalSection_CL::Scope hold(lock_);
    items_.clear();
  }

  // For a window that is going away (its WM_DESTROY), once no worker posts
  // to it any more: the items of its messages still queued are deleted,
  // since the system drops the messages of a destroyed window unread.
  static void DeleteQueued(HWND window, UINT message) {
    if (!window) return;
    MSG msg;
    while (PeekMessageW(&msg, window, message, message, PM_REMOVE)) {
      // The quit message comes whatever the filter; it stays for the loop.
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      delete reinterpret_cast<Item*>(msg.lParam);
    }
  }

 private:
  CriticalSection_CL& lock_;
  std::vector<ItemPtr> items_;
};
