// The one line printed per photo, as text or as a JSON object. Lines end in
// "\n" and are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "xmp_orientation.h"

// What info found in one file. byteOrder is "II", "MM", or null when the file
// has no readable Exif header.
struct InfoLine {
  std::wstring path;
  const char* byteOrder = nullptr;
  bool hasOrientation = false;
  std::uint32_t orientation = 0;
  std::uint64_t offset = 0;  // file offset of the value field, with hasOrientation
  XmpOrientationForm_EN xmpForm = kXmpNoOrientation;  // the XMP packet's tiff:Orientation
  std::uint32_t xmpOrientation = 0;                   // with kXmpDigit
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
  bool leftAlone = false;  // a raw twin not turned on purpose (error says why); not a failure
  XmpOrientationForm_EN xmpForm = kXmpNoOrientation;
  bool xmpWritten = false;  // the XMP digit was turned with the Exif value
};

// Text: "PATH<TAB>II<TAB>6<TAB>30", "none" for what is missing; a photo whose
// XMP holds an Orientation gets "<TAB>XMP 6 agrees" ("differs", or "XMP not
// one digit" for a form a turn leaves alone).
// JSON: {"path": ..., "byteOrder": "II"|"MM"|null, "orientation": N|null, "offset": N|null,
//        "xmpOrientation": N|null, "xmpRewritable": true|false|null, "xmpAgrees": true|false|null}
std::string FormatInfoLine(const InfoLine& line, bool json);

// Text: "PATH<TAB>ok 1 -> 6", "PATH<TAB>failed: REASON" or "PATH<TAB>left
// alone: REASON", with ", XMP too"
// when the XMP digit was turned and ", XMP left alone (not one digit)" when
// its form cannot be rewritten in place.
// JSON: {"path": ..., "ok": true|false, "old": N|null, "new": N|null, "error": "..."|null,
//        "xmp": "written"|"left alone"|null}
std::string FormatTurnLine(const TurnLine& line, bool json);
