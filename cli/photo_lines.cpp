#include "photo_lines.h"

#include "json_text.h"
#include "utf8.h"

namespace {

std::string Number(bool present, std::uint64_t value, const char* absent) {
  return present ? std::to_string(value) : std::string(absent);
}

std::string Flag(bool present, bool value) {
  return present ? (value ? "true" : "false") : "null";
}

}  // namespace

std::string FormatInfoLine(const InfoLine& line, bool json) {
  std::string out;
  if (json) {
    out = "{\"path\": " + JsonQuote(line.path);
    out += ", \"byteOrder\": ";
    out += line.byteOrder ? JsonQuote(std::string(line.byteOrder)) : std::string("null");
    out += ", \"orientation\": " + Number(line.hasOrientation, line.orientation, "null");
    out += ", \"offset\": " + Number(line.hasOrientation, line.offset, "null");
    const bool digit = line.xmpForm == kXmpDigit;
    const bool xmp = line.xmpForm != kXmpNoOrientation;
    out += ", \"xmpOrientation\": " + Number(digit, line.xmpOrientation, "null");
    out += ", \"xmpRewritable\": " + Flag(xmp, digit);
    out += ", \"xmpAgrees\": " + Flag(digit && line.hasOrientation, line.xmpOrientation == line.orientation);
    out += "}\n";
    return out;
  }
  out = WideToUtf8(line.path);
  out += '\t';
  out += line.byteOrder ? line.byteOrder : "none";
  out += '\t' + Number(line.hasOrientation, line.orientation, "none");
  out += '\t' + Number(line.hasOrientation, line.offset, "none");
  if (line.xmpForm == kXmpDigit) {
    out += "\tXMP " + std::to_string(line.xmpOrientation);
    if (line.hasOrientation) out += line.xmpOrientation == line.orientation ? " agrees" : " differs";
  } else if (line.xmpForm == kXmpOtherForm) {
    out += "\tXMP not one digit";
  }
  out += '\n';
  return out;
}

std::string FormatTurnLine(const TurnLine& line, bool json) {
  std::string out;
  if (json) {
    out = "{\"path\": " + JsonQuote(line.path);
    out += line.ok ? ", \"ok\": true" : ", \"ok\": false";
    out += ", \"old\": " + Number(line.hasOld, line.oldValue, "null");
    out += ", \"new\": " + Number(line.hasNew, line.newValue, "null");
    out += ", \"error\": ";
    out += line.ok ? std::string("null") : JsonQuote((line.leftAlone ? "left alone: " : "") + line.error);
    out += ", \"xmp\": ";
    out += line.xmpWritten ? "\"written\"" : line.xmpForm != kXmpNoOrientation ? "\"left alone\"" : "null";
    out += "}\n";
    return out;
  }
  out = WideToUtf8(line.path);
  if (line.ok) {
    // "none" where the entry was added.
    out += "\tok " + Number(line.hasOld, line.oldValue, "none") + " -> " + std::to_string(line.newValue);
    if (line.xmpWritten) {
      out += ", XMP too";
    } else if (line.xmpForm == kXmpDigit) {
      out += ", XMP left alone";
    } else if (line.xmpForm != kXmpNoOrientation) {
      out += ", XMP left alone (not one digit)";
    }
  } else {
    out += (line.leftAlone ? "\tleft alone: " : "\tfailed: ") + line.error;
  }
  out += '\n';
  return out;
}
