#include "notice_answerer_win.h"

#include <cwchar>
#include <vector>

namespace {

NoticeAnswerer* g_current = NULL;

struct FindBox {
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM lParam) {
  FindBox* find = reinterpret_cast<FindBox*>(lParam);
  wchar_t className[32] = L"";
  GetClassNameW(window, className, 32);
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, 256);
  // Only the message box has a Yes button.
  if (std::wstring(className) == L"#32770" && *find->title == title && IsWindowVisible(window) &&
      GetDlgItem(window, IDYES) != NULL) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
  std::wstring* longest = reinterpret_cast<std::wstring*>(lParam);
  std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1);
  GetWindowTextW(child, text.data(), static_cast<int>(text.size()));
  if (std::wcslen(text.data()) > longest->size()) *longest = text.data();
  return TRUE;
}

}  // namespace

std::wstring LongestChildText(HWND parent) {
  std::wstring longest;
  EnumChildWindows(parent, CollectText, reinterpret_cast<LPARAM>(&longest));
  return longest;
}

NoticeAnswerer::NoticeAnswerer(HWND* dialogSlot, const std::wstring& title, int button)
    : dialogSlot_(dialogSlot), title_(title), button_(button) {
  if (dialogSlot_) *dialogSlot_ = NULL;
  g_current = this;
  timer_ = SetTimer(NULL, 0, 50, OnTimer);
}

NoticeAnswerer::~NoticeAnswerer() {
  KillTimer(NULL, timer_);
  g_current = NULL;
}

void NoticeAnswerer::Answer(HWND notice, bool messageBox) {
  ++noticesSeen;
  sawMessageBox = messageBox;
  text = LongestChildText(notice);
  GetWindowRect(notice, &windowRect);
  if (button_ == 0) {
    PostMessageW(notice, WM_CLOSE, 0, 0);
  } else {
    PostMessageW(notice, WM_COMMAND, static_cast<WPARAM>(button_), 0);
  }
}

void CALLBACK NoticeAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  NoticeAnswerer* self = g_current;
  if (!self) return;
  if (self->dialogSlot_ && *self->dialogSlot_ && IsWindow(*self->dialogSlot_) &&
      IsWindowVisible(*self->dialogSlot_)) {
    HWND dialog = *self->dialogSlot_;
    *self->dialogSlot_ = NULL;
    self->Answer(dialog, false);
    return;
  }
  FindBox find = {&self->title_, NULL};
  EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&find));
  if (find.found) {
    // A box answered already may linger for a moment; answer it once.
    SetWindowTextW(find.found, L"");
    self->Answer(find.found, true);
  }
}
