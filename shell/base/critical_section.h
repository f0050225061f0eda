// The program's one kind of lock: a critical section that remembers whether it
// was ever initialised. While it is not, locking and unlocking do nothing, so
// code can take a worker's lock before the worker has ever run.
#pragma once

#include <windows.h>

class CriticalSection_CL {
 public:
  CriticalSection_CL() {}
  virtual ~CriticalSection_CL();
  CriticalSection_CL(const CriticalSection_CL&) = delete;
  CriticalSection_CL& operator=(const CriticalSection_CL&) = delete;

  // Initialises the lock once; later calls do nothing. False when the system
  // could not initialise it (the lock then stays uninitialised).
  bool Initialize();
  bool IsInitialized() const { return initialized_ != 0; }

  void Enter();
  void Leave();

  // Holds the lock for one scope.
  class Scope {
   public:
    explicit Scope(CriticalSection_CL& lock) : lock_(lock) { lock_.Enter(); }
    ~Scope() { lock_.Leave(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    CriticalSection_CL& lock_;
  };

 private:
  int initialized_ = 0;
  CRITICAL_SECTION section_;
};
