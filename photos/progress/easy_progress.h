// A small modal progress window that owns a run-once worker: the window
// shows a bar from 0 to 2000 and, if asked, a "キャンセル" button; the worker
// does the work and closes the window when it is done.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "control_factory.h"
#include "easy_thread_base.h"
#include "subclass_dialog_base.h"

class EasyProgress_CL : public SubClassDialogBase_CL, public EasyThreadBase_CL {
 public:
  // Client size of the window at 96 DPI.
  static const int kWidth = 480;
  static const int kHeight = 56;

  EasyProgress_CL(const std::wstring& title, bool showCancel);
  // Waits for the worker, however long it takes.
  ~EasyProgress_CL() override;

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Puts the bar at position; on the worker thread (the message is sent to
  // the window's thread, which serves it from its modal loop).
  virtual void SetProgress(std::uint32_t position);
  virtual void WaitWorker() { Wait(); }

  HWND ProgressBarWindow() const;
  HWND CancelButtonWindow() const;
  std::uint32_t LastPosition() const { return lastPosition; }

  int startOnOpen = 0;  // set by the owner before DoModal: start the worker then

 protected:
  // The progress rule, on the worker: nothing without a bar; the bar at 0
  // while there is nothing to do; otherwise the position of done / total,
  // sent only when it moved.
  void ReportProgress();
  // Ends the modal run from the worker; the window closes even though the
  // user cannot close it.
  void CloseFromWorker();

  ControlFactory_CL controls;
  int progressBar = -1;   // index in controls; -1 until the window is set up
  int cancelButton = -1;  // likewise
  std::wstring title;
  int showCancel;
  std::uint64_t total = 0;
  std::uint64_t done = 0;
  std::uint32_t lastPosition = 0;

 private:
  void SetupWindow(HWND window);
  std::atomic<long> closing{0};  // the worker has asked the window to close
};
