// Answers the update notice the way a user would, from a timer that fires
// inside the notice's modal loop: the dialog (found through the window slot
// the check publishes it in) or the owner-less message box (found by its
// title among this thread's windows). It records what the notice showed.
#pragma once

#include <windows.h>

#include <string>

class NoticeAnswerer {
 public:
  // What the "user" does: the button identifier to press (4096, 4098 for the
  // dialog; IDYES, IDNO, IDCANCEL for the message box), or 0 to close.
  NoticeAnswerer(HWND* dialogSlot, const std::wstring& title, int button);
  ~NoticeAnswerer();
  NoticeAnswerer(const NoticeAnswerer&) = delete;
  NoticeAnswerer& operator=(const NoticeAnswerer&) = delete;

  int noticesSeen = 0;
  bool sawMessageBox = false;
  std::wstring text;   // the notice text as shown
  RECT windowRect = {0, 0, 0, 0};

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Answer(HWND notice, bool messageBox);

  HWND* dialogSlot_;
  std::wstring title_;
  int button_;
  UINT_PTR timer_;
};

// The longest text among a window's children: the notice's message.
std::wstring LongestChildText(HWND parent);
