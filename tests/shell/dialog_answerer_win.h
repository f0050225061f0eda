// Answers the modal dialogs a test's own thread opens (file dialogs, message
// boxes, property sheets) from a helper thread, the way a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The dialog windows ("#32770") of a thread that are visible now.
std::vector<HWND> VisibleThreadDialogs(DWORD threadId);
// The text of the first static control of a dialog (a message box's text).
std::wstring DialogStaticText(HWND dialog);

class DialogAnswerer {
 public:
  typedef std::function<void(HWND dialog)> Step;
  static const DWORD kTimeoutMs = 30000;

  // Each step waits for a dialog of the calling thread that was not visible
  // when the answerer was made, then runs once it is up.
  explicit DialogAnswerer(std::vector<Step> steps);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  bool Answered() const { return answered_; }
  // The title and static text of the first dialog answered.
  std::wstring DialogTitle() const { return title_; }
  std::wstring DialogText() const { return text_; }
  // How many dialogs were answered.
  int Count() const { return count_; }

 private:
  static DWORD WINAPI Proc(LPVOID param);
  HWND WaitForNewDialog() const;

  std::vector<Step> steps_;
  DWORD owner_;
  std::vector<HWND> before_;
  HANDLE thread_ = NULL;
  volatile bool answered_ = false;
  volatile int count_ = 0;
  std::wstring title_;
  std::wstring text_;
};

// Presses a button of the dialog (IDOK, IDCANCEL ...).
DialogAnswerer::Step Press(int id);
