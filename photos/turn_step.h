// What one turn command wrote, kept so the command can be taken back: every
// file it changed (the photos it turned and the raw twins turned with them),
// with the Orientation value each held before and the one written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WrittenTurn {
  std::wstring path;
  std::uint32_t valueBefore = 0;  // as read under the exclusive handle
  std::uint16_t valueWritten = 0;
  bool clockwise = false;
  // The photo had no Orientation entry and was given one (the file was
  // written anew): it cannot come back byte for byte, only turned back.
  bool entryAdded = false;
};

// One command's files, in the order they were written.
typedef std::vector<WrittenTurn> TurnStep;
