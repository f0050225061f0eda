// Decoders and a receiver for the decode worker's tests: a scripted decoder
// that decodes nothing and records what it was asked, in which order, and
// a message-only window that receives finished requests.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "decode_image.h"
#include "win_handles.h"

const DWORD kPatience = 20000;  // ms

extern std::atomic<int> g_itemsAlive;
// Every delivery of every scripted decoder, counted past its destruction.
extern std::atomic<int> g_delivered;

// A request that counts how many are alive, so deletions can be checked.
class CountedItem : public DecodeItem_CL {
 public:
  explicit CountedItem(const std::wstring& path) : DecodeItem_CL(path, 192, 144) { ++g_itemsAlive; }
  ~CountedItem() override { --g_itemsAlive; }
};

inline DecodeImage_CL::ItemPtr Item(const std::wstring& path) {
  return DecodeImage_CL::ItemPtr(new CountedItem(path));
}

// Decodes nothing. A request for "hold", or a WM_THREAD_NOTIFY, holds the
// thread that took it until Release or until the decoder is told to stop.
// A request whose path starts with "quick" gets a quick picture first.
// Deliveries are recorded as the path, prefixed with "quick:" for quick
// pictures; full decodes are also recorded as they start.
class ScriptedDecoder : public DecodeImage_CL {
 public:
  // decodeMs: how long each full decode but "hold" takes, so that threads
  // interleave as real decodes do.
  explicit ScriptedDecoder(int threads = 1, DWORD decodeMs = 0);
  ~ScriptedDecoder() override { Shutdown(); }

  // Waits until count threads hold.
  bool WaitHolding(int count = 1);
  // Lets every holding thread go on.
  void Release() { SetEvent(release_.Get()); }
  bool WaitDelivered(std::size_t count);
  std::vector<std::wstring> Order();
  std::vector<std::wstring> Started();
  int WakeUps() const { return wakeUps_; }
  int Delivered() const { return delivered_; }

  int OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Decode(DecodeItem_CL* item) override;
  BitmapPtr DecodeEmbedded(const DecodeItem_CL& item) override;
  void OnDecoded(ItemPtr item) override;

 private:
  void Hold();

  DWORD decodeMs_;
  UniqueHandle release_;  // manual reset
  UniqueHandle deliveredEvent_;
  std::atomic<int> holding_{0};
  std::atomic<int> wakeUps_{0};
  std::atomic<int> delivered_{0};
  std::vector<std::wstring> order_;
  std::vector<std::wstring> started_;
};

// A message-only window; Next pumps this thread's messages until a
// WM_DECODE_DONE for it arrives.
class Receiver {
 public:
  Receiver();
  ~Receiver();
  HWND Window() const { return window_; }
  DecodeImage_CL::ItemPtr Next(WPARAM* sequence);

 private:
  HWND window_;
};
