// No C++ exception may unwind through the system's code. Window and dialog
// procedures, enumeration callbacks and thread procedures run the program's
// work through CallGuarded: a failure there (running out of memory above
// all) ends only that one message or piece of work, never the program.
#pragma once

// Returns work(), or fallback when work threw.
template <typename Result, typename Work>
Result CallGuarded(Result fallback, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return fallback;
  }
}

// Runs work(); false when it threw.
template <typename Work>
bool RunGuarded(Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    return false;
  }
}
