// Dispatch through ControlWindowProc and SubclassProc: the handled flag, the
// message hook and the restoring of the saved procedure.
#include "control_base.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "subclass_window_base.h"
#include "test_window_win.h"

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[64] = L"";
  GetWindowTextW(window, text, 64);
  return text;
}

// A custom control in the way the picture controls make theirs: a "Static"
// window created with the object as create parameter, then subclassed.
class RecordingControl : public ControlBase_CL {
 public:
  RecordingControl() : ControlBase_CL(kControlImage) {}

  HWND CreateIn(HWND parent) {
    HWND window = CreateWindowExW(0, L"Static", L"before", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                  parent, NULL, GetModuleHandleW(NULL), this);
    if (window) SubclassWindow(window);
    return window;
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == WM_SETTEXT && throwOnSetText) {
      handled = 1;
      throw std::bad_alloc();
    }
    if (message == WM_SETTEXT && swallowSetText) {
      handled = 1;
      return 77;
    }
    return ControlBase_CL::HandleMessage(window, message, wParam, lParam);
  }

  std::vector<UINT> seen;
  bool swallowSetText = false;
  bool throwOnSetText = false;
};

bool Saw(const std::vector<UINT>& seen, UINT message) {
  for (UINT m : seen) {
    if (m == message) return true;
  }
  return false;
}

int g_hookCalls = 0;
LRESULT CountingHook(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_APP + 5) ++g_hookCalls;
  return 5;
}

}  // namespace

TEST(ControlWindowProc, HandledMessageGetsNoDefaultProcessing) {
  TestWindow parent(200, 100);
  RecordingControl control;
  HWND window = control.CreateIn(parent.Get());
  ASSERT_TRUE(window);
  EXPECT_EQ(&control, reinterpret_cast<RecordingControl*>(GetWindowLongPtrW(window, GWLP_USERDATA)));

  control.swallowSetText = true;
  EXPECT_EQ(77, SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"after")));
  EXPECT_EQ(std::wstring(L"before"), TextOf(window));

  // The flag is cleared before each message: an unhandled one reaches the
  // static control again.
  control.swallowSetText = false;
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"after"));
  EXPECT_EQ(std::wstring(L"after"), TextOf(window));
  EXPECT_TRUE(Saw(control.seen, WM_GETTEXT));
  DestroyWindow(window);
}

TEST(ControlWindowProc, DestroyPutsTheSavedProcedureBack) {
  TestWindow parent(200, 100);
  RecordingControl control;
  HWND window = control.CreateIn(parent.Get());
  ASSERT_TRUE(window);
  const LONG_PTR original = reinterpret_cast<LONG_PTR>(control.savedProc);
  ASSERT_NE(original, GetWindowLongPtrW(window, GWLP_WNDPROC));

  DestroyWindow(window);
  EXPECT_TRUE(Saw(control.seen, WM_DESTROY));
  // WM_NCDESTROY follows WM_DESTROY and goes straight to the static
  // control's own procedure.
  EXPECT_FALSE(Saw(control.seen, WM_NCDESTROY));
}

TEST(ControlWindowProc, DestroyRestoresEvenWhenTheHandlerClaimsIt) {
  TestWindow parent(200, 100);
  RecordingControl control;
  HWND window = control.CreateIn(parent.Get());
  ASSERT_TRUE(window);
  SendMessageW(window, WM_DESTROY, 0, 0);  // as if destroyed, window kept
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(control.savedProc), GetWindowLongPtrW(window, GWLP_WNDPROC));
  const size_t before = control.seen.size();
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
  EXPECT_EQ(before, control.seen.size());
  DestroyWindow(window);
}

TEST(ControlWindowProc, WindowWithoutObjectAnswersZero) {
  EXPECT_EQ(0, ControlBase_CL::ControlWindowProc(NULL, WM_SETTEXT, 0, 0));
  TestWindow parent(10, 10);
  EXPECT_EQ(0, ControlBase_CL::ControlWindowProc(parent.Get(), WM_GETTEXTLENGTH, 0, 0));
}

TEST(ControlBase, BaseHandlerCallsTheMessageHookWhenSet) {
  RecordingControl control;
  EXPECT_EQ(0, control.ControlBase_CL::HandleMessage(NULL, WM_APP + 5, 0, 0));
  control.messageHook = &CountingHook;
  g_hookCalls = 0;
  EXPECT_EQ(5, control.ControlBase_CL::HandleMessage(NULL, WM_APP + 5, 0, 0));
  EXPECT_EQ(1, g_hookCalls);
}

namespace {

class CountingWindow : public SubClassWindowBase_CL {
 public:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETTEXT) ++setTextCount;
    if (message == WM_SETTEXT && throwOnSetText) throw std::bad_alloc();
    if (message == WM_NCDESTROY) sawNcDestroy = true;
    return SubClassWindowBase_CL::HandleMessage(window, message, wParam, lParam);
  }
  WNDPROC SavedProc() const { return savedProc; }

  int setTextCount = 0;
  bool sawNcDestroy = false;
  bool throwOnSetText = false;
};

}  // namespace

TEST(SubClassWindowBase, ForwardsEveryMessageAndUnhooksOnDestroy) {
  TestWindow parent(200, 100);
  CountingWindow subclassed;
  HWND window = subclassed.Create(0, L"Edit", L"one", WS_CHILD, 0, 0, 80, 20, parent.Get(),
                                  reinterpret_cast<HMENU>(9), GetModuleHandleW(NULL), NULL);
  ASSERT_TRUE(window);
  EXPECT_EQ(window, subclassed.GetHwnd());
  EXPECT_EQ(9, GetDlgCtrlID(window));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&SubClassWindowBase_CL::SubclassProc),
            GetWindowLongPtrW(window, GWLP_WNDPROC));

  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"two"));
  EXPECT_EQ(1, subclassed.setTextCount);
  EXPECT_EQ(std::wstring(L"two"), TextOf(window));  // the edit control still did its part

  DestroyWindow(window);
  EXPECT_FALSE(subclassed.sawNcDestroy);
}

TEST(SubClassWindowBase, FailedCreateLeavesNoWindow) {
  CountingWindow subclassed;
  EXPECT_FALSE(subclassed.Create(0, L"NoSuchWindowClassAnywhere", L"", WS_POPUP, 0, 0, 1, 1, NULL,
                                 NULL, GetModuleHandleW(NULL), NULL));
  EXPECT_FALSE(subclassed.GetHwnd());
  EXPECT_EQ(0, SubClassWindowBase_CL::SubclassProc(NULL, WM_NULL, 0, 0));
}

TEST(WindowProcedures, AHandlerThatThrowsLeavesTheMessageToTheControlsOwnProcedure) {
  TestWindow parent(200, 100);
  RecordingControl control;
  HWND custom = control.CreateIn(parent.Get());
  CountingWindow subclassed;
  HWND edit = subclassed.Create(0, L"Edit", L"one", WS_CHILD, 0, 0, 80, 20, parent.Get(), NULL,
                                GetModuleHandleW(NULL), NULL);
  ASSERT_TRUE(custom && edit);
  control.throwOnSetText = true;
  subclassed.throwOnSetText = true;
  SendMessageW(custom, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"after"));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"two"));
  EXPECT_EQ(std::wstring(L"after"), TextOf(custom));
  EXPECT_EQ(std::wstring(L"two"), TextOf(edit));
  DestroyWindow(custom);
  DestroyWindow(edit);
}
