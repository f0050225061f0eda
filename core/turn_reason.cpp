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
    return DetectPhotoFormat(source) != kPhotoUnknown ? kTurnReasonNoOrientation : kTurnReasonNotJpeg;
  }
  if (IsWriteProtected(path)) return kTurnReasonWriteProtected;
  if (hr == HresultFromWin32(ERROR_ACCESS_DENIED)) return kTurnReasonAccessDenied;
  return kTurnReasonOther;
}
