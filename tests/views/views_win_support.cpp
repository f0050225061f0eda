#include "views_win_support.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "jpeg_builder.h"
#include "photo_pixels_win.h"
#include "my_picture_list_view.h"
#include "test_files.h"
#include "thread_messages.h"
#include "utf8.h"

namespace {

// GDI+ and the common controls for the whole test program; every GDI+
// object is gone before the environment is torn down.
class ViewsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, NULL);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new ViewsEnvironment);

const wchar_t kHostClass[] = L"SnapvaneViewsTestHost";

bool GetEncoder(const wchar_t* mimeType, CLSID* clsid) {
  UINT count = 0;
  UINT size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  Gdiplus::ImageCodecInfo* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, mimeType) == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// An Exif APP1 segment holding only IFD0 with one SHORT Orientation entry.
}  // namespace

TestHost::TestHost(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &TestHost::Proc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);
    registered = true;
  }
  RECT rect = {0, 0, width, height};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRect(&rect, style, FALSE);
  window_ = CreateWindowExW(0, kHostClass, L"Snapvane views test", style, 0, 0, rect.right - rect.left,
                            rect.bottom - rect.top, NULL, NULL, GetModuleHandleW(NULL), this);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  Pump();
}

TestHost::~TestHost() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  Pump();
}

LRESULT CALLBACK TestHost::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  TestHost* host = reinterpret_cast<TestHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (host) {
    switch (message) {
      case WM_NOTIFY: {
        const NMITEMACTIVATE* info = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        Notification n;
        n.code = static_cast<int>(info->hdr.code);
        n.item = info->iItem;
        n.point = info->ptAction;
        n.keyFlags = info->uKeyFlags;
        n.selectedAtSend = host->list ? host->list->GetSelectedCount() : -1;
        host->notifications.push_back(n);
        return 0;
      }
      case WM_DROPFILES:
        host->drops.push_back(wParam);
        return 0;
      default:
        if (message == WM_DECODE_DONE) {
          ++host->decodesDone;
          const DecodeItem_CL* item = reinterpret_cast<const DecodeItem_CL*>(lParam);
          if (item && item->result) host->pictures.push_back({item->cacheKey, GetTickCount(), item->preliminary});
          if (host->strip) {
            host->strip->AcceptDecoded(lParam);
          } else {
            DecodeImage_CL::TakeItem(lParam);  // deleted here
          }
          return 0;
        }
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return done();
    MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

int Capture::Brightness(int x, int y) const {
  const std::uint32_t p = At(x, y);
  return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
}

bool Capture::IsBlack(int x, int y, int tolerance) const {
  const std::uint32_t p = At(x, y);
  return static_cast<int>((p >> 16) & 0xFF) <= tolerance && static_cast<int>((p >> 8) & 0xFF) <= tolerance &&
         static_cast<int>(p & 0xFF) <= tolerance;
}

bool Capture::IsWhite(int x, int y, int tolerance) const {
  const std::uint32_t p = At(x, y);
  return static_cast<int>((p >> 16) & 0xFF) >= 255 - tolerance &&
         static_cast<int>((p >> 8) & 0xFF) >= 255 - tolerance && static_cast<int>(p & 0xFF) >= 255 - tolerance;
}

bool Capture::HasWhite(int left, int top, int right, int bottom) const {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (IsWhite(x, y, 40)) return true;
    }
  }
  return false;
}

bool Capture::SavePng(const std::wstring& path) const {
  CLSID png;
  if (pixels.empty() || !GetEncoder(L"image/png", &png)) return false;
  std::vector<std::uint32_t> copy(pixels);
  Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppRGB,
                         reinterpret_cast<BYTE*>(copy.data()));
  return bitmap.Save(path.c_str(), &png, NULL) == Gdiplus::Ok;
}

