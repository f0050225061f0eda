#include "keyboard_shortcuts.h"

namespace {

// The window and table of the calling thread's filter. Only the user-
// interface thread installs one.
struct Shortcuts {
  HWND window = NULL;
  HACCEL table = NULL;
  HHOOK hook = NULL;
};
Shortcuts g_shortcuts;

bool MeantFor(HWND window, HWND target) {
  return target && (target == window || IsChild(window, target));
}

}  // namespace

KeyboardShortcuts_CL::~KeyboardShortcuts_CL() { Uninstall(); }

bool KeyboardShortcuts_CL::Install(HWND window, HACCEL table) {
  Uninstall();
  if (!window || !table) return false;
  hook_ = SetWindowsHookExW(WH_MSGFILTER, &KeyboardShortcuts_CL::FilterProc, NULL, GetCurrentThreadId());
  if (!hook_) return false;
  g_shortcuts.window = window;
  g_shortcuts.table = table;
  g_shortcuts.hook = hook_;
  return true;
}

void KeyboardShortcuts_CL::Uninstall() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  if (g_shortcuts.hook == hook_) g_shortcuts = Shortcuts();
  hook_ = NULL;
}

LRESULT CALLBACK KeyboardShortcuts_CL::FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  // Only the dialog loop's own messages: not those of a menu being shown,
  // nor of another dialog (its loop passes them here as well).
  if (code == MSGF_DIALOGBOX && lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    const HWND window = g_shortcuts.window;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && window &&
        MeantFor(window, msg->hwnd) && IsWindowEnabled(window) &&
        TranslateAcceleratorW(window, g_shortcuts.table, msg)) {
      return TRUE;
    }
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}
