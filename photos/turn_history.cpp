#include "turn_history.h"

void TurnHistory_CL::Push(std::deque<TurnStep>& steps, const TurnStep& step, std::size_t most) {
  if (step.empty() || most == 0) return;
  steps.push_back(step);
  while (steps.size() > most) steps.pop_front();
}

TurnStep TurnHistory_CL::Take(std::deque<TurnStep>& steps) {
  if (steps.empty()) return TurnStep();
  TurnStep step = steps.back();
  steps.pop_back();
  return step;
}

void TurnHistory_CL::Add(const TurnStep& step) {
  if (step.empty()) return;
  redo_.clear();
  Push(undo_, step, most_);
}

TurnStep TurnHistory_CL::TakeUndo() { return Take(undo_); }

TurnStep TurnHistory_CL::TakeRedo() { return Take(redo_); }

void TurnHistory_CL::Undone(const TurnStep& step) { Push(redo_, step, most_); }

void TurnHistory_CL::Redone(const TurnStep& step) { Push(undo_, step, most_); }
