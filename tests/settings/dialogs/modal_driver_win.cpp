#include "modal_driver_win.h"

namespace {

ModalDriver* g_driver = NULL;

BOOL CALLBACK CloseWindowOfThread(HWND window, LPARAM) {
  if (IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps, int maxTicks)
    : steps_(std::move(steps)), maxTicks_(maxTicks) {
  g_driver = this;
  timer_ = SetTimer(NULL, 0, 50, OnTimer);
}

ModalDriver::~ModalDriver() {
  KillTimer(NULL, timer_);
  g_driver = NULL;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ModalDriver* self = g_driver;
  if (!self) return;
  if (++self->ticks_ > self->maxTicks_) {
    self->timedOut_ = true;
    EnumThreadWindows(GetCurrentThreadId(), CloseWindowOfThread, 0);
    return;
  }
  // One step per tick, so the window can settle (and paint) in between.
  if (!self->Finished() && self->steps_[self->next_]()) ++self->next_;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
