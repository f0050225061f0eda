#include "dll_function.h"

DllFunction_CL::~DllFunction_CL() {
  if (module != NULL) FreeLibrary(module);
}

bool DllFunction_CL::Load(const wchar_t* libraryName) {
  if (module != NULL) {
    FreeLibrary(module);
    module = NULL;
  }
  if (libraryName == NULL) return false;
  module = LoadLibraryW(libraryName);
  return module != NULL;
}

FARPROC DllFunction_CL::GetProc(const char* functionName) const {
  if (module == NULL || functionName == NULL) return NULL;
  return GetProcAddress(module, functionName);
}
