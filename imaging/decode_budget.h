// The memory every decoder of the program may hold at once. The strip's
// decode threads and the preview's worker each take what their photo needs
// before decoding and give it back when its pixels go, so that several
// large photos decoded together cannot exhaust the address space of the
// 32-bit program. Portable: an atomic counter, no lock.
#pragma once

#include <atomic>
#include <cstddef>

class DecodeBudget_CL {
 public:
  // A 32-bit program has 2 GB of address space (4 GB large-address-aware on
  // a 64-bit Windows), shared with the thumbnail cache, the pictures on
  // screen and GDI+, and fragmented: a quarter of the smaller is what the
  // decoders may take together. A fixed figure, not one from the machine's
  // memory: address space, not memory, runs out first.
  static const std::size_t kSharedBytes = 512u * 1024u * 1024u;
  // How long the first decoder in line waits for others to give back
  // before it gives up.
  static const int kWaitMilliseconds = 5000;

  // Bytes taken from a budget, given back when it goes (or on Release).
  class Reservation {
   public:
    Reservation() {}
    Reservation(Reservation&& other) noexcept;
    Reservation& operator=(Reservation&& other) noexcept;
    ~Reservation() { Release(); }
    Reservation(const Reservation&) = delete;
    Reservation& operator=(const Reservation&) = delete;

    // False for a reservation that was refused (or was given back).
    explicit operator bool() const { return budget_ != nullptr; }
    std::size_t Bytes() const { return bytes_; }
    // Gives back what lies above bytes (nothing when it holds less).
    void ShrinkTo(std::size_t bytes);
    void Release();

   private:
    friend class DecodeBudget_CL;
    DecodeBudget_CL* budget_ = nullptr;
    std::size_t bytes_ = 0;
  };

  constexpr explicit DecodeBudget_CL(std::size_t total) : total_(total) {}
  DecodeBudget_CL(const DecodeBudget_CL&) = delete;
  DecodeBudget_CL& operator=(const DecodeBudget_CL&) = delete;

  // bytes taken once they fit beside what the others hold. Decoders that
  // wait are served in turn, so a large photo is not passed over for ever by
  // small ones; the first in line waits up to waitMilliseconds for the
  // others to give back. Refused (an empty reservation) when they do not
  // fit in time, at once when they exceed the whole budget.
  Reservation Reserve(std::size_t bytes, int waitMilliseconds);

  std::size_t Total() const { return total_; }
  std::size_t InUse() const { return used_.load(); }

 private:
  bool Take(std::size_t bytes);
  void Give(std::size_t bytes);

  const std::size_t total_;
  std::atomic<std::size_t> used_{0};
  // The turns of the decoders in line: each draws the next ticket and waits
  // until it is served.
  std::atomic<unsigned> nextTicket_{0};
  std::atomic<unsigned> serving_{0};
};

// The one budget all the program's decoders share.
DecodeBudget_CL& SharedDecodeBudget();
