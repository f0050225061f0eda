#include "e2e_support_win.h"

#include <commctrl.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "gdiplus_session.h"
#include "system_input_win.h"
#include "win_handles.h"

const COLORREF kTopLeft = RGB(220, 40, 40);
const COLORREF kTopRight = RGB(40, 170, 40);
const COLORREF kBottomLeft = RGB(40, 70, 220);
const COLORREF kBottomRight = RGB(230, 200, 30);

namespace {

bool EncoderFor(const wchar_t* mime, CLSID* clsid) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<unsigned char> buffer(size);
  Gdiplus::ImageCodecInfo* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, mime) == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

Bytes EncodeJpeg(Gdiplus::Bitmap& bitmap) {
  CLSID jpeg;
  if (!EncoderFor(L"image/jpeg", &jpeg)) return Bytes();
  IStream* stream = NULL;
  if (FAILED(CreateStreamOnHGlobal(NULL, TRUE, &stream))) return Bytes();
  Bytes bytes;
  if (bitmap.Save(stream, &jpeg, NULL) == Gdiplus::Ok) {
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, NULL);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
  }
  stream->Release();
  return bytes;
}

void Put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(Bytes& b, unsigned v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// An Exif APP1 right after the start of image: "II", IFD0 with one entry,
// the Orientation (or, for 0, a Make of "Snap"). The Orientation value then
// lies at file offset 30.
Bytes WithExif(const Bytes& jpeg, int orientation) {
  if (jpeg.size() < 2) return jpeg;
  Bytes tiff = {'I', 'I', 42, 0};
  Put32(tiff, 8);
  Put16(tiff, 1);
  if (orientation > 0) {
    Put16(tiff, 274);
    Put16(tiff, 3);
    Put32(tiff, 1);
    Put16(tiff, static_cast<unsigned>(orientation));
    Put16(tiff, 0);
  } else {
    Put16(tiff, 271);
    Put16(tiff, 2);
    Put32(tiff, 4);
    const unsigned char make[4] = {'S', 'n', 'a', 0};
    tiff.insert(tiff.end(), make, make + 4);
  }
  Put32(tiff, 0);
  Bytes app1 = {0xFF, 0xE1};
  const unsigned length = static_cast<unsigned>(2 + 6 + tiff.size());
  app1.push_back(static_cast<unsigned char>(length >> 8));
  app1.push_back(static_cast<unsigned char>(length & 0xFF));
  const unsigned char exif[6] = {'E', 'x', 'i', 'f', 0, 0};
  app1.insert(app1.end(), exif, exif + 6);
  app1.insert(app1.end(), tiff.begin(), tiff.end());
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  out.insert(out.end(), app1.begin(), app1.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

Gdiplus::Color ToColor(COLORREF c) {
  return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace

Bytes MakeQuadrantPhoto(int width, int height, int orientation, COLORREF bottomRight, int noise) {
  Gdiplus::Bitmap upright(width, height, PixelFormat24bppRGB);
  {
    Gdiplus::Graphics g(&upright);
    const int w = width / 2, h = height / 2;
    Gdiplus::SolidBrush tl(ToColor(kTopLeft)), tr(ToColor(kTopRight)), bl(ToColor(kBottomLeft)),
        br(ToColor(bottomRight));
    g.FillRectangle(&tl, 0, 0, w, h);
    g.FillRectangle(&tr, w, 0, width - w, h);
    g.FillRectangle(&bl, 0, h, w, height - h);
    g.FillRectangle(&br, w, h, width - w, height - h);
  }
  if (noise > 0) {
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data;
    if (upright.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                         PixelFormat24bppRGB, &data) == Gdiplus::Ok) {
      unsigned seed = 12345;
      for (int y = 0; y < height; ++y) {
        unsigned char* row = static_cast<unsigned char*>(data.Scan0) + y * data.Stride;
        for (int x = 0; x < width * 3; ++x) {
          seed = seed * 1103515245u + 12345u;
          const int v = row[x] + static_cast<int>((seed >> 16) % (2 * noise + 1)) - noise;
          row[x] = static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
        }
      }
      upright.UnlockBits(&data);
    }
  }
  // Stored so that the turn the Orientation asks for makes it upright.
  switch (orientation) {
    case 3:
      upright.RotateFlip(Gdiplus::Rotate180FlipNone);
      break;
    case 6:
      upright.RotateFlip(Gdiplus::Rotate270FlipNone);
      break;
    case 8:
      upright.RotateFlip(Gdiplus::Rotate90FlipNone);
      break;
    default:
      break;
  }
  return WithExif(EncodeJpeg(upright), orientation);
}

Bytes MakeSolidPhoto(int width, int height, COLORREF colour) {
  Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
  {
    Gdiplus::Graphics g(&bitmap);
    g.Clear(ToColor(colour));
  }
  return WithExif(EncodeJpeg(bitmap), 1);
}

int FileOrientation(const std::wstring& path) {
  const Bytes b = ReadBytes(path);
  if (b.size() < 32 || b[22] != (274 & 0xFF) || b[23] != (274 >> 8)) return 0;
  return b[30] | (b[31] << 8);
}

Capture Capture::OfClient(HWND window) {
  RECT client = {0, 0, 0, 0};
  if (!GetClientRect(window, &client)) return Capture();
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  return OfScreenRect(client);
}

Capture Capture::OfWindow(HWND window) {
  RECT rect = {0, 0, 0, 0};
  if (!GetWindowRect(window, &rect)) return Capture();
  return OfScreenRect(rect);
}

Capture Capture::OfScreenRect(const RECT& rect) {
  Capture capture;
  if (rect.right <= rect.left || rect.bottom <= rect.top) return capture;
  capture.width_ = rect.right - rect.left;
  capture.height_ = rect.bottom - rect.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = capture.width_;
  info.bmiHeader.biHeight = -capture.height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = NULL;
  WindowDc_CL screen(NULL);
  UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  UniqueBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, NULL, 0));
  if (!dib || !bits) return Capture();
  {
    SelectObject_CL selected(memory.Get(), dib.Get());
    BitBlt(memory.Get(), 0, 0, capture.width_, capture.height_, screen.Get(), rect.left, rect.top,
           SRCCOPY);
    GdiFlush();
  }
  const std::uint32_t* p = static_cast<const std::uint32_t*>(bits);
  capture.pixels_.assign(p, p + static_cast<size_t>(capture.width_) * capture.height_);
  return capture;
}

Capture Capture::OfScreen() {
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return OfScreenRect(screen);
}

COLORREF Capture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const std::uint32_t v = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool Capture::SavePng(const std::wstring& path) const {
  if (pixels_.empty()) return false;
  CLSID png;
  if (!EncoderFor(L"image/png", &png)) return false;
  std::vector<std::uint32_t> copy(pixels_);
  Gdiplus::Bitmap bitmap(width_, height_, width_ * 4, PixelFormat32bppRGB,
                         reinterpret_cast<BYTE*>(copy.data()));
  return bitmap.Save(path.c_str(), &png, NULL) == Gdiplus::Ok;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  if (a == CLR_INVALID || b == CLR_INVALID) return false;
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::wstring ColourText(COLORREF colour) {
  if (colour == CLR_INVALID) return L"(none)";
  wchar_t text[32];
  swprintf(text, 32, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

std::wstring ScreenshotPath(const std::wstring& name) {
  const std::wstring folder = L"" SNAPVANE_SCREENSHOT_DIR;
  CreateDirectoryW(folder.c_str(), NULL);
  return folder + L"\\" + name;
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->className) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (wcscmp(name, search->className) != 0) return TRUE;
  }
  if (search->title && WindowText(window) != search->title) return TRUE;
  search->found.push_back(window);
  return TRUE;
}

}  // namespace

HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                          DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search = {processId, className, title, {}};
    EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found.empty()) return search.found[0];
    if (GetTickCount() - start >= timeoutMs) return NULL;
    Sleep(10);
  }
}

