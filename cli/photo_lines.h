// The one line printed per photo, as text or as a JSON object. Lines end in
// "\n" and are UTF-8.
#pragma once

#include <cstdint>
#include <string>

// What info found in one file. byteOrder is "II", "MM", or null when the file
// has no readable Exif header.
struct InfoLine {
  std::wstring path;
  const char* byteOrder = nullptr;
  bool hasOrientation = false;
  std::uint32_t orientation = 0;
  std::uint64_t offset = 0;  // file offset of the value field, with hasOrientation
};

// How a turn went. A failed turn may still know the value it found.
struct TurnLine {
  std::wstring path;
  bool ok = false;
  bool hasOld = false;
  std::uint32_t oldValue = 0;
  bool hasNew = false;
  std::uint32_t newValue = 0;
  std::string error;  // UTF-8 reason when !ok
};

// Text: "PATH<TAB>II<TAB>6<TAB>30", "none" for what is missing.
// JSON: {"path": ..., "byteOrder": "II"|"MM"|null, "orientation": N|null, "offset": N|null}
std::string FormatInfoLine(const InfoLine& line, bool json);

// Text: "PATH<TAB>ok 1 -> 6" or "PATH<TAB>failed: REASON".
// JSON: {"path": ..., "ok": true|false, "old": N|null, "new": N|null, "error": "..."|null}
std::string FormatTurnLine(const TurnLine& line, bool json);
