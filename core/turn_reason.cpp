#include "turn_reason.h"

#include <cstdio>

#include "photo_file.h"
#include "photo_format.h"

TurnReason_EN ExplainTurn(HRESULT hr, const TurnReport& report, const std::wstring& path) {
  if (SUCCEEDED(hr)) return kTurnReasonNone;
  if (hr == HresultFromWin32(ERROR_SHARING_VIOLATION)) return kTurnReasonInUse;
  if (!report.hasOrientation) {
    // The reader finds no entry in a file that is no photo it knows at all,
    // or that cannot be opened: say which.
    std::FILE* file = OpenSharedForReading(path);
    if (!file) return kTurnReasonCannotOpen;
    FileSource_CL source(file, true);
    if (DetectPhotoFormat(source) == kPhotoUnknown) return kTurnReasonNotJpeg;
    if (!report.tryingToAdd) return kTurnReasonNoOrientation;
  }
  if (IsWriteProtected(path)) return kTurnReasonWriteProtected;
  if (hr == HresultFromWin32(ERROR_ACCESS_DENIED)) return kTurnReasonAccessDenied;
  // A photo whose entry could not be added is told apart from other failures.
  if (report.tryingToAdd && hr == E_FAIL) return kTurnReasonCannotAddEntry;
  return kTurnReasonOther;
}
