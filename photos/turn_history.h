// The turns of this run that can be taken back and done again: one step per
// turn command, however many files it wrote. Kept in memory only and bounded,
// the oldest step going first.
#pragma once

#include <cstddef>
#include <deque>

#include "turn_step.h"

// Enough for a long sorting session; each step holds a few paths per photo.
const std::size_t kMostTurnSteps = 100;

class TurnHistory_CL {
 public:
  explicit TurnHistory_CL(std::size_t most = kMostTurnSteps) : most_(most) {}

  // A new command's step: what was undone can no longer be redone. A step
  // that wrote nothing changes nothing.
  void Add(const TurnStep& step);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The latest step, taken off its list (empty when there is none).
  TurnStep TakeUndo();
  TurnStep TakeRedo();
  // The part of a step that undo (or redo) did write, ready to be done the
  // other way; an empty one is dropped.
  void Undone(const TurnStep& step);
  void Redone(const TurnStep& step);

 private:
  static void Push(std::deque<TurnStep>& steps, const TurnStep& step, std::size_t most);
  static TurnStep Take(std::deque<TurnStep>& steps);

  std::size_t most_;
  std::deque<TurnStep> undo_;
  std::deque<TurnStep> redo_;
};
