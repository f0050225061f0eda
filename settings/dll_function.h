// A system library loaded by name for optional functions that older systems
// lack; released when the object dies.
#pragma once

#include <windows.h>

#include <string>

#include "win_handles.h"

// The full path of a system library in the system folder; a name that holds
// a folder already is returned as it is. Empty when the system folder cannot
// be read.
std::wstring SystemLibraryPath(const wchar_t* libraryName);

class DllFunction_CL {
 public:
  DllFunction_CL() = default;
  explicit DllFunction_CL(const wchar_t* libraryName) { Load(libraryName); }
  virtual ~DllFunction_CL();
  DllFunction_CL(const DllFunction_CL&) = delete;
  DllFunction_CL& operator=(const DllFunction_CL&) = delete;

  // Releases any library held before; returns whether the new one loaded.
  // A bare name is loaded from the system folder by its full path, never
  // from the program's folder or the search path, where anyone may have
  // put a library of that name.
  bool Load(const wchar_t* libraryName);
  bool IsLoaded() const { return module.IsValid(); }

  // Null when the library did not load or lacks the function.
  FARPROC GetProc(const char* functionName) const;
  template <class Function>
  Function GetFunction(const char* functionName) const {
    // Through void* so that the cast between function types stays warning-free.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProc(functionName)));
  }

 private:
  UniqueModule module;
};