std::vector<HWND> ProcessDialogs(DWORD processId) {
  WindowSearch search = {processId, L"#32770", NULL, {}};
  EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChildByText(HWND parent, const wchar_t* text) {
  struct Search {
    const wchar_t* text;
    HWND found;
  } search = {text, NULL};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        Search* s = reinterpret_cast<Search*>(param);
        if (WindowText(child) != s->text) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = L"";
  // WM_GETTEXT is carried across processes; GetWindowText is not for
  // controls.
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, NULL);
  return text;
}

std::wstring StaticTextOf(HWND dialog) {
  for (HWND child = FindWindowExW(dialog, NULL, L"Static", NULL); child;
       child = FindWindowExW(dialog, child, L"Static", NULL)) {
    const std::wstring text = WindowText(child);
    if (!text.empty()) return text;
  }
  return std::wstring();
}

RECT PlaceInParent(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Responds(HWND window, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool DropFiles(HANDLE process, HWND target, const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  std::vector<unsigned char> block(sizeof(DROPFILES) + chars * sizeof(wchar_t), 0);
  DROPFILES* drop = reinterpret_cast<DROPFILES*>(block.data());
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  wchar_t* at = reinterpret_cast<wchar_t*>(block.data() + sizeof(DROPFILES));
  for (const std::wstring& p : paths) {
    p.copy(at, p.size());
    at += p.size() + 1;
  }
  // A fixed block is its own handle: the program reads it with
  // DragQueryFileW as it reads one from the shell.
  void* remote = VirtualAllocEx(process, NULL, block.size(), MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
  if (!remote) return false;
  SIZE_T written = 0;
  if (!WriteProcessMemory(process, remote, block.data(), block.size(), &written) ||
      written != block.size()) {
    return false;
  }
  return PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

void ClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  Sleep(50);
  ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  MoveMouseTo(at);
  Sleep(50);
  ClickButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void DragOnScreen(POINT from, POINT to) {
  MoveMouseTo(from);
  Sleep(100);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Sleep(100);
  const int steps = 10;
  for (int i = 1; i <= steps; ++i) {
    const POINT at = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    MoveMouseTo(at);
    Sleep(50);
  }
  Sleep(100);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Sleep(100);
}

void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = key;
  input[1].type = INPUT_KEYBOARD;
  input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

void HoldKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  if (!down) input.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(INPUT));
  Sleep(30);
}

void PressKeyWith(WORD modifier, WORD key) {
  const WORD keys[4] = {modifier, key, key, modifier};
  INPUT input[4] = {};
  for (int i = 0; i < 4; ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys[i];
    if (i >= 2) input[i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(4, input, sizeof(INPUT));
}

namespace {

// TVITEMW as a 32-bit program lays it out.
struct TvItem32 {
  UINT mask;
  DWORD hItem;
  UINT state;
  UINT stateMask;
  DWORD pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  DWORD lParam;
};

// Reads tree items of another process through a block of its memory. The
// item record is written in that process's own layout: a 32-bit program
// reads it with 4-byte pointers.
class RemoteTree {
 public:
  RemoteTree(HWND tree) : tree_(tree) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, processId));
    if (process_) {
      remote_ = VirtualAllocEx(process_.Get(), NULL, 4096, MEM_COMMIT | MEM_RESERVE,
                               PAGE_READWRITE);
      BOOL wow64 = FALSE;
      targetIs32Bit_ = sizeof(void*) == 4 || (IsWow64Process(process_.Get(), &wow64) && wow64);
    }
  }
  ~RemoteTree() {
    if (remote_) VirtualFreeEx(process_.Get(), remote_, 0, MEM_RELEASE);
  }

  std::wstring Text(HTREEITEM item) const {
    if (!remote_) return std::wstring();
    wchar_t* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote_) + 512);
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = remoteText;
    tv.cchTextMax = 1024;
    TvItem32 tv32 = {};
    tv32.mask = tv.mask;
    tv32.hItem = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(item));
    tv32.pszText = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(remoteText));
    tv32.cchTextMax = tv.cchTextMax;
    const void* record = targetIs32Bit_ ? static_cast<const void*>(&tv32) : &tv;
    const SIZE_T size = targetIs32Bit_ ? sizeof tv32 : sizeof tv;
    SIZE_T done = 0;
    if (!WriteProcessMemory(process_.Get(), remote_, record, size, &done)) return std::wstring();
    SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote_));
    wchar_t text[1024] = L"";
    ReadProcessMemory(process_.Get(), static_cast<char*>(remote_) + 512, text,
                      sizeof(text) - sizeof(wchar_t), &done);
    return text;
  }

  std::vector<HTREEITEM> Children(HTREEITEM item) const {
    SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
      children.push_back(child);
    }
    return children;
  }

  HTREEITEM Root() const { return Next(NULL, TVGN_ROOT); }

 private:
  HTREEITEM Next(HTREEITEM item, UINT how) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  }

  HWND tree_;
  UniqueHandle process_;
  void* remote_ = NULL;
  bool targetIs32Bit_ = false;
};

