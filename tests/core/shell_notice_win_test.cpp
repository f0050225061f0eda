// A turn tells the shell the photo changed: a window registered for shell
// notifications on the photo's folder, as Explorer's folder windows are,
// receives SHCNE_UPDATEITEM for the photo's path.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "jpeg_builder.h"
#include "orientation.h"

namespace {

const UINT kNoticeMessage = WM_APP + 17;

struct Received {
  int count = 0;
  LONG event = 0;
  std::wstring path;
};
Received g_received;

LRESULT CALLBACK NoticeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kNoticeMessage) {
    ++g_received.count;
    g_received.event = static_cast<LONG>(lParam);
    LPITEMIDLIST* pidls = reinterpret_cast<LPITEMIDLIST*>(wParam);
    wchar_t path[MAX_PATH] = L"";
    if (pidls && pidls[0] && SHGetPathFromIDListW(pidls[0], path)) g_received.path = path;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(ShellNotice, ATurnedPhotoIsAnnouncedToTheShell) {
  TempDir dir;
  const std::wstring path = dir.Join(L"photo.jpg");
  ASSERT_TRUE(WriteBytes(path, MinimalExifJpeg()));

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = NoticeWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"SnapvaneShellNoticeTest";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowW(windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
  ASSERT_NE(nullptr, window);
  const LPITEMIDLIST folder = ILCreateFromPathW(dir.Path().c_str());
  ASSERT_NE(nullptr, folder);
  SHChangeNotifyEntry entry = {folder, TRUE};
  const ULONG registration = SHChangeNotifyRegister(
      window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel, SHCNE_UPDATEITEM, kNoticeMessage, 1, &entry);
  ASSERT_NE(0u, registration);

  ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), nullptr));
  const DWORD giveUp = GetTickCount() + 3000;
  while (g_received.count == 0 && static_cast<LONG>(giveUp - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  SHChangeNotifyDeregister(registration);
  ILFree(folder);
  DestroyWindow(window);

  EXPECT_EQ(1, g_received.count);
  EXPECT_EQ(SHCNE_UPDATEITEM, g_received.event);
  EXPECT_EQ(0, lstrcmpiW(path.c_str(), g_received.path.c_str())) << "got " << g_received.path.size();
}

}  // namespace
