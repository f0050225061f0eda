// The selection of the picture grid: one bit per item and the number of bits
// set, kept exact by every change. Indices outside 0..count - 1 are never
// changed, so no rule above it can select an item that does not exist.
#pragma once

#include <cstdint>
#include <vector>

enum SelectOperation_EN {
  kSelectClear = 0,
  kSelectSet = 1,
  kSelectToggle = 2,
  kSelectQuery = 3,  // any other value only reads the bit
};

class SelectionBits_CL {
 public:
  SelectionBits_CL() {}
  virtual ~SelectionBits_CL() {}

  // Room for count items, none selected. False, with no items at all, when
  // the memory cannot be had.
  bool Reset(unsigned count);

  // Changes one bit; returns its previous state (1 selected, 0 not; 0 for an
  // index outside the items).
  int SetSelected(int index, int operation);
  // Clears, sets or inverts every item's bit.
  void SelectAll(int operation);
  // SetSelected for every index between from and to, both included and in
  // either order, limited to the items.
  void SelectRange(int from, int to, int operation);
  bool IsSelected(int index) const;

  unsigned Count() const { return count_; }
  int SelectedCount() const { return selected_; }
  bool IsItem(int index) const { return index >= 0 && static_cast<unsigned>(index) < count_; }

 private:
  // Bits past the last item in the last word stay 0.
  void MaskTail();

  std::vector<std::uint32_t> words_;  // bit i in word i / 32 at bit i % 32
  unsigned count_ = 0;
  int selected_ = 0;
};
