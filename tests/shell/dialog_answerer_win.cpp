#include "dialog_answerer_win.h"

#include <algorithm>

std::vector<HWND> VisibleThreadDialogs(DWORD threadId) {
  std::vector<HWND> found;
  EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        if (wcscmp(className, L"#32770") == 0 && IsWindowVisible(window)) {
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring DialogStaticText(HWND dialog) {
  std::wstring text;
  for (HWND child = FindWindowExW(dialog, NULL, L"Static", NULL); child;
       child = FindWindowExW(dialog, child, L"Static", NULL)) {
    wchar_t buffer[512] = L"";
    GetWindowTextW(child, buffer, 512);
    if (buffer[0]) return buffer;
  }
  return text;
}

DialogAnswerer::DialogAnswerer(std::vector<Step> steps)
    : steps_(std::move(steps)), owner_(GetCurrentThreadId()),
      before_(VisibleThreadDialogs(GetCurrentThreadId())) {
  thread_ = CreateThread(NULL, 0, &Proc, this, 0, NULL);
}

DialogAnswerer::~DialogAnswerer() {
  WaitForSingleObject(thread_, kTimeoutMs);
  CloseHandle(thread_);
}

HWND DialogAnswerer::WaitForNewDialog() const {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kTimeoutMs) {
    Sleep(100);
    for (HWND dialog : VisibleThreadDialogs(owner_)) {
      if (std::find(before_.begin(), before_.end(), dialog) == before_.end()) return dialog;
    }
  }
  return NULL;
}

DWORD WINAPI DialogAnswerer::Proc(LPVOID param) {
  DialogAnswerer* self = static_cast<DialogAnswerer*>(param);
  for (const Step& step : self->steps_) {
    HWND dialog = self->WaitForNewDialog();
    if (!dialog) return 0;
    // A step acts once the dialog's thread serves messages again: the dialog
    // has finished setting itself up, and what it posted to itself comes
    // before anything the step posts.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored)) return 0;
    if (self->count_ == 0) {
      wchar_t text[128] = L"";
      GetWindowTextW(dialog, text, 128);
      self->title_ = text;
      self->text_ = DialogStaticText(dialog);
    }
    step(dialog);
    self->count_ = self->count_ + 1;
    // A dialog the step closed goes before the next step looks for one; one
    // the step only worked in (a file dialog changing folder) stays.
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && IsWindowVisible(dialog) && GetTickCount() - start < 1000) {
      Sleep(50);
    }
  }
  self->answered_ = true;
  return 0;
}

DialogAnswerer::Step Press(int id) {
  return [id](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}
