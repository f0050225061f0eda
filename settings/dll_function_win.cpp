#include "dll_function.h"

#include <cwchar>

std::wstring SystemLibraryPath(const wchar_t* libraryName) {
  if (libraryName == NULL || libraryName[0] == L'\0') return std::wstring();
  if (std::wcschr(libraryName, L'\\') || std::wcschr(libraryName, L'/')) return libraryName;
  wchar_t folder[MAX_PATH] = L"";
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  std::wstring path(folder, n);
  if (path[path.size() - 1] != L'\\') path += L'\\';
  return path + libraryName;
}

DllFunction_CL::~DllFunction_CL() {}

bool DllFunction_CL::Load(const wchar_t* libraryName) {
  module.Reset();
  if (libraryName == NULL) return false;
  const std::wstring path = SystemLibraryPath(libraryName);
  if (path.empty()) return false;
  module.Reset(LoadLibraryW(path.c_str()));
  return module.IsValid();
}

FARPROC DllFunction_CL::GetProc(const char* functionName) const {
  if (!module || functionName == NULL) return NULL;
  return GetProcAddress(module.Get(), functionName);
}
