// A long command's steps under the progress window: they run in order on the
// window's own thread, the window shows while they run, and the queue is
// served between slices of steps.
#include "step_progress.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace {

const UINT WM_PROBE = WM_APP + 21;

// Each step takes about this long: 30 of them outlast several slices.
const DWORD kStepMs = 15;

struct Seen {
  std::vector<std::size_t> steps;
  std::vector<DWORD> threads;
  std::vector<bool> windowShown;
  int barMax = -1;
  std::size_t probeAnsweredAt = 0;  // how many steps had run then
};
Seen g_seen;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PROBE) g_seen.probeAnsweredAt = g_seen.steps.size();
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST(StepProgress, StepsRunInOrderOnTheWindowsThreadAndTheQueueIsServedBetweenSlices) {
  g_seen = Seen();
  WNDCLASSW type = {};
  type.lpfnWndProc = &ProbeProc;
  type.hInstance = GetModuleHandleW(NULL);
  type.lpszClassName = L"StepProgressProbe";
  RegisterClassW(&type);
  HWND probe = CreateWindowW(L"StepProgressProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, type.hInstance, NULL);
  ASSERT_TRUE(probe);

  const std::size_t kCount = 30;
  StepProgress_CL* running = nullptr;
  auto step = [&](std::size_t i) {
    g_seen.steps.push_back(i);
    g_seen.threads.push_back(GetCurrentThreadId());
    HWND window = running ? running->GetHwnd() : NULL;
    g_seen.windowShown.push_back(window && IsWindowVisible(window));
    if (window) g_seen.barMax = static_cast<int>(SendMessageW(running->ProgressBarWindow(), PBM_GETRANGE, FALSE, 0));
    // Posted from the second step on, answered only once a slice is over.
    if (i == 3) PostMessageW(probe, WM_PROBE, 0, 0);
    Sleep(kStepMs);
  };
  // Steps 0 to 2 were done before the window came.
  StepProgress_CL progress(step, 3, kCount);
  running = &progress;
  progress.DoModal(0, 0, NULL);
  progress.RunRest();
  DestroyWindow(probe);

  std::vector<std::size_t> expected;
  for (std::size_t i = 3; i < kCount; ++i) expected.push_back(i);
  EXPECT_EQ(expected, g_seen.steps);
  for (DWORD thread : g_seen.threads) EXPECT_EQ(GetCurrentThreadId(), thread);
  ASSERT_FALSE(g_seen.windowShown.empty());
  EXPECT_TRUE(g_seen.windowShown.back()) << "the progress window stands while the steps run";
  EXPECT_EQ(2000, g_seen.barMax);
  EXPECT_EQ(2000u, progress.LastPosition());
  EXPECT_GT(g_seen.probeAnsweredAt, 1u);
  EXPECT_LT(g_seen.probeAnsweredAt, kCount - 3) << "a message posted meanwhile waited for the end";
}
