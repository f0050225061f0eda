// A JPEG's raw twins: NAME.<raw extension> beside NAME.jpg, the raw file the
// camera wrote with it. Photographers sort by the JPEGs and edit the raw
// files, so a turn of the JPEG turns its twins too, but only those that
// showed the same way as the JPEG did: a twin someone turned otherwise is
// left as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "orientation.h"
#include "turn_step.h"

// The raw files in the JPEG's folder whose name is the JPEG's but for the
// extension (ASCII letters in any case), in name order. None for a file that
// is not a JPEG by its name.
std::vector<std::wstring> FindRawTwins(const std::wstring& jpegPath);

enum RawTwinOutcome_EN {
  kTwinTurned,
  kTwinOtherValue,  // its Orientation differed from the JPEG's (or it had none): left alone
  kTwinFailed,      // the turn failed: hr and report say why
};

struct RawTwinTurn {
  std::wstring path;
  RawTwinOutcome_EN outcome = kTwinFailed;
  bool hasValue = false;  // the twin had an Orientation entry
  std::uint32_t value = 0;
  HRESULT hr = S_OK;
  TurnReport report;
};

// After the JPEG at jpegPath was turned in direction from valueBefore: turns
// every twin whose Orientation equals valueBefore the same way (never adding
// an entry) and appends a WrittenTurn to step for each twin written.
std::vector<RawTwinTurn> TurnRawTwins(const std::wstring& jpegPath, std::uint32_t valueBefore,
                                      TurnDirection_EN direction, const TurnOptions& options, TurnStep& step);

struct PhotoTurn {
  HRESULT hr = E_FAIL;
  TurnReport report;
  std::vector<RawTwinTurn> twins;
};

// A turn command's work on one photo: the photo, then, withTwins and when it
// turned, its raw twins (TurnRawTwins). A JPEG with raw twins leaves NAME.xmp
// to them, turned with a twin that turns and left with one left alone.
PhotoTurn TurnPhotoAndTwins(const std::wstring& path, TurnDirection_EN direction, const TurnOptions& options,
                            bool withTwins, TurnStep& step);