Capture CaptureClient(HWND window) {
  RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  GdiFlush();
  Capture capture;
  RECT client;
  GetClientRect(window, &client);
  capture.width = client.right;
  capture.height = client.bottom;
  if (capture.width <= 0 || capture.height <= 0) return capture;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ old = SelectObject(memoryDc, dib);
  BitBlt(memoryDc, 0, 0, capture.width, capture.height, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  const std::uint32_t* p = static_cast<const std::uint32_t*>(bits);
  capture.pixels.assign(p, p + static_cast<std::size_t>(capture.width) * capture.height);
  for (std::uint32_t& px : capture.pixels) px &= 0x00FFFFFF;
  SelectObject(memoryDc, old);
  DeleteObject(dib);
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  return capture;
}

bool WriteTestJpeg(const std::wstring& path, int width, int height, int orientation,
                   const std::function<void(Gdiplus::Graphics&)>& paint, bool withThumbnail) {
  Gdiplus::Bitmap picture(width, height, PixelFormat24bppRGB);
  {
    Gdiplus::Graphics graphics(&picture);
    paint(graphics);
  }
  const Bytes encoded = EncodeJpeg(&picture);
  Bytes file;
  if (withThumbnail) {
    // 160 pixels wide, as cameras embed them.
    Gdiplus::Bitmap small(160, 160 * height / width, PixelFormat24bppRGB);
    {
      Gdiplus::Graphics graphics(&small);
      graphics.DrawImage(&picture, 0, 0, 160, 160 * height / width);
    }
    file = WithExifThumbnail(encoded, static_cast<std::uint16_t>(orientation), EncodeJpeg(&small));
  } else {
    file = WithExifOrientation(encoded, static_cast<std::uint16_t>(orientation));
  }
  return !file.empty() && WriteBytes(path, file);
}

Bytes TwoColourJpeg(Gdiplus::ARGB top, Gdiplus::ARGB bottom) {
  Gdiplus::Bitmap picture(800, 600, PixelFormat24bppRGB);
  {
    Gdiplus::Graphics graphics(&picture);
    Gdiplus::SolidBrush upper((Gdiplus::Color(top)));
    Gdiplus::SolidBrush lower((Gdiplus::Color(bottom)));
    graphics.FillRectangle(&upper, 0, 0, 800, 300);
    graphics.FillRectangle(&lower, 0, 300, 800, 300);
  }
  return WithExifOrientation(EncodeJpeg(&picture), 1);
}

bool WriteChanged(const std::wstring& path, const Bytes& bytes, int minute) {
  if (!WriteBytes(path, bytes)) return false;
  SYSTEMTIME day = {2024, 5, 0, 12, 10, 0, 0, 0};
  FILETIME time;
  if (!SystemTimeToFileTime(&day, &time)) return false;
  ULARGE_INTEGER at;
  at.LowPart = time.dwLowDateTime;
  at.HighPart = time.dwHighDateTime;
  at.QuadPart += static_cast<ULONGLONG>(minute) * 60u * 10000000u;
  time.dwLowDateTime = at.LowPart;
  time.dwHighDateTime = at.HighPart;
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  const BOOL set = SetFileTime(file, NULL, NULL, &time);
  CloseHandle(file);
  return set != FALSE;
}

bool IsRed(const Capture& c, int x, int y) {
  const std::uint32_t p = c.At(x, y);
  return ((p >> 16) & 0xFF) > 190 && ((p >> 8) & 0xFF) < 70 && (p & 0xFF) < 70;
}

bool IsBlue(const Capture& c, int x, int y) {
  const std::uint32_t p = c.At(x, y);
  return ((p >> 16) & 0xFF) < 70 && ((p >> 8) & 0xFF) < 70 && (p & 0xFF) > 190;
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  if (!memory) return NULL;
  DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  wchar_t* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
  for (const std::wstring& p : paths) {
    std::copy(p.begin(), p.end(), text);
    text += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

std::wstring CorpusPhoto(const wchar_t* name) { return CorpusDir() + L"\\" + name; }

std::wstring ScreenshotPath(const wchar_t* name) {
  const std::wstring folder = Utf8ToWide(SNAPVANE_SCREENSHOT_DIR);
  CreateDirectoryW(folder.c_str(), NULL);
  return folder + L"\\" + name;
}
