#include "decoder_harness_win.h"

#include "bitmap_builders.h"

std::atomic<int> g_itemsAlive(0);
std::atomic<int> g_delivered(0);

ScriptedDecoder::ScriptedDecoder(int threads, DWORD decodeMs)
    : decodeMs_(decodeMs),
      release_(CreateEventW(NULL, TRUE, FALSE, NULL)), deliveredEvent_(CreateEventW(NULL, FALSE, FALSE, NULL)) {
  SetThreadCount(threads);
}

bool ScriptedDecoder::WaitHolding(int count) {
  const DWORD start = GetTickCount();
  while (holding_ < count) {
    if (GetTickCount() - start > kPatience) return false;
    Sleep(1);
  }
  return true;
}

bool ScriptedDecoder::WaitDelivered(std::size_t count) {
  while (Order().size() < count) {
    if (WaitForSingleObject(deliveredEvent_.Get(), kPatience) != WAIT_OBJECT_0) return false;
  }
  return true;
}

std::vector<std::wstring> ScriptedDecoder::Order() {
  CriticalSection_CL::Scope hold(Lock());
  return order_;
}

std::vector<std::wstring> ScriptedDecoder::Started() {
  CriticalSection_CL::Scope hold(Lock());
  return started_;
}

int ScriptedDecoder::OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DECODE_REQUEST) ++wakeUps_;
  if (message == WM_THREAD_NOTIFY) Hold();
  return DecodeImage_CL::OnThreadMessage(message, wParam, lParam);
}

void ScriptedDecoder::Decode(DecodeItem_CL* item) {
  {
    CriticalSection_CL::Scope hold(Lock());
    started_.push_back(item->path);
  }
  if (item->path == L"hold") {
    Hold();
  } else if (decodeMs_ > 0) {
    Sleep(decodeMs_);
  }
}

BitmapPtr ScriptedDecoder::DecodeEmbedded(const DecodeItem_CL& item) {
  if (item.path.compare(0, 5, L"quick") != 0) return BitmapPtr();
  return CreateBitmap(4, 3, item.pixelFormat);
}

void ScriptedDecoder::OnDecoded(ItemPtr item) {
  ++delivered_;
  ++g_delivered;
  {
    CriticalSection_CL::Scope hold(Lock());
    order_.push_back(item->preliminary ? L"quick:" + item->path : item->path);
  }
  item.reset();  // deleted before anyone is told
  SetEvent(deliveredEvent_.Get());
}

void ScriptedDecoder::Hold() {
  ++holding_;
  while (WaitForSingleObject(release_.Get(), 1) == WAIT_TIMEOUT && !StopRequested()) {
  }
}

Receiver::Receiver()
    : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL)) {}

Receiver::~Receiver() { DestroyWindow(window_); }

DecodeImage_CL::ItemPtr Receiver::Next(WPARAM* sequence) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < kPatience) {
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_DECODE_DONE && msg.hwnd == window_) {
        *sequence = msg.wParam;
        return DecodeImage_CL::TakeItem(msg.lParam);
      }
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
  return DecodeImage_CL::ItemPtr();
}
