// Move-only owners for kernel handles: files, find handles, events, threads
// and loaded libraries. Copying one would close the handle twice, so only
// moves are allowed. Closing keeps the caller's last-error value, so an owner
// going out of scope never hides the error of the call that failed before it.
// Windows only; the owners of window-system objects build on this template.
#pragma once

#include <windows.h>

#include <utility>

// Owner of one value of a handle type; Traits says what "empty" means and how
// the value is released.
template <typename Traits>
class UniqueResource_CL {
 public:
  typedef typename Traits::Type Type;

  UniqueResource_CL() : value_(Traits::Empty()) {}
  explicit UniqueResource_CL(Type value) : value_(value) {}
  ~UniqueResource_CL() { Reset(); }
  UniqueResource_CL(UniqueResource_CL&& other) noexcept : value_(other.Release()) {}
  UniqueResource_CL& operator=(UniqueResource_CL&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueResource_CL(const UniqueResource_CL&) = delete;
  UniqueResource_CL& operator=(const UniqueResource_CL&) = delete;

  Type Get() const { return value_; }
  bool IsValid() const { return value_ != Traits::Empty(); }
  explicit operator bool() const { return IsValid(); }

  // Gives up ownership without closing.
  Type Release() {
    Type value = value_;
    value_ = Traits::Empty();
    return value;
  }

  void Reset(Type value = Traits::Empty()) {
    if (value_ != Traits::Empty()) {
      const DWORD lastError = GetLastError();
      Traits::Close(value_);
      SetLastError(lastError);
    }
    value_ = value;
  }

 private:
  Type value_;
};

struct KernelHandleTraits {
  typedef HANDLE Type;
  static HANDLE Empty() { return NULL; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

// CreateFileW and FindFirstFileW report failure with INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  typedef HANDLE Type;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

struct FindHandleTraits {
  typedef HANDLE Type;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};

struct ModuleTraits {
  typedef HMODULE Type;
  static HMODULE Empty() { return NULL; }
  static void Close(HMODULE module) { FreeLibrary(module); }
};

typedef UniqueResource_CL<KernelHandleTraits> UniqueHandle;
typedef UniqueResource_CL<FileHandleTraits> UniqueFileHandle;
typedef UniqueResource_CL<FindHandleTraits> UniqueFindHandle;
typedef UniqueResource_CL<ModuleTraits> UniqueModule;
