#include "shell_notice.h"

#include <windows.h>

#include <cstring>

namespace {

// From shlobj.h, which is not included for two numbers.
const LONG kShcneUpdateItem = 0x00002000L;
const UINT kShcnfPathW = 0x0005;

typedef void(WINAPI* ShChangeNotifyFunction)(LONG, UINT, LPCVOID, LPCVOID);

ShChangeNotifyFunction LoadShChangeNotify() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring dll = std::wstring(folder, length) + L"\\shell32.dll";
  // Kept loaded for the life of the process, like any linked library.
  const HMODULE shell32 = LoadLibraryW(dll.c_str());
  if (!shell32) return nullptr;
  const FARPROC address = GetProcAddress(shell32, "SHChangeNotify");
  if (!address) return nullptr;
  ShChangeNotifyFunction function = nullptr;
  static_assert(sizeof function == sizeof address, "function pointers differ in size");
  std::memcpy(&function, &address, sizeof function);
  return function;
}

}  // namespace

void NotifyShellOfUpdate(const std::wstring& path) {
  static const ShChangeNotifyFunction notify = LoadShChangeNotify();
  if (notify) notify(kShcneUpdateItem, kShcnfPathW, path.c_str(), nullptr);
}
