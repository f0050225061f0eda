// Modal dialogs from the in-memory template: binding at WM_INITDIALOG,
// dispatch, the result of DoModal and the property-page variant.
#include "subclass_dialog_base.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

#include <vector>

#include "control_factory.h"
#include "dialog_metrics.h"

namespace {

const UINT kEndNow = WM_APP + 1;

class ScriptedDialog : public SubClassDialogBase_CL {
 public:
  // endWith < 0: close with WM_CLOSE (the base ends with 0).
  explicit ScriptedDialog(INT_PTR endWith) : endWith_(endWith) {}

  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(message);
    if (message == WM_INITDIALOG) {
      boundAtInit = hwnd == window &&
                    GetWindowLongPtrW(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this);
      hadDc = hdc.Get() != NULL;
      fontAtInit = font;
      styleAtInit = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
      RECT client;
      GetClientRect(window, &client);
      clientAtInit = client;
      PostMessageW(window, endWith_ < 0 ? WM_CLOSE : kEndNow, 0, 0);
    }
    if (message == kEndNow) {
      EndDialog(window, endWith_);
      return 0;
    }
    if (message == WM_DESTROY) hadDcAtDestroy = hdc.Get() != NULL;
    return SubClassDialogBase_CL::HandleMessage(window, message, wParam, lParam);
  }

  HDC Dc() const { return hdc.Get(); }
  HWND Parent() const { return parentHwnd; }

  std::vector<UINT> messages;
  bool boundAtInit = false;
  bool hadDc = false;
  bool hadDcAtDestroy = false;
  HFONT fontAtInit = NULL;
  DWORD styleAtInit = 0;
  RECT clientAtInit = {0, 0, 0, 0};

 private:
  INT_PTR endWith_;
};

bool Saw(const std::vector<UINT>& seen, UINT message) {
  for (UINT m : seen) {
    if (m == message) return true;
  }
  return false;
}

}  // namespace

TEST(SubClassDialogBase, DoModalReturnsWhatEndDialogGot) {
  ScriptedDialog dialog(4321);
  EXPECT_EQ(4321, dialog.DoModal(0, 0, NULL));
  ScriptedDialog closed(-1);
  EXPECT_EQ(0, closed.DoModal(0, 0, NULL));
  EXPECT_TRUE(Saw(closed.messages, WM_CLOSE));
}

TEST(SubClassDialogBase, BindsAtInitDialogAndDispatchesNothingEarlier) {
  HWND published = NULL;
  ScriptedDialog dialog(1);
  dialog.SetPublishHwnd(&published);
  ASSERT_EQ(1, dialog.DoModal(0, 0, NULL));

  // Nothing from the window's creation reaches the object; the first
  // message is the font that binding sets, then WM_INITDIALOG.
  ASSERT_LE(2u, dialog.messages.size());
  EXPECT_EQ(static_cast<UINT>(WM_SETFONT), dialog.messages[0]);
  EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.messages[1]);
  EXPECT_TRUE(dialog.boundAtInit);
  EXPECT_EQ(dialog.GetHwnd(), published);
  EXPECT_TRUE(dialog.hadDc);
  EXPECT_TRUE(dialog.hadDcAtDestroy);
  EXPECT_FALSE(dialog.Dc());  // released after WM_DESTROY
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), dialog.fontAtInit);
  EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            dialog.styleAtInit & static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_GT(dialog.clientAtInit.right, 0);
  EXPECT_GT(dialog.clientAtInit.bottom, 0);
  EXPECT_TRUE(Saw(dialog.messages, WM_DESTROY));
  EXPECT_FALSE(IsWindow(dialog.GetHwnd()));
}

TEST(SubClassDialogBase, RunsAgainFromTheSameBuffer) {
  ScriptedDialog dialog(7);
  HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                               GetModuleHandleW(NULL), NULL);
  ASSERT_EQ(7, dialog.DoModal(0, 0, owner));
  EXPECT_EQ(owner, dialog.Parent());
  const unsigned char* buffer = dialog.TemplateBuffer();
  ASSERT_TRUE(buffer);
  dialog.messages.clear();
  ASSERT_EQ(7, dialog.DoModal(0, 0, NULL));
  EXPECT_EQ(buffer, dialog.TemplateBuffer());
  ASSERT_LE(2u, dialog.messages.size());
  EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.messages[1]);
  DestroyWindow(owner);
}

TEST(SubClassDialogBase, MessagesBeforeBindingAreNotDispatched) {
  ScriptedDialog dialog(0);
  HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                GetModuleHandleW(NULL), NULL);
  EXPECT_EQ(0, SubClassDialogBase_CL::DialogProc(window, WM_SETFONT, 0, 0));
  EXPECT_EQ(0, SubClassDialogBase_CL::DialogProc(window, WM_INITDIALOG, 0, 0));  // no object
  EXPECT_TRUE(dialog.messages.empty());
  EXPECT_EQ(0, GetWindowLongPtrW(window, GWLP_USERDATA));
  DestroyWindow(window);
}

namespace {

// A page that ends the sheet as soon as it is shown.
class ClosingPage : public SubClassDialogBase_CL {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INITDIALOG) {
      pageWindow = window;
      metrics = GetPageMetrics(window);
      PostMessageW(GetParent(window), WM_COMMAND, IDCANCEL, 0);
      return 1;
    }
    if (message == WM_DESTROY) destroyed = true;
    return SubClassDialogBase_CL::HandleMessage(window, message, wParam, lParam);
  }

  HWND pageWindow = NULL;
  DialogMetrics metrics = {};
  bool destroyed = false;
};

}  // namespace

TEST(PropertyPageProc, BindsThePageAndPublishesTheSheet) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);

  ClosingPage page;
  HWND sheetWindow = NULL;
  page.SetPublishHwnd(&sheetWindow);
  page.BuildDialogTemplate();

  PROPSHEETPAGEW psp = {};
  psp.dwSize = sizeof(psp);
  psp.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
  psp.hInstance = GetModuleHandleW(NULL);
  psp.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(page.TemplateBuffer());
  psp.pszTitle = L"設定";
  psp.pfnDlgProc = &SubClassDialogBase_CL::PropertyPageProc;
  psp.lParam = reinterpret_cast<LPARAM>(&page);

  PROPSHEETHEADERW psh = {};
  psh.dwSize = sizeof(psh);
  psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  psh.hInstance = GetModuleHandleW(NULL);
  psh.pszCaption = L"テスト";
  psh.nPages = 1;
  psh.ppsp = &psp;
  PropertySheetW(&psh);

  ASSERT_TRUE(page.pageWindow);
  EXPECT_EQ(page.pageWindow, page.GetHwnd());
  EXPECT_TRUE(sheetWindow);
  EXPECT_NE(page.pageWindow, sheetWindow);
  EXPECT_TRUE(page.destroyed);
  EXPECT_EQ(0, page.metrics.left);
  EXPECT_EQ(0, page.metrics.top);
  EXPECT_GT(page.metrics.width, 0);
  EXPECT_EQ(page.metrics.width, page.metrics.right);
  EXPECT_EQ(page.metrics.height, page.metrics.bottom);
  EXPECT_GT(page.metrics.charWidth, 0);
}
