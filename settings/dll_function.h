// A system library loaded by name for optional functions that older systems
// lack; released when the object dies.
#pragma once

#include <windows.h>

class DllFunction_CL {
 public:
  DllFunction_CL() = default;
  explicit DllFunction_CL(const wchar_t* libraryName) { Load(libraryName); }
  virtual ~DllFunction_CL();
  DllFunction_CL(const DllFunction_CL&) = delete;
  DllFunction_CL& operator=(const DllFunction_CL&) = delete;

  // Releases any library held before; returns whether the new one loaded.
  bool Load(const wchar_t* libraryName);
  bool IsLoaded() const { return module != NULL; }

  // Null when the library did not load or lacks the function.
  FARPROC GetProc(const char* functionName) const;
  template <class Function>
  Function GetFunction(const char* functionName) const {
    // Through void* so that the cast between function types stays warning-free.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProc(functionName)));
  }

 private:
  HMODULE module = NULL;  // owned
};
