#include "decode_budget.h"

#include <chrono>
#include <thread>

DecodeBudget_CL::Reservation::Reservation(Reservation&& other) noexcept
    : budget_(other.budget_), bytes_(other.bytes_) {
  other.budget_ = nullptr;
  other.bytes_ = 0;
}

DecodeBudget_CL::Reservation& DecodeBudget_CL::Reservation::operator=(Reservation&& other) noexcept {
  if (this != &other) {
    Release();
    budget_ = other.budget_;
    bytes_ = other.bytes_;
    other.budget_ = nullptr;
    other.bytes_ = 0;
  }
  return *this;
}

void DecodeBudget_CL::Reservation::ShrinkTo(std::size_t bytes) {
  if (!budget_ || bytes >= bytes_) return;
  budget_->Give(bytes_ - bytes);
  bytes_ = bytes;
}

void DecodeBudget_CL::Reservation::Release() {
  if (budget_) budget_->Give(bytes_);
  budget_ = nullptr;
  bytes_ = 0;
}

namespace {

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace

bool DecodeBudget_CL::Take(std::size_t bytes) {
  std::size_t used = used_.load();
  do {
    if (bytes > total_ - used) return false;
  } while (!used_.compare_exchange_weak(used, used + bytes));
  return true;
}

void DecodeBudget_CL::Give(std::size_t bytes) { used_.fetch_sub(bytes); }

DecodeBudget_CL::Reservation DecodeBudget_CL::Reserve(std::size_t bytes, int waitMilliseconds) {
  Reservation held;
  if (bytes > total_) return held;
  // Holders give back within one decode, so polling does: it keeps this free
  // of any lock or event the Windows XP runtime may lack.
  const unsigned ticket = nextTicket_.fetch_add(1);
  while (serving_.load() != ticket) Pause();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  bool taken = Take(bytes);
  while (!taken && std::chrono::steady_clock::now() < deadline) {
    Pause();
    taken = Take(bytes);
  }
  serving_.fetch_add(1);
  if (!taken) return held;
  held.budget_ = this;
  held.bytes_ = bytes;
  return held;
}

namespace {

// Constant-initialised: ready before any thread can ask, with no guard.
DecodeBudget_CL g_sharedBudget(DecodeBudget_CL::kSharedBytes);

}  // namespace

DecodeBudget_CL& SharedDecodeBudget() { return g_sharedBudget; }
