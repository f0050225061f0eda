// COM for the life of the object on the calling thread.
#pragma once

#include <objbase.h>

class ComSession_CL {
 public:
  ComSession_CL() : initialized_(SUCCEEDED(CoInitialize(NULL))) {}
  ~ComSession_CL() {
    if (initialized_) CoUninitialize();
  }
  ComSession_CL(const ComSession_CL&) = delete;
  ComSession_CL& operator=(const ComSession_CL&) = delete;

 private:
  bool initialized_;
};