// "Z:" in the name a drive carries in the tree, such as "/ (Z:)".
bool NamesDrive(const std::wstring& text, wchar_t drive) {
  const wchar_t tag[5] = {L'(', drive, L':', L')', 0};
  return text.find(tag) != std::wstring::npos;
}

}  // namespace

bool ChooseFolderInBrowser(HWND browser, const std::wstring& folder) {
  HWND tree = FindWindowExW(browser, NULL, WC_TREEVIEWW, NULL);
  if (!tree || folder.size() < 3 || folder[1] != L':') return false;
  RemoteTree items(tree);
  // The drive lies one or two levels below the desktop (under the computer).
  const wchar_t drive = static_cast<wchar_t>(towupper(folder[0]));
  HTREEITEM at = NULL;
  for (HTREEITEM top : items.Children(items.Root())) {
    if (NamesDrive(items.Text(top), drive)) at = top;
    for (HTREEITEM second : at ? std::vector<HTREEITEM>() : items.Children(top)) {
      if (NamesDrive(items.Text(second), drive)) {
        at = second;
        break;
      }
    }
    if (at) break;
  }
  if (!at) return false;
  size_t from = 3;
  while (from < folder.size()) {
    size_t end = folder.find(L'\\', from);
    if (end == std::wstring::npos) end = folder.size();
    const std::wstring name = folder.substr(from, end - from);
    HTREEITEM next = NULL;
    for (HTREEITEM child : items.Children(at)) {
      if (_wcsicmp(items.Text(child).c_str(), name.c_str()) == 0) {
        next = child;
        break;
      }
    }
    if (!next) return false;
    at = next;
    from = end + 1;
  }
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(at));
  // OK goes after whatever the browser posted itself on the new selection.
  Responds(browser, 5000);
  PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return true;
}
