// Owns one Win32 file handle; closed when the owner goes, on every path.
#pragma once

#include <windows.h>

class ScopedFile {
 public:
  explicit ScopedFile(HANDLE h = INVALID_HANDLE_VALUE) : handle(h) {}
  ~ScopedFile() { Reset(); }
  ScopedFile(ScopedFile&& other) noexcept : handle(other.handle) {
    other.handle = INVALID_HANDLE_VALUE;
  }
  ScopedFile& operator=(ScopedFile&& other) noexcept {
    if (this != &other) {
      Reset(other.handle);
      other.handle = INVALID_HANDLE_VALUE;
    }
    return *this;
  }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;

  bool IsOpen() const { return handle != INVALID_HANDLE_VALUE && handle != NULL; }
  HANDLE Get() const { return handle; }
  void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
    if (IsOpen()) CloseHandle(handle);
    handle = h;
  }

 private:
  HANDLE handle;
};
