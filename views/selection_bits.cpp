#include "selection_bits.h"

#include <new>

bool SelectionBits_CL::Reset(unsigned count) {
  words_.clear();
  count_ = 0;
  selected_ = 0;
  try {
    words_.assign((static_cast<std::size_t>(count) + 32) / 32, 0u);
  } catch (const std::bad_alloc&) {
    std::vector<std::uint32_t>().swap(words_);
    return false;
  }
  count_ = count;
  return true;
}

int SelectionBits_CL::SetSelected(int index, int operation) {
  if (!IsItem(index)) return 0;
  std::uint32_t& word = words_[static_cast<unsigned>(index) / 32];
  const std::uint32_t bit = 1u << (static_cast<unsigned>(index) % 32);
  const int previous = (word & bit) ? 1 : 0;
  int now = previous;
  switch (operation) {
    case kSelectClear:
      now = 0;
      break;
    case kSelectSet:
      now = 1;
      break;
    case kSelectToggle:
      now = 1 - previous;
      break;
    default:
      return previous;
  }
  if (now != previous) {
    word ^= bit;
    selected_ += now ? 1 : -1;
  }
  return previous;
}

void SelectionBits_CL::SelectAll(int operation) {
  switch (operation) {
    case kSelectClear:
      for (std::uint32_t& w : words_) w = 0;
      selected_ = 0;
      break;
    case kSelectSet:
      for (std::uint32_t& w : words_) w = ~0u;
      MaskTail();
      selected_ = static_cast<int>(count_);
      break;
    case kSelectToggle:
      for (std::uint32_t& w : words_) w = ~w;
      MaskTail();
      selected_ = static_cast<int>(count_) - selected_;
      break;
    default:
      break;
  }
}

void SelectionBits_CL::MaskTail() {
  if (words_.empty()) return;
  const unsigned used = count_ % 32;
  std::uint32_t& last = words_[count_ / 32];
  last = used == 0 ? 0u : (last & ((1u << used) - 1u));
}

void SelectionBits_CL::SelectRange(int from, int to, int operation) {
  if (count_ == 0) return;
  int low = from < to ? from : to;
  int high = from < to ? to : from;
  const int last = static_cast<int>(count_ - 1);
  if (high < 0 || low > last) return;
  if (low < 0) low = 0;
  if (high > last) high = last;
  for (int i = low; i <= high; ++i) SetSelected(i, operation);
}

bool SelectionBits_CL::IsSelected(int index) const {
  if (!IsItem(index)) return false;
  return (words_[static_cast<unsigned>(index) / 32] >> (static_cast<unsigned>(index) % 32)) & 1u;
}
