#include "step_progress.h"

const wchar_t kWritingPhotosTitle[] = L"写真を書き換え中";

namespace {

const UINT_PTR kStepTimer = 1;
// Long enough for several photos, short enough that a click or a repaint
// waits no longer than the eye notices.
const DWORD kSliceMs = 40;

}  // namespace

StepProgress_CL::StepProgress_CL(const std::function<void(std::size_t)>& step, std::size_t done,
                                 std::size_t count)
    : EasyProgress_CL(kWritingPhotosTitle, false), step(step), next(done), count(count) {
  total = count;
  this->done = done;
}

StepProgress_CL::~StepProgress_CL() { Wait(); }

INT_PTR StepProgress_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const INT_PTR result = EasyProgress_CL::HandleMessage(window, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    ReportProgress();
    // The timer's message comes after the paint and the input waiting: the
    // window shows before the first slice.
    if (!SetTimer(window, kStepTimer, USER_TIMER_MINIMUM, NULL)) CloseFromWorker();
  } else if (message == WM_TIMER && wParam == kStepTimer) {
    RunSlice(window);
  }
  return result;
}

void StepProgress_CL::RunSlice(HWND window) {
  const DWORD start = GetTickCount();
  while (next < count && GetTickCount() - start < kSliceMs) step(next++);
  done = next;
  ReportProgress();
  if (next < count) return;
  KillTimer(window, kStepTimer);
  EndDialog(window, 0);
}

void StepProgress_CL::RunRest() {
  while (next < count) step(next++);
}
