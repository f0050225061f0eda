#include "critical_section.h"

CriticalSection_CL::~CriticalSection_CL() {
  if (initialized_) DeleteCriticalSection(&section_);
}

bool CriticalSection_CL::Initialize() {
  if (initialized_) return true;
  // Unlike InitializeCriticalSection on Windows XP, this reports a lack of
  // memory instead of raising an exception.
  if (!InitializeCriticalSectionAndSpinCount(&section_, 0)) return false;
  initialized_ = 1;
  return true;
}

void CriticalSection_CL::Enter() {
  if (initialized_) EnterCriticalSection(&section_);
}

void CriticalSection_CL::Leave() {
  if (initialized_) LeaveCriticalSection(&section_);
}
