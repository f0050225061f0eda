// Turning a photo a quarter turn: the Exif Orientation value is rewritten in
// place, and no other byte of the file changes.
#pragma once

#include <cstdint>
#include <string>

#include "hresult.h"
#include "xmp_orientation.h"

// Turn tables for the values 1 to 8. Any other value is shown as stored,
// the same as 1, so a turn acts as if it were 1: right writes 6, left 8.
std::uint16_t TurnLeftValue(std::uint32_t v);
std::uint16_t TurnRightValue(std::uint32_t v);

// Whether a picture shown by Orientation oldValue, turned a quarter
// (clockwise or not), looks exactly as one shown by newValue: only then may
// a picture on screen be turned in memory instead of decoded again. Values
// outside 1 to 8 are shown as stored.
bool TurnShowsAsQuarter(std::uint32_t oldValue, std::uint32_t newValue, bool clockwise);

enum TurnDirection_EN { kTurnLeft, kTurnRight };

struct TurnOptions {
  bool keepTime = false;  // restore the file's last-write time after the write
  // Give a photo without an Orientation entry one, holding the turn of 1.
  // The file grows, so it is written anew and put in the photo's place.
  bool addEntry = false;
  // NAME.xmp beside the photo is its sidecar. Not so for a JPEG beside raw
  // files of its name: editors keep NAME.xmp for the raw file.
  bool stemSidecar = true;
};

// What a turn did, for callers that report it (the command-line tool).
struct TurnReport {
  bool hasOrientation = false;  // an Orientation entry was found
  std::uint32_t oldValue = 0;
  std::uint16_t newValue = 0;
  unsigned bytesWritten = 0;
  // With TurnOptions::addEntry and no entry found: an entry was to be added
  // (tryingToAdd), and was (entryAdded, oldValue 1 then).
  bool tryingToAdd = false;
  bool entryAdded = false;
  // The XMP packet's tiff:Orientation: written with the Exif value when it
  // is one digit, left alone (and said) in any other form.
  XmpOrientationForm_EN xmpForm = kXmpNoOrientation;
  std::uint32_t xmpOldValue = 0;  // with kXmpDigit
  unsigned xmpBytesWritten = 0;
  // XMP sidecars beside the photo (NAME.xmp, NAME.ext.xmp) whose one-digit
  // tiff:Orientation was written with the value, and those found in
  // another form or that could not be written.
  unsigned sidecarsWritten = 0;
  unsigned sidecarsLeftAlone = 0;
};

// How long a turn keeps trying a photo that another handle holds open: the
// program's own decoders open each photo for a moment, and a turn that meets
// one of them waits for it. A photo held for longer stays a sharing violation.
const unsigned kSharingRetryMs = 500;

HRESULT TurnPhoto(const std::wstring& path, TurnDirection_EN direction,
                  const TurnOptions& options, TurnReport* report);

// Writes `value` where the photo's Orientation entry still holds `expected`,
// checked again under the exclusive handle, by the same rules as a turn (the
// XMP digit kept in step, the shell told, options.keepTime); options.addEntry
// is not used: a photo without an entry fails. A photo holding another value
// fails with nothing written and report->oldValue telling the value found.
HRESULT SetOrientationIfHolds(const std::wstring& path, std::uint32_t expected, std::uint16_t value,
                              const TurnOptions& options, TurnReport* report);

// Called between reading the entry and opening the file for writing, so tests
// can change the file in that window. Null in the program.
typedef void (*TurnRaceHook)(const std::wstring& path);
void SetTurnRaceHookForTests(TurnRaceHook hook);

HRESULT RotateLeft(const std::wstring& path);
HRESULT RotateRight(const std::wstring& path);
