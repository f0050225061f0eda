// A command's remaining steps carried out under the progress window, on the
// window's own thread: each step may show its result in the main window at
// once, with no other thread touching what is on screen. A timer runs the
// steps a slice at a time, so that between slices the windows paint and the
// bar moves; the owner is disabled meanwhile, as under any modal window.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "easy_progress.h"

extern const wchar_t kWritingPhotosTitle[];  // "写真を書き換え中"

class StepProgress_CL : public EasyProgress_CL {
 public:
  // Steps `done` to count - 1 are left to do.
  StepProgress_CL(const std::function<void(std::size_t)>& step, std::size_t done, std::size_t count);
  ~StepProgress_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Carries out the steps the window did not (all of them when it could not
  // be shown); after DoModal.
  void RunRest();

 protected:
  void ThreadMain(INT_PTR, INT_PTR) override {}
  void OnThreadEnd(int) override {}

 private:
  void RunSlice(HWND window);

  std::function<void(std::size_t)> step;
  std::size_t next;
  std::size_t count;
};
