// Drives a modal window (a dialog or a property sheet) from a thread timer
// that fires inside its modal loop: each step runs on a tick until it reports
// itself done, then the next one. If the steps do not finish in time, the
// driver closes every window of the thread it can find, so a failing test
// ends instead of hanging.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class ModalDriver {
 public:
  typedef std::function<bool()> Step;  // true: done, go on to the next

  explicit ModalDriver(std::vector<Step> steps, int maxTicks = 200);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool Finished() const { return next_ >= steps_.size(); }
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int ticks_ = 0;
  int maxTicks_;
  bool timedOut_ = false;
  UINT_PTR timer_;
};

// Presses a button the way a click does (BM_CLICK).
void Click(HWND button);
