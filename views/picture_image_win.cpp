#include "picture_image.h"

#include <atomic>
#include <cmath>
#include <cstdint>

#include "bitmap_builders.h"
#include "draw_pixels.h"
#include "fit_rect.h"
#include "picture_list_base.h"
#include "win_handles.h"

namespace {

// Read on the preview's worker thread as well.
std::atomic<PictureImage_CL::DecodeHook> g_decodeHook{nullptr};

}  // namespace

void PictureImage_CL::SetDecodeHookForTests(DecodeHook hook) { g_decodeHook = hook; }

BitmapPtr PictureImage_CL::DecodeUpright(const std::wstring& path) {
  if (const PictureImage_CL::DecodeHook hook = g_decodeHook) hook(path);
  return LoadUpright(path);
}

BitmapPtr PictureImage_CL::DecodeUprightFor(const std::wstring& path, int width, int height, bool* complete) {
  if (const PictureImage_CL::DecodeHook hook = g_decodeHook) hook(path);
  return LoadUprightFor(path, width, height, complete);
}

PictureImage_CL::PictureImage_CL() : StaticImage_CL(kControlImage) {}

PictureImage_CL::~PictureImage_CL() {
  DetachAndDestroy(*this);
  image.reset();
}

HWND PictureImage_CL::Create(HWND parent, int id, int width, int height, int x, int y) {
  const HWND window = CreateWindowExW(
      0, L"Static", L"",
      // A tab stop: Tab moves the keyboard between the pane and the strip.
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SS_REALSIZEIMAGE | SS_BITMAP,
      x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(NULL),
      this);
  if (!window) return NULL;
  controlId = id;
  SubclassWindow(window);
  horizontalBar.Bind(window);
  verticalBar.Bind(window);
  // The size message of the creation came before the subclassing.
  RECT client;
  GetClientRect(window, &client);
  backBuffer.EnsureSize(client.right, client.bottom);
  return window;
}

void PictureImage_CL::Refresh() {
  if (!hwnd) return;
  InvalidateRect(hwnd, NULL, TRUE);
  UpdateWindow(hwnd);
}

bool PictureImage_CL::LoadFile(const std::wstring& path) {
  image.reset();
  image = DecodeUpright(path);
  loadedFile = path;
  Refresh();
  return image != nullptr;
}

void PictureImage_CL::SetImage(BitmapPtr bitmap) {
  image = std::move(bitmap);
  loadedFile.clear();
  Refresh();
}

void PictureImage_CL::UpdateScrollBars() {
  if (!image || !hwnd) return;
  RECT client;
  GetClientRect(hwnd, &client);
  const int imageSize[2] = {static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight())};
  const int clientSize[2] = {client.right, client.bottom};
  ScrollBar_CL* bars[2] = {&horizontalBar, &verticalBar};
  for (int i = 0; i < 2; ++i) {
    ScrollBar_CL& bar = *bars[i];
    const int w = imageSize[i];
    const int cw = clientSize[i];
    bar.state.minimum = 0;
    if (cw < w) {
      bar.state.maximum = w;
      bar.state.page = cw;
      bar.state.position = bar.state.Clamp(bar.state.position);
      bar.Apply();
      // Shown from the middle every time.
      bar.state.position = (w - cw) / 2;
      bar.ApplyPosition();
    } else {
      bar.state.maximum = 0;
      bar.state.page = 0;
      bar.state.position = 0;
      bar.Apply();
    }
  }
}

SIZE PictureImage_CL::PaneSize() const {
  SIZE size = {0, 0};
  if (!hwnd) return size;
  RECT client;
  GetClientRect(hwnd, &client);
  size.cx = client.right;
  size.cy = client.bottom;
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  if (style & WS_VSCROLL) size.cx += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) size.cy += GetSystemMetrics(SM_CYHSCROLL);
  return size;
}

void PictureImage_CL::HideScrollBars() {
  if (hwnd) ShowScrollBar(hwnd, SB_BOTH, FALSE);
}

Gdiplus::RectF PictureImage_CL::DestinationRect(int width, int height) const {
  Gdiplus::RectF rect;
  if (!image) return rect;
  const float B = static_cast<float>(width);
  const float H = static_cast<float>(height);
  const float w = static_cast<float>(image->GetWidth());
  const float h = static_cast<float>(image->GetHeight());
  if (w <= 0.0f || h <= 0.0f) return rect;
  if (displayMode == kDisplayFit) {
    FloatRect box;
    box.width = B;
    box.height = H;
    const FloatRect fit = FitRect(box, static_cast<std::int32_t>(image->GetWidth()),
                                  static_cast<std::int32_t>(image->GetHeight()));
    rect = Gdiplus::RectF(fit.x, fit.y, fit.width, fit.height);
  } else {
    rect.Width = w;
    rect.Height = h;
    rect.X = (B - rect.Width) * 0.5f;
    rect.Y = (H - rect.Height) * 0.5f;
  }
  const LONG_PTR style = hwnd ? GetWindowLongPtrW(hwnd, GWL_STYLE) : 0;
  if (style & WS_HSCROLL) rect.X = -static_cast<float>(horizontalBar.state.PositionOrZero());
  if (style & WS_VSCROLL) rect.Y = -static_cast<float>(verticalBar.state.PositionOrZero());
  return rect;
}

void PictureImage_CL::PaintToBuffer(BackBuffer_CL& buffer) {
  const HDC dc = buffer.Dc();
  if (!dc) return;
  // Cleared even without a picture, so a photo that failed to load leaves
  // the pane black rather than showing the one before it.
  const RECT all = {0, 0, buffer.Width(), buffer.Height()};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!image) return;
  // Whole pixels: a picture fitted to the pane is then copied as it is,
  // not resampled half a pixel off.
  const Gdiplus::RectF place = DestinationRect(buffer.Width(), buffer.Height());
  const int x = static_cast<int>(std::floor(place.X + 0.5f));
  const int y = static_cast<int>(std::floor(place.Y + 0.5f));
  DrawPixels(dc, image.get(), x, y, static_cast<int>(std::floor(place.Width + 0.5f)),
             static_cast<int>(std::floor(place.Height + 0.5f)));
}

void PictureImage_CL::OnPaint(HWND window) {
  PaintDc_CL paint(window);
  RECT client;
  GetClientRect(window, &client);
  backBuffer.EnsureSize(client.right, client.bottom);
  if (!backBuffer.Dc()) {
    FillRect(paint.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  PaintToBuffer(backBuffer);
  backBuffer.CopyTo(paint.Get(), 0, 0);
}

LRESULT PictureImage_CL::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  handled = 1;
  // The pane wants its scroll bars, its context menu and the drops on it.
  if (IsScrollBarMouseMessage(message)) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      backBuffer.EnsureSize(LOWORD(lParam), HIWORD(lParam));
      UpdateScrollBars();
      InvalidateRect(window, NULL, TRUE);
      return 1;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_ERASEBKGND:
      // The paint covers every pixel: erasing first would only flash.
      return 1;
    case WM_HSCROLL:
      horizontalBar.OnScrollMessage(window, message, wParam, lParam);
      InvalidateRect(window, NULL, FALSE);
      break;
    case WM_VSCROLL:
      verticalBar.OnScrollMessage(window, message, wParam, lParam);
      InvalidateRect(window, NULL, FALSE);
      break;
    default:
      break;
  }
  return CallWindowProcW(savedProc, window, message, wParam, lParam);
}
