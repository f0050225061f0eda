// Why a turn failed, told apart so that the person can be told which of the
// possible causes it was.
#pragma once

#include <string>

#include "hresult.h"
#include "orientation.h"

enum TurnReason_EN {
  kTurnReasonNone,           // the turn succeeded
  kTurnReasonNoOrientation,  // a photo without an Orientation entry (a PNG: without eXIf)
  kTurnReasonNotJpeg,        // not a photo the program can turn (an empty file, a text file)
  kTurnReasonWriteProtected, // the file must not be written
  kTurnReasonInUse,          // another program holds the file open
  kTurnReasonCannotOpen,     // missing, or not even readable
  kTurnReasonAccessDenied,   // readable, but the system refused to open it for writing
  kTurnReasonCannotAddEntry, // no Orientation entry, and none can be added to this photo
  kTurnReasonOther,          // anything else: the HRESULT tells
};

// The reason for what TurnPhoto returned. Looks at the file again only after
// a failure, so a successful turn costs nothing extra.
TurnReason_EN ExplainTurn(HRESULT hr, const TurnReport& report, const std::wstring& path);
